// The program's entry: the application, its invisible launcher form, and the
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
        MainForm = Application.CreateForm<TMainForm>();
        Application.Run();
    } catch (...) {
        Application.HandleException();
    }
    return 0;
}
