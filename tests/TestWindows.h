// What the tests read of windows, their own or another process's: texts,
// message boxes and the folder browser's tree. Texts are asked in Unicode
// with WM_GETTEXT: it reaches the controls of another process, which
// GetWindowText does not, and no 8-bit thunk of Wine's cuts it short.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

std::wstring WideWindowText(HWND window);
// The same in our code page.
std::string WindowText(HWND window);

// The children of a class that are shown (WS_VISIBLE, whether or not the
// parent is on the screen yet), in their creation (tab) order.
std::vector<HWND> Children(HWND parent, const char* className);

// A message box: a dialog with its text in the static item 0xFFFF.
bool IsMessageBox(HWND window);
std::string MessageBoxText(HWND box);
// The static that shows the box's icon (item 0x14 on Windows, 0x440 on
// Wine), or nullptr.
HWND MessageBoxIcon(HWND box);
// True when OK is the box's only button.
bool HasOkOnly(HWND box);

// The tree of a folder browser, or nullptr when the window is none.
HWND BrowserTree(HWND window);
// The tree's selected item, or nullptr.
HTREEITEM TreeSelection(HWND tree);
