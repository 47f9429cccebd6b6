// Benchmark helper: the user who presses OK as soon as the preview shows.
// Waits for a visible window of another process that holds a list view,
// posts OK to it and ends; gives up after two minutes.
// Usage: Confirm
#include <windows.h>

#include <commctrl.h>

namespace {

BOOL CALLBACK FindPreview(HWND window, LPARAM found)
{
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != GetCurrentProcessId() && IsWindowVisible(window)
        && FindWindowExA(window, nullptr, WC_LISTVIEWA, nullptr)) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

}

int main()
{
    for (int tries = 0; tries < 120000 / 5; ++tries) {
        HWND preview = nullptr;
        EnumWindows(FindPreview, reinterpret_cast<LPARAM>(&preview));
        if (preview) {
            PostMessageA(preview, WM_COMMAND, IDOK, 0);
            return 0;
        }
        Sleep(5);
    }
    return 1;
}
