#include "Tk_application.h"

#include "Tk_exceptions.h"
#include "Tk_screen.h"
#include "Tk_strings.h"
#include "Tk_texts.h"

#include <algorithm>

#include <ole2.h>

TApplication Application;

namespace {

const char* const OwnerClassName = "TkApplicationOwner";

}

TApplication::~TApplication()
{
    // Forms go before the window that owns them, the newest first.
    while (!FComponents.empty())
        FComponents.pop_back();
    FHandle.reset();
    if (FOleInitialized)
        OleUninitialize();
}

void TApplication::Initialize()
{
    // High-DPI drawing is the manifest's to declare, once: per monitor.
    // A drive without a medium fails quietly, as a missing folder does:
    // restoring the last used folder must not raise "There is no disk in
    // the drive".
    SetErrorMode(GetErrorMode() | SEM_FAILCRITICALERRORS);
}

void TApplication::InitializeControls()
{
    if (!FControlsInitialized) {
        FControlsInitialized = true;
        INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_STANDARD_CLASSES | ICC_PROGRESS_CLASS | ICC_LISTVIEW_CLASSES};
        InitCommonControlsEx(&controls);
    }
}

void TApplication::InitializeOle()
{
    // Once, where the shell's folder browser first needs it: a run that
    // shows none does not pay for it. A failure is not raised: COM set up
    // already in another mode serves as well.
    if (!FOleTried) {
        FOleTried = true;
        FOleInitialized = SUCCEEDED(OleInitialize(nullptr));
    }
}

void TApplication::Run()
{
    if (ShowMainForm)
        ShowMainWindow();
    MSG message;
    while (NextMessage(message) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void TApplication::ShowMainWindow()
{
    if (FMainWindow && !FMainWindowShown) {
        FMainWindowShown = true;
        ShowWindow(FMainWindow, SW_SHOWNORMAL);
    }
}

int TApplication::NextMessage(MSG& message)
{
    // Wait only when the idle handlers have nothing more to do.
    while (!PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE) && !Idle()) {
    }
    return GetMessageW(&message, nullptr, 0, 0);
}

void TApplication::Terminate()
{
    PostQuitMessage(0);
}

void TApplication::ProcessMessages()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

bool TApplication::Idle()
{
    // A copy, so that the handler can clear OnIdle while it runs.
    const std::function<void(bool&)> handler = OnIdle;
    bool done = true;
    if (handler)
        handler(done);
    return done;
}

HWND TApplication::Handle()
{
    if (!FHandle) {
        // A class of its own, that handles nothing: the window is never
        // shown. A control's class such as STATIC would load the common
        // controls, which the manifest maps it to, in every run.
        const HINSTANCE instance = GetModuleHandleA(nullptr);
        WNDCLASSEXA windowClass = {};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = instance;
        windowClass.lpszClassName = OwnerClassName;
        RegisterClassExA(&windowClass);
        FHandle.reset(CreateWindowExA(WS_EX_TOOLWINDOW, OwnerClassName, Title.c_str(), WS_POPUP, 0, 0, 0, 0, nullptr,
                                      nullptr, instance, nullptr));
        if (!FHandle)
            throw Exception("The program could not create a window.");
    }
    return FHandle.get();
}

TOwnedIcon TApplication::Icon(int size, int dpi) const
{
    return LoadIconForDpi(GetModuleHandleA(nullptr), L"MAINICON", size, dpi);
}

std::string ErrorText(const std::string& message)
{
    if (message.empty())
        return message;
    const char* start = message.c_str();
    const char* last = CharPrevA(start, start + message.size());
    // A Japanese sentence ends with its own full stop.
    static const std::string fullStop = [] {
        std::string text;
        return WideToAnsi(L"\u3002", text) ? text : std::string();
    }();
    if (!fullStop.empty() && message.compare(last - start, std::string::npos, fullStop) == 0)
        return message;
    return static_cast<unsigned char>(*last) > '.' ? message + '.' : message;
}

void TTaskbarButton::AddTo(HWND window) const
{
    SetWindowLongPtrW(window, GWL_EXSTYLE, GetWindowLongPtrW(window, GWL_EXSTYLE) | WS_EX_APPWINDOW);
}

void TTaskbarButton::ShowIconsOn(HWND window)
{
    const int dpi = WindowDpi(window);
    FSmallIcon = Application.Icon(LIM_SMALL, dpi);
    FLargeIcon = Application.Icon(LIM_LARGE, dpi);
    SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(FSmallIcon.get()));
    SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(FLargeIcon.get()));
}

namespace {

// Gives the message box that the owner gets next a taskbar button, for the
// scope. MessageBox makes the window itself, so a hook on this thread sees
// it made (the style is set before it is shown) and first activated (the
// icons, which need a window that has been created).
class TBoxWithButton {
public:
    explicit TBoxWithButton(HWND owner) : FOwner(owner)
    {
        Current = this;
        FHook = SetWindowsHookExW(WH_CBT, Hook, nullptr, GetCurrentThreadId());
    }
    ~TBoxWithButton()
    {
        if (FHook)
            UnhookWindowsHookEx(FHook);
        Current = nullptr;
    }
    TBoxWithButton(const TBoxWithButton&) = delete;
    TBoxWithButton& operator=(const TBoxWithButton&) = delete;

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam)
    {
        HWND window = reinterpret_cast<HWND>(wParam);
        if (Current && code == HCBT_CREATEWND && !Current->FBox) {
            const CREATESTRUCTW& create = *reinterpret_cast<CBT_CREATEWNDW*>(lParam)->lpcs;
            if (create.hwndParent == Current->FOwner && !(create.style & WS_CHILD)) {
                Current->FBox = window;
                Current->FButton.AddTo(window);
            }
        } else if (Current && code == HCBT_ACTIVATE && window == Current->FBox) {
            // Wine sets the box's style anew while it makes the dialog.
            Current->FButton.AddTo(window);
            Current->FButton.ShowIconsOn(window);
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }

    static TBoxWithButton* Current;
    HWND FOwner;
    HWND FBox = nullptr;
    HHOOK FHook;
    TTaskbarButton FButton;
};

TBoxWithButton* TBoxWithButton::Current = nullptr;

}

int TApplication::ShowMessageBox(const std::string& text, const std::string& caption, UINT flags)
{
    InitializeControls();
    ShowMainWindow();
    const TNormalPointer pointer;
    // The box is Windows' to scale: under Per Monitor v2, system dialogs such
    // as MessageBox are DPI-scaled automatically ("High DPI Desktop
    // Application Development on Windows").
    // The active dialog owns the box, so that it cannot be used meanwhile;
    // the dialog's taskbar button leads to both.
    if (HWND active = GetActiveWindow())
        return ::MessageBoxA(active, text.c_str(), caption.c_str(), flags);
    const TBoxWithButton button(Handle());
    return ::MessageBoxA(Handle(), text.c_str(), caption.c_str(), flags);
}

void TApplication::ShowException(const std::exception& error)
{
    if (dynamic_cast<const EAbort*>(&error))
        return;
    // Raised in English; shown in the user's language.
    ShowMessageBox(ErrorText(Translated(error.what())), Title, MB_OK | MB_ICONERROR);
}

void TApplication::HandleException(const std::string& otherText)
{
    try {
        throw;
    } catch (const Exception& error) {
        ShowException(error);
    } catch (...) {
        ShowException(Exception(otherText));
    }
}
