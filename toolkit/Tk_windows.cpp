#include "Tk_windows.h"

#include "Tk_dpi.h"
#include "Tk_exceptions.h"

#include <algorithm>

TOwnedIcon LoadIconForDpi(HINSTANCE module, PCWSTR name, int size, int dpi)
{
    // LoadIconMetric would give the sizes of the system's density, not of
    // the monitor the window is on.
    const bool large = size == LIM_LARGE;
    const int width = SystemMetricForDpi(large ? SM_CXICON : SM_CXSMICON, dpi);
    const int height = SystemMetricForDpi(large ? SM_CYICON : SM_CYSMICON, dpi);
    HICON icon = nullptr;
    if (FAILED(LoadIconWithScaleDown(module, name, width, height, &icon)) || !icon)
        throw Exception("The program could not load an icon.");
    return TOwnedIcon(icon);
}

HMONITOR UsersMonitor()
{
    if (HMONITOR monitor = MonitorFromWindow(GetForegroundWindow(), MONITOR_DEFAULTTONULL))
        return monitor;
    POINT pointer = {0, 0};
    GetCursorPos(&pointer);
    return MonitorFromPoint(pointer, MONITOR_DEFAULTTOPRIMARY);
}

void CenterWindow(HWND window, const RECT& area)
{
    RECT bounds;
    GetWindowRect(window, &bounds);
    const LONG width = bounds.right - bounds.left;
    const LONG height = bounds.bottom - bounds.top;
    LONG left = area.left + (area.right - area.left - width) / 2;
    LONG top = area.top + (area.bottom - area.top - height) / 2;
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof monitor;
    if (GetMonitorInfoA(MonitorFromRect(&area, MONITOR_DEFAULTTONEAREST), &monitor)) {
        const RECT& work = monitor.rcWork;
        left = std::max(work.left, std::min(left, work.right - width));
        top = std::max(work.top, std::min(top, work.bottom - height));
    }
    SetWindowPos(window, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

TDisabledWindows::TDisabledWindows(HWND except) : FExcept(except)
{
    EnumThreadWindows(GetCurrentThreadId(), Disable, reinterpret_cast<LPARAM>(this));
}

TDisabledWindows::~TDisabledWindows()
{
    for (HWND window : FWindows)
        EnableWindow(window, TRUE);
}

BOOL CALLBACK TDisabledWindows::Disable(HWND window, LPARAM self)
{
    TDisabledWindows& disabled = *reinterpret_cast<TDisabledWindows*>(self);
    if (window != disabled.FExcept && IsWindowVisible(window) && IsWindowEnabled(window)) {
        EnableWindow(window, FALSE);
        disabled.FWindows.push_back(window);
    }
    return TRUE;
}
