#include "Tk_forms.h"

#include "Tk_application.h"
#include "Tk_dpi.h"
#include "Tk_exceptions.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>

namespace {

const int FirstControlId = 1000;
const int FirstShortcutId = 0x8000;

// An empty dialog frame; the controls are created at run time, in pixels.
// CreateDialogIndirect wants the template on a DWORD boundary; DLGTEMPLATE
// itself is declared 2-byte packed.
struct alignas(DWORD) TEmptyDialogTemplate {
    DLGTEMPLATE Header;
    WORD Menu, Class, Title;
};

struct TClassAndStyle {
    const char* ClassName;
    DWORD Style;
    DWORD ExStyle;
};

TClassAndStyle ClassAndStyle(const TControlDesc& control)
{
    const unsigned flags = control.Flags;
    switch (control.Kind) {
    case TControlKind::Label: {
        DWORD style = (flags & cfCentered) ? SS_CENTER : SS_LEFT;
        if (!(flags & cfWordWrap))
            style |= SS_CENTERIMAGE; // one line, centred vertically
        if (flags & cfNoPrefix)
            style |= SS_NOPREFIX;
        if (flags & cfEndEllipsis)
            style |= SS_ENDELLIPSIS;
        if (flags & cfPathEllipsis)
            style |= SS_PATHELLIPSIS;
        return {"STATIC", style, 0};
    }
    case TControlKind::Edit:
        return {"EDIT", ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE};
    case TControlKind::Button:
        return {"BUTTON", static_cast<DWORD>((flags & cfDefault) ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | WS_TABSTOP, 0};
    case TControlKind::CheckBox:
        return {"BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP, 0};
    case TControlKind::RadioButton:
        // Only the checked radio button of a group is a tab stop.
        return {"BUTTON", BS_AUTORADIOBUTTON, 0};
    case TControlKind::ComboBox:
        return {"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0};
    case TControlKind::ListBox:
        return {"LISTBOX",
                LBS_EXTENDEDSEL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP,
                WS_EX_CLIENTEDGE};
    case TControlKind::GroupBox:
        return {"BUTTON", BS_GROUPBOX, 0};
    case TControlKind::Image:
        return {"STATIC", SS_ICON | SS_CENTERIMAGE, 0};
    case TControlKind::ProgressBar:
        return {PROGRESS_CLASSA, 0, 0};
    case TControlKind::ListView:
        return {WC_LISTVIEWA, LVS_REPORT | LVS_OWNERDATA | LVS_SHOWSELALWAYS | WS_TABSTOP, WS_EX_CLIENTEDGE};
    case TControlKind::Panel:
        break;
    }
    return {nullptr, 0, 0};
}

// The controls from the group start before radio to the next group start.
std::vector<HWND> RadioGroup(HWND radio)
{
    HWND first = radio;
    while (!(GetWindowLongA(first, GWL_STYLE) & WS_GROUP) && GetWindow(first, GW_HWNDPREV))
        first = GetWindow(first, GW_HWNDPREV);
    std::vector<HWND> group;
    for (HWND other = first; other; other = GetWindow(other, GW_HWNDNEXT)) {
        if (other != first && (GetWindowLongA(other, GWL_STYLE) & WS_GROUP))
            break;
        group.push_back(other);
    }
    return group;
}

bool IsListBox(HWND control)
{
    char className[8] = {};
    GetClassNameA(control, className, sizeof className);
    return lstrcmpiA(className, "ListBox") == 0;
}

// The items of a caption, one per line. Split by hand: a string stream would
// pull the whole stream and locale library into every executable.
std::vector<std::string> CaptionItems(const char* caption)
{
    std::vector<std::string> items;
    for (const char* item = caption; item && *item;) {
        const char* end = std::strchr(item, '\n');
        items.push_back(end ? std::string(item, end) : std::string(item));
        item = end ? end + 1 : item + items.back().size();
    }
    return items;
}

// A list view's columns, sharing its width; rows selected whole.
void AddColumns(HWND list, const char* headings, int width, int dpi)
{
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER,
                 LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
    const std::vector<std::string> items = CaptionItems(headings);
    for (size_t i = 0; i < items.size(); ++i) {
        LVCOLUMNA column = {};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.pszText = const_cast<char*>(items[i].c_str());
        column.cx = (width - SystemMetricForDpi(SM_CXVSCROLL, dpi)) / static_cast<int>(items.size());
        SendMessageA(list, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
    }
}

// The columns as wide as the user left them, at the new density.
void ScaleColumns(HWND list, int from, int to)
{
    const HWND header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
    const int count = static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        const int width = static_cast<int>(SendMessageA(list, LVM_GETCOLUMNWIDTH, i, 0));
        SendMessageA(list, LVM_SETCOLUMNWIDTH, i, MulDiv(width, to, from));
    }
}

[[noreturn]] void RaiseUnknownControl(const std::string& name)
{
    throw Exception("The program does not know the control \"" + name + "\".");
}

}

TForm::TForm(const TFormDesc& description)
    : FFontHeight(description.FontHeight),
      FDescribedClient{description.ClientWidth, description.ClientHeight},
      FHasIcons(description.BorderStyle != TBorderStyle::None)
{
    // Laid out for the monitor it opens on, centred on its work area. A
    // form without controls has nothing to lay out: the launcher, made on
    // every run, does not wait for the monitor's density.
    const HMONITOR monitor = UsersMonitor();
    FDpi = description.Controls.empty() ? USER_DEFAULT_SCREEN_DPI : Application.MonitorPixelsPerInch(monitor);
    // Only a form with controls shows text. The first font made starts
    // the system's fonts, which a hidden form need not wait for.
    if (!description.Controls.empty())
        FFont = MakeFont();

    // A dialog gets a taskbar button and an Alt+Tab entry: the program shows
    // no main window, so a dialog behind another program could not be found
    // without them.
    // A form without a border is never seen, so it needs no owner, and as a
    // tool window it gets no taskbar button: a run that shows nothing then
    // makes no second window.
    TEmptyDialogTemplate frame = {};
    frame.Header.style = WS_POPUP;
    HWND owner = nullptr;
    switch (description.BorderStyle) {
    case TBorderStyle::Dialog:
        frame.Header.style |= WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_3DLOOK;
        frame.Header.dwExtendedStyle = WS_EX_DLGMODALFRAME | WS_EX_APPWINDOW;
        owner = Application.Handle();
        break;
    case TBorderStyle::Sizeable:
        frame.Header.style |= WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MAXIMIZEBOX | DS_3DLOOK;
        frame.Header.dwExtendedStyle = WS_EX_APPWINDOW;
        owner = Application.Handle();
        break;
    case TBorderStyle::None:
        frame.Header.dwExtendedStyle = WS_EX_TOOLWINDOW;
        break;
    }
    FHandle.reset(CreateDialogIndirectParamA(GetModuleHandleA(nullptr), &frame.Header, owner, DialogProc,
                                             reinterpret_cast<LPARAM>(this)));
    if (!FHandle)
        throw Exception("The program could not create a window.");
    SetWindowTextA(Handle(), description.Caption);
    SendMessageA(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(FFont.get()), FALSE);
    LoadIcons();

    // The controls are laid out for the description's client area; a
    // sizeable form then grows to three quarters of the work area, at most
    // half as large again, and centred on the work area.
    FDesignClient = {Scale(description.ClientWidth), Scale(description.ClientHeight)};
    CreateControls(description);
    if (!description.Controls.empty())
        LeaveDpiChangesToDialog(Handle());
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    GetMonitorInfoA(monitor, &info);
    const RECT& work = info.rcWork;
    SIZE client = FDesignClient;
    if (description.BorderStyle == TBorderStyle::Sizeable) {
        const auto grown = [](LONG design, LONG area) { return std::max(design, std::min(area * 3 / 4, design * 3 / 2)); };
        client = {grown(client.cx, work.right - work.left), grown(client.cy, work.bottom - work.top)};
    }
    RECT bounds = {0, 0, client.cx, client.cy};
    AdjustWindowRectForDpi(bounds, Handle(), FDpi);
    SetWindowPos(Handle(), nullptr, 0, 0, bounds.right - bounds.left, bounds.bottom - bounds.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    CenterWindow(Handle(), work);
}

TForm::~TForm() = default;

TOwnedFont TForm::MakeFont() const
{
    // In Unicode: GDI would read an 8-bit face name in the system's code
    // page, whatever the program's manifest asks, and miss a localized one.
    NONCLIENTMETRICSW metrics = {};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    LOGFONTW font = metrics.lfMessageFont;
    font.lfHeight = -Scale(FFontHeight);
    font.lfWidth = 0;
    TOwnedFont made(CreateFontIndirectW(&font));
    if (!made)
        throw Exception("The program could not create a font.");
    return made;
}

void TForm::LoadIcons()
{
    // Only a window with a caption shows the icons.
    if (!FHasIcons)
        return;
    TOwnedIcon smallIcon = Application.Icon(LIM_SMALL, FDpi);
    TOwnedIcon largeIcon = Application.Icon(LIM_LARGE, FDpi);
    SendMessageA(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon.get()));
    SendMessageA(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(largeIcon.get()));
    // The old icons go once the window no longer shows them.
    FSmallIcon = std::move(smallIcon);
    FLargeIcon = std::move(largeIcon);
}

RECT TForm::ScaledBounds(const RECT& described, bool dropDown) const
{
    // The height with room for the list when it drops down.
    const int height = Scale(described.bottom - described.top) + (dropDown ? Scale(200) : 0);
    return {Scale(described.left), Scale(described.top), Scale(described.left) + Scale(described.right - described.left),
            Scale(described.top) + height};
}

RECT TForm::AnchoredBounds(const RECT& described, bool dropDown) const
{
    // The right edge scaled as a whole, not from the left edge and the width.
    RECT bounds = ScaledBounds(described, dropDown);
    bounds.right = Scale(described.right);
    return bounds;
}

void TForm::ChangeDpi(int dpi, const RECT& suggested)
{
    // A form is built for the monitor it opens on, and Windows tells it
    // that monitor's density as it moves there for the first time.
    if (dpi == FDpi)
        return;
    const int previous = FDpi;
    FDpi = dpi;
    FDesignClient = {Scale(FDescribedClient.cx), Scale(FDescribedClient.cy)};
    TOwnedFont font = FFont ? MakeFont() : TOwnedFont();
    // As on construction: the rectangle first, then the font, which a
    // drop-down's and a list box's rows take their height from.
    for (const TPlaced& control : FPlaced) {
        const RECT bounds = ScaledBounds(control.Described, control.Kind == TControlKind::ComboBox);
        SetWindowPos(control.Window, nullptr, bounds.left, bounds.top, bounds.right - bounds.left,
                     bounds.bottom - bounds.top, SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageA(control.Window, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
        if (control.Kind == TControlKind::ListView)
            ScaleColumns(control.Window, previous, dpi);
    }
    SendMessageA(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
    // The old font goes once no control uses it.
    FFont = std::move(font);
    LoadIcons();
    // A sizeable form keeps the size the user gave it, scaled: Windows
    // suggests that. The anchored controls then follow the new client
    // area, whether or not its size changed.
    SetWindowPos(Handle(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    RECT client;
    GetClientRect(Handle(), &client);
    LayOut(client.right, client.bottom);
    // Drawn once, whole, with the new fonts: WM_SETFONT above asked none.
    RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    DpiChanged();
}

void TForm::CreateControls(const TFormDesc& description)
{
    if (!description.Controls.empty())
        Application.InitializeControls();
    std::map<std::string, POINT> origins;
    int id = FirstControlId;
    for (const TControlDesc& control : description.Controls) {
        POINT origin = {0, 0};
        if (control.Parent) {
            const auto parent = origins.find(control.Parent);
            if (parent == origins.end())
                RaiseUnknownControl(control.Parent);
            origin = parent->second;
        }
        const POINT position = {origin.x + control.Left, origin.y + control.Top};
        origins[control.Name] = position;
        const RECT described = {position.x, position.y, position.x + control.Width, position.y + control.Height};

        const TClassAndStyle kind = ClassAndStyle(control);
        if (!kind.ClassName)
            continue; // a panel only groups its controls
        DWORD style = WS_CHILD | WS_VISIBLE | kind.Style;
        // Every control but a radio button in the middle of its group starts
        // a group, so arrow keys move between radio buttons only.
        if (control.Kind != TControlKind::RadioButton || (control.Flags & cfGroup))
            style |= WS_GROUP;
        const bool hasItems = control.Kind == TControlKind::ComboBox;
        const RECT bounds = ScaledBounds(described, hasItems);
        const char* caption = control.Caption && !hasItems ? control.Caption : "";
        // A child goes with the form's window.
        HWND window = CreateWindowExA(kind.ExStyle, kind.ClassName, caption, style, bounds.left, bounds.top,
                                      bounds.right - bounds.left, bounds.bottom - bounds.top, Handle(),
                                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id++)), GetModuleHandleA(nullptr),
                                      nullptr);
        if (!window)
            throw Exception("The program could not create a window.");
        // A list box makes its rows as tall as this font's line.
        SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(FFont.get()), FALSE);
        if (hasItems && control.Caption) {
            for (const std::string& item : CaptionItems(control.Caption))
                SendMessageA(window, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
            SendMessageA(window, CB_SETCURSEL, 0, 0);
        }
        if (control.Kind == TControlKind::ListView)
            AddColumns(window, control.Caption, Scale(control.Width), FDpi);
        if ((control.Flags & cfDefault) && control.Kind == TControlKind::Button)
            SendMessageA(Handle(), DM_SETDEFID, GetDlgCtrlID(window), 0);
        FPlaced.push_back({window, described, control.Kind, control.Anchors});
        FAnchored = FAnchored || control.Anchors != (akLeft | akTop);
        FControls[control.Name] = window;
        FFlags[window] = control.Flags;
        if (control.ModalResult != mrNone)
            FModalResults[window] = control.ModalResult;
    }
}

void TForm::LayOut(int width, int height)
{
    if (!FAnchored)
        return;
    const LONG dx = width - FDesignClient.cx;
    const LONG dy = height - FDesignClient.cy;
    // An edge anchored to the far side moves with it; a control anchored to
    // both sides of an axis stretches.
    const auto place = [](LONG& low, LONG& high, bool nearSide, bool farSide, LONG delta) {
        if (farSide) {
            high += delta;
            if (!nearSide)
                low += delta;
        }
    };
    HDWP positions = BeginDeferWindowPos(static_cast<int>(FPlaced.size()));
    for (const TPlaced& control : FPlaced) {
        if (control.Anchors == (akLeft | akTop))
            continue;
        RECT bounds = AnchoredBounds(control.Described, control.Kind == TControlKind::ComboBox);
        place(bounds.left, bounds.right, control.Anchors & akLeft, control.Anchors & akRight, dx);
        place(bounds.top, bounds.bottom, control.Anchors & akTop, control.Anchors & akBottom, dy);
        if (positions)
            positions = DeferWindowPos(positions, control.Window, nullptr, bounds.left, bounds.top,
                                       bounds.right - bounds.left, bounds.bottom - bounds.top,
                                       SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (positions)
        EndDeferWindowPos(positions);
}

void TForm::SetMinimumSize(MINMAXINFO& limits) const
{
    RECT bounds = {0, 0, FDesignClient.cx, FDesignClient.cy};
    AdjustWindowRectForDpi(bounds, Handle(), FDpi);
    limits.ptMinTrackSize = {bounds.right - bounds.left, bounds.bottom - bounds.top};
}

HWND TForm::Control(const std::string& name) const
{
    const auto found = FControls.find(name);
    if (found == FControls.end())
        RaiseUnknownControl(name);
    return found->second;
}

void TForm::AddShortcut(WORD key, BYTE modifiers, std::function<void()> handler)
{
    FShortcuts.push_back({static_cast<BYTE>(FVIRTKEY | modifiers), key,
                          static_cast<WORD>(FirstShortcutId + FShortcutHandlers.size())});
    FShortcutHandlers.push_back(std::move(handler));
    FAccelerators.reset(CreateAcceleratorTableA(FShortcuts.data(), static_cast<int>(FShortcuts.size())));
    if (!FAccelerators)
        throw Exception("The program could not create the keyboard shortcuts.");
}

HWND TForm::FirstTabStop() const
{
    for (HWND child = GetWindow(Handle(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const LONG style = GetWindowLongA(child, GWL_STYLE);
        if ((style & WS_TABSTOP) && (style & WS_VISIBLE) && !(style & WS_DISABLED))
            return child;
    }
    return nullptr;
}

void TForm::SetActiveControl(HWND control)
{
    // Before the form shows, the control is only remembered for the show.
    if (!control || !IsWindowVisible(Handle())) {
        FActiveControl = control;
        return;
    }
    // A disabled or hidden control cannot take the focus: the form keeps the
    // focus, and the active control, where they are.
    if (IsWindowVisible(control) && IsWindowEnabled(control)) {
        FActiveControl = control;
        SendMessageA(Handle(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
    }
}

void TForm::SetChecked(HWND control, bool checked)
{
    if (Checked(control) == checked)
        return;
    SendMessageA(control, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    if ((GetWindowLongA(control, GWL_STYLE) & BS_TYPEMASK) == BS_AUTORADIOBUTTON) {
        if (checked) {
            // Uncheck the rest of the group, as a click would.
            for (HWND other : RadioGroup(control)) {
                if (other != control)
                    SendMessageA(other, BM_SETCHECK, BST_UNCHECKED, 0);
            }
        }
        UpdateRadioTabStops(control);
    }
    const auto handler = FClickHandlers.find(control);
    if (handler != FClickHandlers.end())
        handler->second();
}

void TForm::UpdateRadioTabStops(HWND radio)
{
    for (HWND other : RadioGroup(radio)) {
        LONG style = GetWindowLongA(other, GWL_STYLE);
        style = Checked(other) ? (style | WS_TABSTOP) : (style & ~WS_TABSTOP);
        SetWindowLongA(other, GWL_STYLE, style);
    }
}


HWND TForm::ButtonWith(unsigned flag) const
{
    for (const auto& control : FFlags) {
        if (control.second & flag)
            return control.first;
    }
    return nullptr;
}


void TForm::Click(HWND control)
{
    if ((GetWindowLongA(control, GWL_STYLE) & BS_TYPEMASK) == BS_AUTORADIOBUTTON)
        UpdateRadioTabStops(control);
    const auto handler = FClickHandlers.find(control);
    // A failed click does not close the form.
    if (handler != FClickHandlers.end() && !RunHandler(handler->second))
        return;
    const auto result = FModalResults.find(control);
    if (result != FModalResults.end())
        FModalResult = result->second;
}

void TForm::Command(HWND control, WORD code, WORD id)
{
    if (!control) {
        if (id >= FirstShortcutId && id < FirstShortcutId + FShortcutHandlers.size()) {
            RunHandler(FShortcutHandlers[id - FirstShortcutId]);
        } else if (id == IDOK || id == IDCANCEL) {
            // Enter and Escape as the dialog manager reports them.
            HWND button = ButtonWith(id == IDOK ? cfDefault : cfCancel);
            if (button && IsWindowEnabled(button))
                Click(button);
            else if (id == IDCANCEL)
                FModalResult = mrCancel;
        }
        return;
    }
    // The codes of other kinds' notifications have the same values.
    const auto changed = FChangeHandlers.find(control);
    if (changed != FChangeHandlers.end() && (code == EN_CHANGE || code == CBN_SELCHANGE)) {
        RunHandler(changed->second);
        return;
    }
    // A list box reports every change of its selection, by mouse or keyboard.
    if (code == BN_CLICKED || (code == LBN_SELCHANGE && IsListBox(control)))
        Click(control);
}

bool TForm::HandleMessage(UINT, WPARAM, LPARAM, LRESULT&)
{
    return false;
}

INT_PTR CALLBACK TForm::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(window, DWLP_USER, lParam);
        return FALSE;
    }
    TForm* form = reinterpret_cast<TForm*>(GetWindowLongPtrA(window, DWLP_USER));
    if (!form)
        return FALSE;
    switch (message) {
    case WM_COMMAND:
        form->Command(reinterpret_cast<HWND>(lParam), HIWORD(wParam), LOWORD(wParam));
        return TRUE;
    case WM_CLOSE:
        form->FModalResult = mrCancel; // the close box
        return TRUE;
    case WM_SIZE:
        if (wParam != SIZE_MINIMIZED)
            form->LayOut(LOWORD(lParam), HIWORD(lParam));
        return TRUE;
    case WM_GETMINMAXINFO:
        form->SetMinimumSize(*reinterpret_cast<MINMAXINFO*>(lParam));
        return TRUE;
    case WM_DPICHANGED:
        // Both words of wParam hold the density; Windows' scaling is the
        // same across and down.
        form->RunHandler([&] { form->ChangeDpi(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam)); });
        return TRUE;
    case WM_NOTIFYFORMAT:
        // A list view's rows then come in Unicode, whatever the code page.
        SetWindowLongPtrA(window, DWLP_MSGRESULT, NFR_UNICODE);
        return TRUE;
    default: {
        LRESULT result = 0;
        bool handled = false;
        form->RunHandler([&] { handled = form->HandleMessage(message, wParam, lParam, result); });
        if (handled)
            SetWindowLongPtrA(window, DWLP_MSGRESULT, result);
        return handled;
    }
    }
}
