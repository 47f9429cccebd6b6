#include "Tk_screen.h"

TScreen Screen;

void TScreen::SetCursor(HCURSOR cursor)
{
    FCursor = cursor;
    Apply();
}

void TScreen::Apply() const
{
    ::SetCursor(FCursor ? FCursor : LoadCursorA(nullptr, IDC_ARROW));
}

TNormalPointer::TNormalPointer()
{
    ::SetCursor(LoadCursorA(nullptr, IDC_ARROW));
}

TNormalPointer::~TNormalPointer()
{
    Screen.Apply();
}
