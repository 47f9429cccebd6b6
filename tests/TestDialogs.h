// Drives modal dialogs from inside their own message loops, as a user would:
// the steps of a script run one per timer tick, keys and clicks are posted
// to the windows, and every message box is caught as it opens. A watchdog
// closes whatever is still open after a few seconds, so a stuck dialog fails
// the test instead of hanging it.
#pragma once

#include "TestWindows.h"
#include "Tk_application.h"
#include "Tk_forms.h"

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

// Posts a key press (down and up) to the window with the focus; modifier
// (VK_CONTROL or VK_SHIFT) is held down until the next step.
void PressKey(WORD key, WORD modifier = 0);
// Posts the characters to the window (by default the one with the focus) as
// a keyboard delivers them: one Unicode character message each.
void TypeText(const std::string& text, HWND target = nullptr);
// Selects the whole text of the focused edit, then types text over it.
void ReplaceText(const std::string& text);
// Posts Alt with a letter to the focused window, as the user presses an access key.
void PressAccessKey(char key);
// Posts a left click at the middle of the control.
void ClickOn(HWND control);
// Posts a right click (the context menu key) to the control.
void ContextMenuOn(HWND control);

struct TMessageBoxSeen {
    std::string Text;
    std::string Caption;
    bool ErrorIcon;
    bool OkOnly;
    bool TaskbarButton; // its own, with the program's icon
};

class TDialogScript {
public:
    // Runs action once.
    TDialogScript& Do(std::function<void()> action);
    // Waits until condition holds.
    TDialogScript& WaitFor(std::function<bool()> condition);
    // Waits for the next message box, checks that it shows this error as the
    // program's error display does, and presses OK.
    TDialogScript& ExpectError(const std::string& text);
    // Waits for the next message box, hands it to check, and presses OK.
    TDialogScript& ExpectMessageBox(std::function<void(const TMessageBoxSeen&)> check);

    // Steps that a user takes, one each: the functions above as script steps.
    TDialogScript& Press(WORD key, WORD modifier = 0) { return Do([=] { PressKey(key, modifier); }); }
    TDialogScript& Alt(char key) { return Do([=] { PressAccessKey(key); }); }
    TDialogScript& Type(const std::string& text) { return Do([=] { TypeText(text); }); }
    TDialogScript& Replace(const std::string& text) { return Do([=] { ReplaceText(text); }); }
    TDialogScript& Click(HWND control) { return Do([=] { ClickOn(control); }); }
    // Steps that check what the user would see.
    TDialogScript& ExpectFocus(HWND control);
    TDialogScript& ExpectEnabled(const std::vector<HWND>& controls, bool enabled);

    // Runs body (which shows a dialog) with the script driving it; fails the
    // test when a step is left over or an unexpected message box opened.
    void Run(const std::function<void()>& body);
    // Runs the form's Execute with the script driving it and gives its result.
    template <class TDialog>
    auto Execute(TDialog& dialog) -> decltype(dialog.Execute())
    {
        decltype(dialog.Execute()) result{};
        Run([&] { result = dialog.Execute(); });
        return result;
    }

private:
    struct TStep {
        std::function<bool()> Run; // true when done
        bool WantsMessageBox;
    };
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
    void OnTick();

    std::vector<TStep> FSteps;
    size_t FNext = 0;
    DWORD FDeadline = 0;
    HWND FMessageBox = nullptr;
    TMessageBoxSeen FSeen;
};

// The shell's folder browser once it is open, or nullptr. It need not be the
// active window: another window of the test may hold the activation.
HWND FolderBrowser();
// The name of the folder selected in the open browser's tree, or "".
std::string FolderBrowserSelection();
// A new folder that Wine's browser can preselect, removed when the object goes.
class TBrowsableFolder {
public:
    TBrowsableFolder();
    ~TBrowsableFolder();
    TBrowsableFolder(const TBrowsableFolder&) = delete;
    TBrowsableFolder& operator=(const TBrowsableFolder&) = delete;

    const std::string Path;
    // Its name, as the browser's tree shows it.
    std::string Name() const { return Path.substr(Path.rfind('\\') + 1); }
};

// The centre of the window's rectangle on the screen.
POINT CenterOf(HWND window);
// The width of an icon in pixels.
int IconWidth(HICON icon);
// True when the edit's whole text is selected.
bool IsAllSelected(HWND edit);

bool IsEnabled(HWND window);

// Makes a form of the class as on a monitor of the density.
template <class TFormClass>
std::unique_ptr<TFormClass> BuildAtDpi(int dpi)
{
    const auto monitors = Application.MonitorPixelsPerInch;
    Application.MonitorPixelsPerInch = [dpi](HMONITOR) { return dpi; };
    try {
        auto form = std::make_unique<TFormClass>();
        Application.MonitorPixelsPerInch = monitors;
        return form;
    } catch (...) {
        Application.MonitorPixelsPerInch = monitors;
        throw;
    }
}

// Tells form that Windows has moved it to a monitor of built's density,
// suggesting built's size where form is, and checks that form is laid out as
// built is: every control's rectangle in the client area, the fonts'
// height, the icons' sizes and a list view's columns, within a pixel.
void ExpectRescaledAs(TForm& form, const TForm& built);

// Moves a form of the class to a monitor of 144 dpi and back to one of 96,
// and checks it after each against a form built at that density.
template <class TFormClass>
void ExpectRescalesAsBuilt()
{
    TFormClass form;
    for (const int dpi : {144, 96})
        ExpectRescaledAs(form, *BuildAtDpi<TFormClass>(dpi));
}
