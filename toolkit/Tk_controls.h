// Typed helpers for the controls of a form: plain functions and small
// classes over a window handle, which they do not own.
#pragma once

#include <windows.h>

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
