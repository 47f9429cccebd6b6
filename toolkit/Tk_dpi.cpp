#include "Tk_dpi.h"

namespace {

// The values of DIALOG_DPI_CHANGE_BEHAVIORS and
// DIALOG_CONTROL_DPI_CHANGE_BEHAVIORS (Windows 10 1703), which the
// headers for the program's Windows 7 level leave out.
const int DialogDisableAll = 0x0001;
const int ControlDisableFontUpdate = 0x0001;
const int ControlDisableRelayout = 0x0002;
// MDT_EFFECTIVE_DPI: the density after the user's scaling.
const int EffectiveDpi = 0;

template <class TFunction>
TFunction Find(HMODULE module, const char* name)
{
    // Through a plain function pointer, which any function pointer converts
    // to without a warning.
    return module ? reinterpret_cast<TFunction>(reinterpret_cast<void (*)()>(GetProcAddress(module, name))) : nullptr;
}

// Each function is null on a Windows that lacks it.
struct TDpiFunctions {
    UINT(WINAPI* GetDpiForWindow)(HWND);
    int(WINAPI* GetSystemMetricsForDpi)(int, UINT);
    BOOL(WINAPI* AdjustWindowRectExForDpi)(RECT*, DWORD, BOOL, DWORD, UINT);
    BOOL(WINAPI* SetDialogDpiChangeBehavior)(HWND, int, int);
    BOOL(WINAPI* SetDialogControlDpiChangeBehavior)(HWND, int, int);

    TDpiFunctions()
    {
        const HMODULE user32 = GetModuleHandleA("user32.dll");
        GetDpiForWindow = Find<decltype(GetDpiForWindow)>(user32, "GetDpiForWindow");
        GetSystemMetricsForDpi = Find<decltype(GetSystemMetricsForDpi)>(user32, "GetSystemMetricsForDpi");
        AdjustWindowRectExForDpi = Find<decltype(AdjustWindowRectExForDpi)>(user32, "AdjustWindowRectExForDpi");
        SetDialogDpiChangeBehavior = Find<decltype(SetDialogDpiChangeBehavior)>(user32, "SetDialogDpiChangeBehavior");
        SetDialogControlDpiChangeBehavior =
            Find<decltype(SetDialogControlDpiChangeBehavior)>(user32, "SetDialogControlDpiChangeBehavior");
    }
};

// Looked up once, on first use; the libraries stay loaded with the process.
const TDpiFunctions& Functions()
{
    static const TDpiFunctions functions;
    return functions;
}

}

int SystemDpi()
{
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

int WindowDpi(HWND window)
{
    const UINT dpi = Functions().GetDpiForWindow ? Functions().GetDpiForWindow(window) : 0;
    return dpi ? static_cast<int>(dpi) : SystemDpi();
}

int MonitorDpi(HMONITOR monitor)
{
    // Loaded only for a form that shows controls, not for every run. Only
    // from the system's folder: Windows 8.1 and later, which have shcore,
    // all know the flag; an older one refuses it and has none.
    using TGetDpiForMonitor = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
    static const TGetDpiForMonitor getDpiForMonitor = Find<TGetDpiForMonitor>(
        LoadLibraryExA("shcore.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32), "GetDpiForMonitor");
    UINT x = 0;
    UINT y = 0;
    if (getDpiForMonitor && SUCCEEDED(getDpiForMonitor(monitor, EffectiveDpi, &x, &y)) && y)
        return static_cast<int>(y);
    return SystemDpi();
}

int SystemMetricForDpi(int index, int dpi)
{
    if (Functions().GetSystemMetricsForDpi)
        return Functions().GetSystemMetricsForDpi(index, static_cast<UINT>(dpi));
    return GetSystemMetrics(index);
}

void AdjustWindowRectForDpi(RECT& bounds, HWND window, int dpi)
{
    const DWORD style = static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE));
    const DWORD exStyle = static_cast<DWORD>(GetWindowLongA(window, GWL_EXSTYLE));
    if (!Functions().AdjustWindowRectExForDpi
        || !Functions().AdjustWindowRectExForDpi(&bounds, style, FALSE, exStyle, static_cast<UINT>(dpi)))
        AdjustWindowRectEx(&bounds, style, FALSE, exStyle);
}

void LeaveDpiChangesToDialog(HWND dialog)
{
    if (Functions().SetDialogDpiChangeBehavior)
        Functions().SetDialogDpiChangeBehavior(dialog, DialogDisableAll, DialogDisableAll);
    if (!Functions().SetDialogControlDpiChangeBehavior)
        return;
    const int control = ControlDisableFontUpdate | ControlDisableRelayout;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        Functions().SetDialogControlDpiChangeBehavior(child, control, control);
}
