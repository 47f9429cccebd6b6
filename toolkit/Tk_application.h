// The application object: title, icon, the hidden window that owns every
// dialog, the forms it owns, and the one place where errors are shown.
#pragma once

#include "Tk_dpi.h"
#include "Tk_handles.h"
#include "Tk_windows.h"

#include <windows.h>
#include <commctrl.h>

#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// What the application owns: its forms, destroyed with it.
class TComponent {
public:
    virtual ~TComponent() = default;
};

class TApplication {
public:
    TApplication() = default;
    ~TApplication();
    TApplication(const TApplication&) = delete;
    TApplication& operator=(const TApplication&) = delete;

    // Keeps Windows' own error boxes for drives without a medium away; call
    // once before any window.
    void Initialize();
    // Loads the common controls with their visual styles, once, before the
    // first control or message box: a run that shows neither does not pay
    // for them.
    void InitializeControls();
    // Sets up COM on this thread for the shell's dialogs, once; undone when
    // the application ends.
    void InitializeOle();

    std::string Title;
    // The density that a new form lays out for on the monitor it opens on:
    // the monitor's own.
    std::function<int(HMONITOR monitor)> MonitorPixelsPerInch = MonitorDpi;

    // The hidden top-level window that owns the program's dialogs.
    HWND Handle();
    // The program's main icon at the system's size (LIM_LARGE or LIM_SMALL)
    // for the density.
    TOwnedIcon Icon(int size, int dpi) const;

    // Makes a form owned by the application: it lives until the application
    // ends. The window of the first form made is the main window.
    template <class T>
    T* CreateForm()
    {
        T* form = new T();
        FComponents.emplace_back(form);
        if (!FMainWindow)
            FMainWindow = form->Handle();
        return form;
    }

    HWND MainWindow() const { return FMainWindow; }
    // False leaves the main window hidden when Run starts, until the first
    // window that the program shows.
    bool ShowMainForm = true;

    // Shows the main window, unless ShowMainForm is false, and runs the
    // message loop until Terminate.
    void Run();
    // Shows and activates the main window, once; every window that the
    // program shows calls it first, so that the program is in front then.
    void ShowMainWindow();
    // Ends the message loop of Run.
    void Terminate();
    // Lets the messages that are waiting through, COM's among them, for work
    // that shows no window yet, and returns without waiting or raising the
    // idle event. A quit is left for the loop of Run.
    void ProcessMessages();

    // Called whenever a message loop of the program finds its queue empty;
    // done = false asks to be called again at once instead of after the
    // next message. The handler may replace or clear itself.
    std::function<void(bool& done)> OnIdle;
    // Raises the idle event; true when the loop should wait for a message.
    bool Idle();
    // The next message of the thread's queue, raising the idle event while
    // there is none: what GetMessageW returns (0 for WM_QUIT, -1 on failure).
    // Every message loop of the program takes its messages here.
    int NextMessage(MSG& message);

    // Shows the error in a message box captioned with the title, with the
    // error icon and an OK button. A silent abort is never shown.
    void ShowException(const std::exception& error);
    // Shows the exception being handled, for use inside a catch block: an
    // Exception with its message, anything else with otherText.
    void HandleException(const std::string& otherText = std::string());

    // A modal message box owned by the active window of the program, or, with
    // none active, by the hidden window, with a taskbar button of its own.
    int ShowMessageBox(const std::string& text, const std::string& caption, UINT flags);

private:
    bool FControlsInitialized = false;
    bool FMainWindowShown = false;
    bool FOleTried = false;
    bool FOleInitialized = false;
    TOwnedWindow FHandle;
    std::vector<std::unique_ptr<TComponent>> FComponents;
    HWND FMainWindow = nullptr;
};

extern TApplication Application;

// A taskbar button and an Alt+Tab entry, with the program's icons, for a
// window that the hidden application window owns: the program shows no main
// window, so such a window behind another program could not be found. The
// icons live as long as this object.
class TTaskbarButton {
public:
    // Before the window is first shown: the taskbar reads the style then.
    void AddTo(HWND window) const;
    // Once the window has been created, at the density of its monitor.
    void ShowIconsOn(HWND window);

private:
    TOwnedIcon FSmallIcon;
    TOwnedIcon FLargeIcon;
};


// The message of an error as the program shows it: a full stop is added
// unless the text is empty or its last character already ends a sentence.
std::string ErrorText(const std::string& message);
