#include "TestWindows.h"

#include "TestSupport.h"

std::wstring WideWindowText(HWND window)
{
    std::wstring text(static_cast<size_t>(SendMessageW(window, WM_GETTEXTLENGTH, 0, 0)) + 1, L'\0');
    text.resize(static_cast<size_t>(SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]))));
    return text;
}

std::string WindowText(HWND window)
{
    return Narrow(WideWindowText(window));
}

namespace {

std::string ClassOf(HWND window)
{
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

}

std::vector<HWND> Children(HWND parent, const char* className)
{
    std::vector<HWND> found;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (lstrcmpiA(ClassOf(child).c_str(), className) == 0 && (GetWindowLongA(child, GWL_STYLE) & WS_VISIBLE))
            found.push_back(child);
    }
    return found;
}

bool IsMessageBox(HWND window)
{
    return ClassOf(window) == "#32770" && GetDlgItem(window, 0xFFFF);
}

std::string MessageBoxText(HWND box)
{
    return WindowText(GetDlgItem(box, 0xFFFF));
}

HWND MessageBoxIcon(HWND box)
{
    for (int item : {0x14, 0x440}) {
        if (HWND icon = GetDlgItem(box, item))
            return icon;
    }
    return nullptr;
}

bool HasOkOnly(HWND box)
{
    const std::vector<HWND> buttons = Children(box, "Button");
    return buttons.size() == 1 && GetDlgCtrlID(buttons[0]) == IDOK;
}

HWND BrowserTree(HWND window)
{
    return window ? FindWindowExA(window, nullptr, "SysTreeView32", nullptr) : nullptr;
}

HTREEITEM TreeSelection(HWND tree)
{
    return reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
}
