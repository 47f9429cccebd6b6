// A window's progress on its taskbar button, through the shell's taskbar
// list (Windows 7 and later). The shell takes the calls only once the button
// is in place, which it tells the window with a registered message; before
// that, or without a taskbar list, the progress shows only in the window,
// and nothing fails. COM must be set up on the thread by then.
#pragma once

#include "Tk_handles.h"

#include <windows.h>
#include <shobjidl.h>

class TTaskbarProgress {
public:
    explicit TTaskbarProgress(HWND window) : FWindow(window) {}
    ~TTaskbarProgress() { Clear(); }
    TTaskbarProgress(const TTaskbarProgress&) = delete;
    TTaskbarProgress& operator=(const TTaskbarProgress&) = delete;

    // "TaskbarButtonCreated": the window gets it once its button is in
    // place, and again when Explorer has started anew.
    static UINT ButtonCreatedMessage();
    // For the window's handler of that message: the progress goes to the
    // button from now on, starting with what it is.
    void ButtonCreated();

    void SetProgress(int position, int count);
    // Takes the progress off the button.
    void Clear();

private:
    void Show() const;

    HWND FWindow;
    TComPointer<ITaskbarList3> FTaskbar;
    int FPosition = 0;
    int FCount = 0;
};
