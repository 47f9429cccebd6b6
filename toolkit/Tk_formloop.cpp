// The loops of a form, its own modal one or the caller's for a form shown
// without, and its keyboard and focus rules: the dialog manager's keys,
// focus-out checks that keep the focus on a failing field, the default
// button that follows the focus, and the close query.
#include "Tk_forms.h"

#include "Tk_exceptions.h"
#include "Tk_screen.h"

namespace {

bool IsPushButton(HWND control)
{
    return (SendMessageA(control, WM_GETDLGCODE, 0, 0) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) != 0;
}

WCHAR UpperCase(WCHAR character)
{
    // A single character goes in and out in the pointer's low word.
    return static_cast<WCHAR>(reinterpret_cast<ULONG_PTR>(CharUpperW(reinterpret_cast<LPWSTR>(character))));
}

}

int TForm::ShowModal()
{
    // A form that is up already would end up in two loops at once.
    if (IsWindowVisible(Handle()))
        throw Exception("The program cannot show a visible window modally.");
    FModalResult = mrNone;
    {
        // The others are enabled again before the form hides, so that the
        // activation returns to one of them.
        const TDisabledWindows others(Handle());
        const TNormalPointer pointer;
        RunModalLoop();
    }
    ShowWindow(Handle(), SW_HIDE);
    return FModalResult;
}

void TForm::Close()
{
    if (Application.MainWindow() == Handle()) {
        ShowWindow(Handle(), SW_HIDE);
        Application.Terminate();
    } else {
        FModalResult = mrCancel;
    }
}

void TForm::Show()
{
    FModalResult = mrNone;
    Activate();
}

void TForm::ProcessMessages()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            // Leave the quit for the loop that owns the application.
            PostQuitMessage(static_cast<int>(message.wParam));
            FModalResult = mrCancel;
            return;
        }
        HandleQueued(message);
    }
}

void TForm::Activate()
{
    Application.ShowMainWindow();
    ShowWindow(Handle(), SW_SHOWNORMAL);
    SetForegroundWindow(Handle());
    HWND focus = FActiveControl && IsWindowEnabled(FActiveControl) ? FActiveControl : FirstTabStop();
    FActiveControl = nullptr;
    if (focus)
        SetActiveControl(focus);
    else
        SetFocus(Handle());
}

void TForm::RunModalLoop()
{
    Activate();
    while (FModalResult == mrNone) {
        MSG message;
        const int got = Application.NextMessage(message);
        if (got <= 0) {
            // Leave the quit for the loop that owns the application.
            if (got == 0)
                PostQuitMessage(static_cast<int>(message.wParam));
            FModalResult = mrCancel;
            break;
        }
        HandleQueued(message);
        if (FModalResult != mrNone && !TryClose())
            FModalResult = mrNone;
    }
}

// The wide functions: the ANSI ones split a double-byte character typed
// into two broken character messages.
void TForm::HandleQueued(MSG& message)
{
    if (RefusesToLeave(message))
        return;
    if (!(FAccelerators && TranslateAcceleratorW(Handle(), FAccelerators.get(), &message))
        && !IsDialogMessageW(Handle(), &message)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    TrackFocus();
}

// The focus cannot move on from a field that fails its check. Once moved by
// the keyboard it would already have acted on the control it reached (an
// access key checks a choice), so the check runs before the key does, and a
// failure leaves the key undone.
bool TForm::RefusesToLeave(const MSG& message)
{
    const auto handler = FExitHandlers.find(FActiveControl);
    return handler != FExitHandlers.end() && GetFocus() == FActiveControl && IsKeyboardMove(message)
        && !RunHandler(handler->second);
}

// Tab, an arrow or an access key that the control with the focus leaves to
// the dialog manager.
bool TForm::IsKeyboardMove(const MSG& message) const
{
    const bool character = message.message == WM_CHAR || message.message == WM_SYSCHAR;
    if (message.message != WM_KEYDOWN && !character)
        return false;
    const LRESULT wants = SendMessageW(FActiveControl, WM_GETDLGCODE, message.wParam,
                                       reinterpret_cast<LPARAM>(&message));
    if (wants & DLGC_WANTMESSAGE)
        return false;
    if (message.message == WM_KEYDOWN) {
        if (message.wParam == VK_TAB)
            return !(wants & DLGC_WANTTAB);
        const bool arrow = message.wParam >= VK_LEFT && message.wParam <= VK_DOWN;
        return arrow && !(wants & DLGC_WANTARROWS);
    }
    if (message.message == WM_CHAR && (wants & DLGC_WANTCHARS))
        return false;
    return HasAccessKey(static_cast<WCHAR>(message.wParam));
}

bool TForm::HasAccessKey(WCHAR key) const
{
    for (const auto& control : FControls) {
        HWND window = control.second;
        if (!IsWindowVisible(window) || !IsWindowEnabled(window))
            continue;
        std::vector<WCHAR> text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
        GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
        for (const WCHAR* p = text.data(); *p; ++p) {
            if (*p != L'&')
                continue;
            ++p; // "&&" shows one ampersand
            if (!*p)
                break;
            if (*p != L'&' && UpperCase(*p) == UpperCase(key))
                return true;
        }
    }
    return false;
}

void TForm::TrackFocus()
{
    HWND focus = GetFocus();
    if (!focus || focus == FActiveControl || !IsChild(Handle(), focus))
        return;
    // The drop-down list's own edit stands for its combo box.
    if (GetParent(focus) != Handle())
        focus = GetParent(focus);
    if (focus == FActiveControl)
        return;
    HWND previous = FActiveControl;
    FActiveControl = focus;
    UpdateDefaultButton(focus);
    const auto handler = FExitHandlers.find(previous);
    if (handler != FExitHandlers.end())
        RunHandler(handler->second);
}

// Enter presses the push button that has the focus, however it came there
// (a click, the activation coming back), and the form's default button
// otherwise; the default frame shows which.
void TForm::UpdateDefaultButton(HWND focus)
{
    const bool onPushButton = IsPushButton(focus);
    HWND formDefault = ButtonWith(cfDefault);
    for (const auto& control : FFlags) {
        HWND button = control.first;
        if (IsPushButton(button)) {
            const bool isDefault = onPushButton ? button == focus : button == formDefault;
            SendMessageA(button, BM_SETSTYLE, isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
        }
    }
}

bool TForm::TryClose()
{
    bool canClose = true;
    return RunHandler([&] { FormCloseQuery(canClose); }) && canClose;
}
