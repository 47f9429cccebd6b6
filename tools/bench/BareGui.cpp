// Benchmark reference: a Win32 program with a hidden window that goes idle
// once and ends, as Tesselo's launcher does before its run.
#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    HWND window = CreateWindowExA(0, "STATIC", "BareGui", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr);
    bool idle = false;
    for (;;) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT)
                return 0;
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        if (idle) {
            WaitMessage();
        } else {
            idle = true;
            DestroyWindow(window);
            PostQuitMessage(0);
        }
    }
}
