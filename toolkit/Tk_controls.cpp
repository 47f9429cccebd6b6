#include "Tk_controls.h"

#include "Tk_exceptions.h"
#include "Tk_format.h"
#include "Tk_handles.h"
#include "Tk_strings.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>

bool Checked(HWND control)
{
    return SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

std::string Text(HWND control)
{
    std::string text(static_cast<size_t>(GetWindowTextLengthA(control)) + 1, '\0');
    text.resize(static_cast<size_t>(GetWindowTextA(control, &text[0], static_cast<int>(text.size()))));
    return text;
}

void SetText(HWND control, const std::string& text)
{
    SetWindowTextA(control, text.c_str());
}

void SetProgress(HWND progressBar, int position, int count)
{
    SendMessageA(progressBar, PBM_SETRANGE32, 0, count);
    SendMessageA(progressBar, PBM_SETPOS, position, 0);
}

TRedrawSuspension::TRedrawSuspension(HWND window) : FWindow(window)
{
    SendMessageA(FWindow, WM_SETREDRAW, FALSE, 0);
}

TRedrawSuspension::~TRedrawSuspension()
{
    SendMessageA(FWindow, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(FWindow, nullptr, TRUE);
}

TTextMeasure::TTextMeasure(HWND window) : FWindow(window), FDC(GetDC(window))
{
    FFont = SelectObject(FDC, reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0)));
}

TTextMeasure::~TTextMeasure()
{
    SelectObject(FDC, FFont);
    ReleaseDC(FWindow, FDC);
}

// GDI reads 8-bit text in the system's code page, not in the one the
// program's manifest asks for: measured in Unicode, a UTF-8 line has the
// width the window draws it with.
int TTextMeasure::Width(const std::string& text) const
{
    const std::vector<wchar_t> wide = AnsiToWide(text);
    SIZE size = {};
    GetTextExtentPoint32W(FDC, wide.data(), static_cast<int>(wide.size() - 1), &size);
    return size.cx;
}

void ShowImageIcon(HWND image, TOwnedIcon icon, TOwnedIcon& shown)
{
    SendMessageA(image, STM_SETICON, reinterpret_cast<WPARAM>(icon.get()), 0);
    shown = std::move(icon);
}

namespace {

// Puts the bytes on the open clipboard in the format.
void SetClipboardBytes(UINT format, const void* bytes, size_t size)
{
    TOwnedGlobal memory(GlobalAlloc(GMEM_MOVEABLE, size));
    void* target = memory ? GlobalLock(memory.get()) : nullptr;
    if (!target)
        throw Exception("The program could not put the text on the clipboard.");
    std::memcpy(target, bytes, size);
    GlobalUnlock(memory.get());
    if (!SetClipboardData(format, memory.get()))
        throw Exception("The program could not put the text on the clipboard.");
    // The clipboard owns it now.
    memory.release();
}

}

// Replaces the clipboard's content with the text. The Unicode form goes with
// it: a program that pastes Unicode would otherwise convert with the
// keyboard's code page, not the one the text is in.
void SetClipboardText(HWND owner, const std::string& text)
{
    const TOpenClipboard clipboard(owner);
    if (!clipboard.IsOpen())
        throw Exception("The program could not open the clipboard.");
    if (!EmptyClipboard())
        throw Exception("The program could not put the text on the clipboard.");
    const std::vector<wchar_t> wide = AnsiToWide(text);
    // A program that reads plain text reads it in the system's code page:
    // UTF-8 bytes would be garbage to it, and Windows makes that text from
    // the Unicode one by itself.
    if (!IsUtf8CodePage())
        SetClipboardBytes(CF_TEXT, text.c_str(), text.size() + 1);
    SetClipboardBytes(CF_UNICODETEXT, wide.data(), wide.size() * sizeof(wchar_t));
    // Windows makes the plain text of the Unicode one in the code page of
    // CF_LOCALE, and without it in the keyboard's: under an English keyboard
    // on a Japanese system, every Japanese character would become "?". The
    // system's locale gives the code page that programs without Unicode read.
    const LCID locale = GetSystemDefaultLCID();
    SetClipboardBytes(CF_LOCALE, &locale, sizeof locale);
}

namespace ListView {

void SetRowCount(HWND list, int count)
{
    SendMessageW(list, LVM_SETITEMCOUNT, count, LVSICF_NOSCROLL);
    InvalidateRect(list, nullptr, FALSE);
}

bool AnswerCellRequest(const NMHDR& notification, const std::function<const std::string&(int row, int column)>& cell)
{
    if (notification.code != LVN_GETDISPINFOW)
        return false;
    LVITEMW& item = reinterpret_cast<NMLVDISPINFOW&>(const_cast<NMHDR&>(notification)).item;
    if (!(item.mask & LVIF_TEXT) || !item.pszText || item.cchTextMax <= 0)
        return true;
    const std::vector<wchar_t> text = AnsiToWide(cell(item.iItem, item.iSubItem));
    size_t length = std::min(text.size() - 1, static_cast<size_t>(item.cchTextMax - 1));
    // A text cut short ends before a character, not inside one.
    if (length < text.size() - 1 && length > 0 && IS_HIGH_SURROGATE(text[length - 1]))
        --length;
    std::copy(text.begin(), text.begin() + length, item.pszText);
    item.pszText[length] = L'\0';
    return true;
}

std::vector<int> SelectedRows(HWND list)
{
    std::vector<int> rows;
    rows.reserve(static_cast<size_t>(SendMessageW(list, LVM_GETSELECTEDCOUNT, 0, 0)));
    for (int row = -1; (row = static_cast<int>(SendMessageW(list, LVM_GETNEXTITEM, row, LVNI_SELECTED))) >= 0;)
        rows.push_back(row);
    return rows;
}

void SelectAllRows(HWND list)
{
    LVITEMW item = {};
    item.stateMask = LVIS_SELECTED;
    item.state = LVIS_SELECTED;
    SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&item));
}

void SetColumnShares(HWND list, const std::vector<int>& shares)
{
    RECT client;
    GetClientRect(list, &client);
    const int width = client.right - client.left;
    for (size_t i = 0; i < shares.size(); ++i)
        SendMessageW(list, LVM_SETCOLUMNWIDTH, i, MulDiv(width, shares[i], 100));
}

}

int TListBoxStrings::Count() const
{
    return static_cast<int>(SendMessageA(FListBox, LB_GETCOUNT, 0, 0));
}

std::string TListBoxStrings::operator[](int index) const
{
    const LRESULT length = SendMessageW(FListBox, LB_GETTEXTLEN, index, 0);
    if (length == LB_ERR)
        throw EListError(Format("The list index %d is out of bounds.", index));
    // Read in Unicode, which the list holds: Wine converts an 8-bit
    // LB_GETTEXT through a buffer of 512 characters, which a long path
    // overruns. The line came from the program's text, so it converts back.
    std::vector<wchar_t> wide(static_cast<size_t>(length) + 1, L'\0');
    SendMessageW(FListBox, LB_GETTEXT, index, reinterpret_cast<LPARAM>(wide.data()));
    std::string text;
    WideToAnsi(wide.data(), text);
    return text;
}

TListBoxStrings& TListBoxStrings::operator=(const std::vector<std::string>& lines)
{
    TRedrawSuspension suspension(FListBox);
    SendMessageA(FListBox, LB_RESETCONTENT, 0, 0);
    for (const std::string& line : lines) {
        const LRESULT added = SendMessageA(FListBox, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
        if (added == LB_ERR || added == LB_ERRSPACE)
            throw Exception("The program could not add a line to the list.");
    }
    return *this;
}
