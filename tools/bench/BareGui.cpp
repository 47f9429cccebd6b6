// Benchmark reference: a Win32 program with a hidden window that goes idle
// once and ends, as Tesselo's launcher does before its run. Built as
// ShellGui, it also pays what Tesselo pays at every start before its own
// work: its manifest (common controls 6, the code page, the density) and the
// shell's documents folder, the default of the "Other" output directory.
// Its window is of a class of its own, as Tesselo's hidden one is: under
// the manifest, STATIC would load the common controls.
#include <windows.h>
#ifdef BENCH_SHELL_GUI
#include <shlobj.h>
#endif

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
#ifdef BENCH_SHELL_GUI
    wchar_t documents[MAX_PATH];
    SHGetSpecialFolderPathW(nullptr, documents, CSIDL_PERSONAL, FALSE);
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = "ShellGui";
    RegisterClassExA(&windowClass);
    const char* const className = "ShellGui";
#else
    const char* const className = "STATIC";
#endif
    HWND window = CreateWindowExA(0, className, "BareGui", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr);
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
