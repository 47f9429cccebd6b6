// Shows one of the program's dialogs with sample content and writes its
// window rectangle to a file, so that a script can take a screenshot of it.
// Usage: dialog_preview menu|options|errors RECTFILE
#include "App_ErrorDialog.h"
#include "App_MenuDialog.h"
#include "App_OptionsDialog.h"
#include "Tk_application.h"

#include <windows.h>

#include <cstdio>
#include <string>

namespace {

std::string RectFile;
HWND Shown = nullptr;

// Once the dialog is up: report where it is, then close it a little later.
void CALLBACK Tick(HWND, UINT, UINT_PTR timer, DWORD)
{
    static int ticks = 0;
    if (++ticks == 1 && Shown) {
        RECT bounds;
        GetWindowRect(Shown, &bounds);
        if (FILE* file = std::fopen(RectFile.c_str(), "w")) {
            std::fprintf(file, "%ld %ld %ld %ld\n", bounds.left, bounds.top, bounds.right - bounds.left,
                         bounds.bottom - bounds.top);
            std::fclose(file);
        }
    } else if (ticks == 4) {
        KillTimer(nullptr, timer);
        PostMessageA(Shown, WM_CLOSE, 0, 0);
    }
}

}

int main(int argc, char** argv)
{
    if (argc != 3)
        return 2;
    const std::string dialog = argv[1];
    RectFile = argv[2];
    Application.Title = "Tesselo";
    Application.Initialize();
    SetTimer(nullptr, 0, 1000, Tick);
    if (dialog == "menu") {
        Shown = GetMenuDialog()->Handle();
        GetMenuDialog()->Execute();
    } else if (dialog == "options") {
        Shown = GetOptionsDialog()->Handle();
        GetOptionsDialog()->Execute();
    } else if (dialog == "errors") {
        TErrorDialog* errors = GetErrorDialog();
        Shown = errors->Handle();
        errors->GetFiles() = {
            "C:\\Users\\Ann\\Documents\\Quarterly report 2026.docx",
            "C:\\Users\\Ann\\Pictures\\Holiday\\Beach at sunset with the whole family in front of the lighthouse.jpg",
            "D:\\Archive\\Projects\\Tesselo",
        };
        errors->Execute();
    } else {
        return 2;
    }
    return 0;
}
