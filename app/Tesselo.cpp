// The program's entry: the application, its hidden launcher form, and the
// message loop that runs until the launcher has done the one run.
#include "App_mainform.h"
#include "Tk_application.h"
#include "Tk_exceptions.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    try {
        Application.Initialize();
        Application.Title = "Tesselo";
        // The launcher is never shown: activating even a window of no size
        // makes the system load its input method, and a run of one source
        // shows nothing else. Each dialog brings itself to the front when it
        // shows, which SetForegroundWindow allows a process started by the
        // foreground process (its documented conditions); Explorer starts
        // the program for a double-click, Send To and a drop on a shortcut.
        Application.ShowMainForm = false;
        MainForm = Application.CreateForm<TMainForm>();
        Application.Run();
    } catch (...) {
        Application.HandleException();
    }
    return 0;
}
