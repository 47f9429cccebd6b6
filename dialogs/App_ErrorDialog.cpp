#include "App_ErrorDialog.h"

#include "App_ErrorDialogForm.h"
#include "App_common.h"
#include "App_texts.h"
#include "Kro_autopointers.h"
#include "Tk_application.h"
#include "Tk_controls.h"
#include "Tk_screen.h"
#include "Tk_texts.h"

#include <windowsx.h>

#include <algorithm>

TErrorDialog* ErrorDialog = nullptr;

TErrorDialog* GetErrorDialog()
{
    if (!ErrorDialog)
        ErrorDialog = Application.CreateForm<TErrorDialog>();
    return ErrorDialog;
}

TErrorDialog::TErrorDialog()
    : TAppDialog(ErrorDialogForm()),
      Explanation(Text(IDS_ERRORS_EXPLANATION)),
      Image1(Control("Image1")),
      Label1(Control("Label1")),
      ListBox1(Control("ListBox1")),
      Label2(Control("Label2"))
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
    ShowIcon();

    PopupMenu1.reset(CreatePopupMenu());
    HMENU menu = PopupMenu1.get();
    if (!menu || !AppendMenuA(menu, MF_STRING, Action1.MenuItem, Text(IDS_ERRORS_COPY))
        || !AppendMenuA(menu, MF_SEPARATOR, 0, nullptr)
        || !AppendMenuA(menu, MF_STRING, Action2.MenuItem, Text(IDS_ERRORS_SELECT_ALL))
        || !AppendMenuA(menu, MF_STRING, Action3.MenuItem, Text(IDS_ERRORS_REVERSE)))
        throw EAppError("The program could not create the context menu.");
}

void TErrorDialog::ShowIcon()
{
    // The system's error icon.
    ShowImageIcon(Image1, LoadIconForDpi(nullptr, MAKEINTRESOURCEW(32513), LIM_LARGE, Dpi()), FIcon);
}

// The icon at the new density's size, and the list's scrolling over its
// paths in the new font.
void TErrorDialog::DpiChanged()
{
    ShowIcon();
    UpdateScrollWidth(ListBox1);
}

void TErrorDialog::Finalize()
{
    PopupMenu1.reset();
    FIcon.reset();
}

int TErrorDialog::Execute()
{
    SetText(Label1, Explanation);
    UpdateScrollWidth(ListBox1);
    if (GetFiles().Count() > 0) {
        SendMessageA(ListBox1, LB_SETSEL, FALSE, -1);
        SendMessageA(ListBox1, LB_SETCARETINDEX, 0, FALSE);
        SendMessageA(ListBox1, LB_SETTOPINDEX, 0, 0);
    }
    ListChanged();
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
    ListChanged();
}

void TErrorDialog::ListChanged()
{
    RefreshActions();
    const LRESULT caret = SendMessageA(ListBox1, LB_GETCARETINDEX, 0, 0);
    // Raised in English, shown in the user's language.
    SetText(Label2,
            caret >= 0 && static_cast<size_t>(caret) < Reasons.size() ? Translated(Reasons[caret]) : std::string());
}

void TErrorDialog::ExecuteAction(TAction& action)
{
    if (action.Enabled)
        ActionList1Execute(action);
}

void TErrorDialog::ActionList1Execute(TAction& action)
{
    const TBusyPointer busy;
    try {
        SetActiveControl(ListBox1);
        (this->*action.OnExecute)();
    } catch (...) {
        ListChanged();
        throw;
    }
    // Reverse selection may move the caret: Wine's LB_SETSEL does.
    ListChanged();
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
