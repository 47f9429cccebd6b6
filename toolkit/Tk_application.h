// The application object: title, icon, the hidden window that owns every
// dialog, the forms it owns, and the one place where errors are shown.
#pragma once

#include "Tk_handles.h"

#include <windows.h>
#include <commctrl.h>

#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class TForm;

class TApplication {
public:
    TApplication() = default;
    ~TApplication();
    TApplication(const TApplication&) = delete;
    TApplication& operator=(const TApplication&) = delete;

    // Turns on visual styles and high-DPI drawing, reads the screen's
    // density, initialises COM for the shell's dialogs and keeps Windows'
    // own error boxes for drives without a medium away; call once before
    // any window.
    void Initialize();

    std::string Title;
    // The density the forms lay out for: the screen's, once Initialize ran.
    int PixelsPerInch = 96;

    // The hidden top-level window that owns the program's dialogs.
    HWND Handle();
    // The program's main icon at the system's size (LIM_LARGE or LIM_SMALL).
    TOwnedIcon Icon(int size) const;

    // Makes a form owned by the application: it lives until the application
    // ends. The first form made is the main form.
    template <class T>
    T* CreateForm()
    {
        T* form = new T();
        FForms.emplace_back(form);
        if (!FMainForm)
            FMainForm = form;
        return form;
    }

    TForm* MainForm() const { return FMainForm; }

    // Shows the main form and runs the message loop until Terminate.
    void Run();
    // Ends the message loop of Run.
    void Terminate();

    // Called whenever a message loop of the program finds its queue empty;
    // done = false asks to be called again at once instead of after the
    // next message. The handler may replace or clear itself.
    std::function<void(bool& done)> OnIdle;
    // Raises the idle event; true when the loop should wait for a message.
    bool Idle();

    // Shows the error in a message box captioned with the title, with the
    // error icon and an OK button. A silent abort is never shown.
    void ShowException(const std::exception& error);
    // Shows the exception being handled; for use inside a catch block.
    void HandleException();

    // A modal message box owned by the active window of the program, or, with
    // none active, by the hidden window, with a taskbar button of its own.
    int ShowMessageBox(const std::string& text, const std::string& caption, UINT flags);

private:
    bool FOleInitialized = false;
    TOwnedWindow FHandle;
    std::vector<std::unique_ptr<TForm>> FForms;
    TForm* FMainForm = nullptr;
};

// An icon of the module (nullptr for the system's icons) at the system's
// icon size for the screen's density: LIM_LARGE or LIM_SMALL.
TOwnedIcon LoadIconAtSystemSize(HINSTANCE module, PCWSTR name, int size);

// A taskbar button and an Alt+Tab entry, with the program's icons, for a
// window that the hidden application window owns: the program shows no main
// window, so such a window behind another program could not be found. The
// icons live as long as this object.
class TTaskbarButton {
public:
    TTaskbarButton();
    // Before the window is first shown: the taskbar reads the style then.
    void AddTo(HWND window) const;
    // Once the window has been created.
    void ShowIconsOn(HWND window) const;

private:
    TOwnedIcon FSmallIcon;
    TOwnedIcon FLargeIcon;
};

// Places the window centred on the area, moved inside the work area of the
// area's monitor where it would stick out.
void CenterWindow(HWND window, const RECT& area);

extern TApplication Application;

// While a modal window is up, every other visible and enabled top-level
// window of the thread is disabled; exactly those are enabled again when
// this object goes.
class TDisabledWindows {
public:
    explicit TDisabledWindows(HWND except = nullptr);
    ~TDisabledWindows();
    TDisabledWindows(const TDisabledWindows&) = delete;
    TDisabledWindows& operator=(const TDisabledWindows&) = delete;

private:
    static BOOL CALLBACK Disable(HWND window, LPARAM self);

    HWND FExcept;
    std::vector<HWND> FWindows;
};

// The message of an error as the program shows it: a full stop is added
// unless the text is empty or its last character already ends a sentence.
std::string ErrorText(const std::string& message);
