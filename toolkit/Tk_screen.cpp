#include "Tk_screen.h"

TScreen Screen;

void TScreen::Apply() const
{
    ::SetCursor(FCursor ? FCursor : LoadCursorA(nullptr, IDC_ARROW));
}

TBusyPointer::TBusyPointer() : FPrevious(Screen.FCursor), FShown(GetCursor())
{
    Screen.FCursor = LoadCursorA(nullptr, IDC_WAIT);
    Screen.Apply();
}

TBusyPointer::~TBusyPointer()
{
    Screen.FCursor = FPrevious;
    if (FShown)
        ::SetCursor(FShown);
    else
        Screen.Apply();
}

void ShowWorkingPointer()
{
    ::SetCursor(LoadCursorA(nullptr, IDC_APPSTARTING));
}

TNormalPointer::TNormalPointer()
{
    ::SetCursor(LoadCursorA(nullptr, IDC_ARROW));
}

TNormalPointer::~TNormalPointer()
{
    Screen.Apply();
}
