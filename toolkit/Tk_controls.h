// Typed helpers for the controls of a form: plain functions and small
// classes over a window handle, which they do not own.
#pragma once

#include "Tk_handles.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// A check box or radio button.
bool Checked(HWND control);
std::string Text(HWND control);
void SetText(HWND control, const std::string& text);
inline void SetEnabled(HWND control, bool enabled) { EnableWindow(control, enabled); }
// The selected item of a drop-down list, or -1 when none is.
inline int ItemIndex(HWND control) { return static_cast<int>(SendMessageA(control, CB_GETCURSEL, 0, 0)); }
inline void SetItemIndex(HWND control, int index) { SendMessageA(control, CB_SETCURSEL, index, 0); }
// Fills a progress bar to position of count.
void SetProgress(HWND progressBar, int position, int count);

// Stops a window from redrawing for a scope, so that many changes cost one
// redraw at the end.
class TRedrawSuspension {
public:
    explicit TRedrawSuspension(HWND window);
    ~TRedrawSuspension();
    TRedrawSuspension(const TRedrawSuspension&) = delete;
    TRedrawSuspension& operator=(const TRedrawSuspension&) = delete;

private:
    HWND FWindow;
};

// Shows the icon in an image control and keeps it in shown; the icon shown
// before goes only once the control no longer draws it.
void ShowImageIcon(HWND image, TOwnedIcon icon, TOwnedIcon& shown);

// A window's own drawing surface with the window's font, for measuring text
// as the window draws it.
class TTextMeasure {
public:
    explicit TTextMeasure(HWND window);
    ~TTextMeasure();
    TTextMeasure(const TTextMeasure&) = delete;
    TTextMeasure& operator=(const TTextMeasure&) = delete;

    int Width(const std::string& text) const;

private:
    HWND FWindow;
    HDC FDC;
    HGDIOBJ FFont;
};

// Replaces the clipboard's content with the text; Exception when the
// clipboard cannot be opened or does not take it.
void SetClipboardText(HWND owner, const std::string& text);

// A list view whose rows the form gives as they are drawn (owner data).
namespace ListView {
// Sets the number of rows, keeping the scroll position, the selection that
// is still in range and the focused row; every row is drawn afresh.
void SetRowCount(HWND list, int count);
// Answers the list's request for a cell's text (LVN_GETDISPINFOW: a form
// asks its controls for Unicode notifications): cell gives the text of a
// row's column. False when the notification is another.
bool AnswerCellRequest(const NMHDR& notification, const std::function<const std::string&(int row, int column)>& cell);
std::vector<int> SelectedRows(HWND list);
void SelectAllRows(HWND list);
// Each column's width, from the list's width as shares that add up to 100.
void SetColumnShares(HWND list, const std::vector<int>& shares);
}

// A list box's items as strings, read and replaced in place: what is
// assigned is what the list shows.
class TListBoxStrings {
public:
    explicit TListBoxStrings(HWND listBox) : FListBox(listBox) {}

    int Count() const;
    std::string operator[](int index) const;
    // Replaces every item by the lines, in their order.
    TListBoxStrings& operator=(const std::vector<std::string>& lines);
    // Would make this refer to another list rather than copy its lines.
    TListBoxStrings& operator=(const TListBoxStrings&) = delete;

private:
    HWND FListBox;
};
