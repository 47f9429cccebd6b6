// Helpers for any window of the program: icons at the system's size for a
// density, the monitor a window opens on, centring, and the
// disabled-windows guard of a modal window.
#pragma once

#include "Tk_handles.h"

#include <windows.h>
#include <commctrl.h>

#include <vector>

// An icon of the module (nullptr for the system's icons) at the system's
// icon size for the density: LIM_LARGE or LIM_SMALL.
TOwnedIcon LoadIconForDpi(HINSTANCE module, PCWSTR name, int size, int dpi);

// The monitor where the user looks for a new window: the one of the
// foreground window, where the user has just clicked (in Explorer, say),
// else the one under the mouse pointer.
HMONITOR UsersMonitor();

// Places the window centred on the area, moved inside the work area of the
// area's monitor where it would stick out.
void CenterWindow(HWND window, const RECT& area);

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
