#include "App_ErrorDialog.h"

#include "App_ErrorDialogForm.h"
#include "App_common.h"
#include "Kro_autopointers.h"
#include "Tk_application.h"
#include "Tk_format.h"
#include "Tk_strings.h"

#include <windowsx.h>

#include <algorithm>
#include <cstring>

TErrorDialog* ErrorDialog = nullptr;

TErrorDialog* GetErrorDialog()
{
    if (!ErrorDialog)
        ErrorDialog = Application.CreateForm<TErrorDialog>();
    return ErrorDialog;
}

namespace {

// Stops a window from redrawing for a scope, so that many changes cost one
// redraw at the end.
class TRedrawSuspension {
public:
    explicit TRedrawSuspension(HWND window) : FWindow(window) { SendMessageA(FWindow, WM_SETREDRAW, FALSE, 0); }
    ~TRedrawSuspension()
    {
        SendMessageA(FWindow, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(FWindow, nullptr, TRUE);
    }
    TRedrawSuspension(const TRedrawSuspension&) = delete;
    TRedrawSuspension& operator=(const TRedrawSuspension&) = delete;

private:
    HWND FWindow;
};

// A window's own drawing surface with the window's font, for measuring text
// as the window draws it.
class TTextMeasure {
public:
    explicit TTextMeasure(HWND window) : FWindow(window), FDC(GetDC(window))
    {
        FFont = SelectObject(FDC, reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0)));
    }
    ~TTextMeasure()
    {
        SelectObject(FDC, FFont);
        ReleaseDC(FWindow, FDC);
    }
    TTextMeasure(const TTextMeasure&) = delete;
    TTextMeasure& operator=(const TTextMeasure&) = delete;

    // GDI reads 8-bit text in the system's code page, not in the one the
    // program's manifest asks for: measured in Unicode, a UTF-8 line has the
    // width the list box draws it with.
    int Width(const std::string& text) const
    {
        const std::vector<wchar_t> wide = AnsiToWide(text);
        SIZE size = {};
        GetTextExtentPoint32W(FDC, wide.data(), static_cast<int>(wide.size() - 1), &size);
        return size.cx;
    }

private:
    HWND FWindow;
    HDC FDC;
    HGDIOBJ FFont;
};

// Puts the bytes, which end in NUL, on the open clipboard in the format.
void SetClipboardBytes(UINT format, const void* bytes, size_t size)
{
    TOwnedGlobal memory(GlobalAlloc(GMEM_MOVEABLE, size));
    void* target = memory ? GlobalLock(memory.get()) : nullptr;
    if (!target)
        throw EAppError("The program could not put the text on the clipboard.");
    std::memcpy(target, bytes, size);
    GlobalUnlock(memory.get());
    if (!SetClipboardData(format, memory.get()))
        throw EAppError("The program could not put the text on the clipboard.");
    // The clipboard owns it now.
    memory.release();
}

// Replaces the clipboard's content with the text. The Unicode form goes with
// it: a program that pastes Unicode would otherwise convert with the
// keyboard's code page, not the one the text is in.
void SetClipboardText(HWND owner, const std::string& text)
{
    const TOpenClipboard clipboard(owner);
    if (!clipboard.IsOpen())
        throw EAppError("The program could not open the clipboard.");
    if (!EmptyClipboard())
        throw EAppError("The program could not put the text on the clipboard.");
    const std::vector<wchar_t> wide = AnsiToWide(text);
    // A program that reads plain text reads it in the system's code page:
    // UTF-8 bytes would be garbage to it, and Windows makes that text from
    // the Unicode one by itself.
    if (GetACP() != CP_UTF8)
        SetClipboardBytes(CF_TEXT, text.c_str(), text.size() + 1);
    SetClipboardBytes(CF_UNICODETEXT, wide.data(), wide.size() * sizeof(wchar_t));
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
            throw EAppError("The program could not add a line to the list.");
    }
    return *this;
}

TErrorDialog::TErrorDialog()
    : TAppDialog(ErrorDialogForm), Image1(Control("Image1")), ListBox1(Control("ListBox1"))
{
    OnClick(ListBox1, [this] { ListBox1Click(); });
    for (TAction* action : ActionList1) {
        if (action->ShortCut)
            AddShortcut(action->ShortCut, FCONTROL, [this, action] { ExecuteAction(*action); });
    }
    try {
        Initialize();
    } catch (...) {
        Finalize();
        throw;
    }
}

TErrorDialog::~TErrorDialog()
{
    Finalize();
}

void TErrorDialog::Initialize()
{
    FIcon = LoadIconAtSystemSize(nullptr, MAKEINTRESOURCEW(32513), LIM_LARGE); // the system's error icon
    SendMessageA(Image1, STM_SETICON, reinterpret_cast<WPARAM>(FIcon.get()), 0);

    PopupMenu1.reset(CreatePopupMenu());
    HMENU menu = PopupMenu1.get();
    if (!menu || !AppendMenuA(menu, MF_STRING, Action1.MenuItem, "&Copy\tCtrl+C")
        || !AppendMenuA(menu, MF_SEPARATOR, 0, nullptr)
        || !AppendMenuA(menu, MF_STRING, Action2.MenuItem, "Select &All\tCtrl+A")
        || !AppendMenuA(menu, MF_STRING, Action3.MenuItem, "&Reverse Selection"))
        throw EAppError("The program could not create the context menu.");
}

void TErrorDialog::Finalize()
{
    PopupMenu1.reset();
    FIcon.reset();
}

int TErrorDialog::Execute()
{
    UpdateScrollWidth(ListBox1);
    if (GetFiles().Count() > 0) {
        SendMessageA(ListBox1, LB_SETSEL, FALSE, -1);
        SendMessageA(ListBox1, LB_SETCARETINDEX, 0, FALSE);
        SendMessageA(ListBox1, LB_SETTOPINDEX, 0, 0);
    }
    RefreshActions();
    // The list, not wherever the focus was when the dialog closed last time.
    SetActiveControl(FirstTabStop());
    return ShowModal();
}

bool TErrorDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (message != WM_CONTEXTMENU || reinterpret_cast<HWND>(wParam) != ListBox1)
        return false;
    POINT at = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (at.x == -1 && at.y == -1) {
        // Opened from the keyboard: at the list's top left corner.
        at = {0, 0};
        ClientToScreen(ListBox1, &at);
    }
    const UINT chosen = TrackPopupMenu(PopupMenu1.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, Handle(), nullptr);
    result = 0;
    for (TAction* action : ActionList1) {
        if (action->MenuItem == chosen)
            ExecuteAction(*action);
    }
    return true;
}

void TErrorDialog::ListBox1Click()
{
    RefreshActions();
}

void TErrorDialog::ExecuteAction(TAction& action)
{
    if (action.Enabled)
        ActionList1Execute(action);
}

void TErrorDialog::ActionList1Execute(TAction& action)
{
    HCURSOR previous = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
    try {
        SetActiveControl(ListBox1);
        (this->*action.OnExecute)();
    } catch (...) {
        RefreshActions();
        SetCursor(previous);
        throw;
    }
    RefreshActions();
    SetCursor(previous);
}

void TErrorDialog::RefreshActions()
{
    for (TAction* action : ActionList1) {
        if (action->OnUpdate)
            (this->*action->OnUpdate)(*action);
        EnableMenuItem(PopupMenu1.get(), action->MenuItem, MF_BYCOMMAND | (action->Enabled ? MF_ENABLED : MF_GRAYED));
    }
}

void TErrorDialog::Action1Execute()
{
    const size_t selected = static_cast<size_t>(SendMessageA(ListBox1, LB_GETSELCOUNT, 0, 0));
    TAutoPointer<std::vector<std::string>> lines(new std::vector<std::string>());
    lines->reserve(selected);
    const TListBoxStrings items = GetFiles();
    const int count = items.Count();
    for (int i = 0; i < count && lines->size() < selected; ++i) {
        if (SendMessageA(ListBox1, LB_GETSEL, i, 0) > 0)
            lines->push_back(items[i]);
    }
    std::string text;
    for (const std::string& line : *lines)
        text += line + "\r\n";
    SetClipboardText(Handle(), text);
}

void TErrorDialog::Action1Update(TAction& sender)
{
    sender.Enabled = SendMessageA(ListBox1, LB_GETSELCOUNT, 0, 0) > 0;
}

void TErrorDialog::Action2Execute()
{
    TRedrawSuspension suspension(ListBox1);
    SendMessageA(ListBox1, LB_SETSEL, TRUE, -1);
}

void TErrorDialog::Action3Execute()
{
    TRedrawSuspension suspension(ListBox1);
    const int count = GetFiles().Count();
    for (int i = 0; i < count; ++i) {
        const bool selected = SendMessageA(ListBox1, LB_GETSEL, i, 0) > 0;
        SendMessageA(ListBox1, LB_SETSEL, !selected, i);
    }
}

void TErrorDialog::UpdateScrollWidth(HWND listBox)
{
    const TListBoxStrings items(listBox);
    const int count = items.Count();
    const TTextMeasure measure(listBox);
    int widest = 0;
    for (int i = 0; i < count; ++i)
        widest = std::max(widest, measure.Width(items[i]));
    SendMessageA(listBox, LB_SETHORIZONTALEXTENT, widest, 0);
}
