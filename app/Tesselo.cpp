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
        // The launcher shows only with the first window of the run:
        // activating even a window of no size makes the system load its
        // input method, and a run of one source shows nothing at all. Shown
        // and activated then, it brings the program to the front as it
        // always has, before each dialog, box or folder browser appears.
        Application.ShowMainForm = false;
        MainForm = Application.CreateForm<TMainForm>();
        Application.Run();
    } catch (...) {
        Application.HandleException();
    }
    return 0;
}
