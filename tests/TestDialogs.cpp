#include "TestDialogs.h"

#include <gtest/gtest.h>

#include "Kro_shellfiles.h"
#include "TestSupport.h"
#include "Tk_application.h"

namespace {

// The dialogs under test belong to an application like the program's.
class TApplicationEnvironment : public testing::Environment {
public:
    void SetUp() override
    {
        Application.Title = "Tesselo";
        Application.Initialize();
    }
};

testing::Environment* const Environment = testing::AddGlobalTestEnvironment(new TApplicationEnvironment);

TDialogScript* Current = nullptr;
const DWORD TimeLimit = 15000;

BOOL CALLBACK CloseThreadWindow(HWND window, LPARAM)
{
    if (IsWindowVisible(window))
        PostMessageA(window, WM_CLOSE, 0, 0);
    return TRUE;
}

// The system's shared error icon, which this process can compare.
bool ShowsErrorIcon(HWND messageBox)
{
    const HWND icon = MessageBoxIcon(messageBox);
    return icon && reinterpret_cast<HICON>(SendMessageW(icon, STM_GETICON, 0, 0)) == LoadIconA(nullptr, IDI_ERROR);
}

bool HasTaskbarButton(HWND window)
{
    return (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_APPWINDOW) && SendMessageA(window, WM_GETICON, ICON_BIG, 0);
}

// How a failure names a control: its identifier and its text.
std::string ControlName(HWND control)
{
    return "control " + std::to_string(GetDlgCtrlID(control)) + " \"" + WindowText(control) + '"';
}

// Keys go where the focus is, or to the active window when nothing has it.
HWND KeyTarget()
{
    HWND focus = GetFocus();
    return focus ? focus : GetActiveWindow();
}

}

TDialogScript& TDialogScript::Do(std::function<void()> action)
{
    FSteps.push_back({[action] {
                          action();
                          return true;
                      },
                      false});
    return *this;
}

TDialogScript& TDialogScript::WaitFor(std::function<bool()> condition)
{
    FSteps.push_back({std::move(condition), false});
    return *this;
}

TDialogScript& TDialogScript::ExpectError(const std::string& text)
{
    return ExpectMessageBox([text](const TMessageBoxSeen& seen) {
        EXPECT_EQ(seen.Text, text);
        EXPECT_EQ(seen.Caption, "Tesselo");
        EXPECT_TRUE(seen.ErrorIcon) << "no error icon on " << seen.Text;
        EXPECT_TRUE(seen.OkOnly) << "other buttons than OK on " << seen.Text;
    });
}

TDialogScript& TDialogScript::ExpectMessageBox(std::function<void(const TMessageBoxSeen&)> check)
{
    FSteps.push_back({[this, check] {
                          if (!FMessageBox)
                              return false;
                          check(FSeen);
                          PostMessageA(FMessageBox, WM_COMMAND, IDOK, 0);
                          FMessageBox = nullptr;
                          return true;
                      },
                      true});
    return *this;
}

TDialogScript& TDialogScript::ExpectFocus(HWND control)
{
    const size_t step = FSteps.size() + 1;
    return Do([=] {
        EXPECT_EQ(GetFocus(), control) << "step " << step << ": the focus is on " << ControlName(GetFocus())
                                       << ", not on " << ControlName(control);
    });
}

TDialogScript& TDialogScript::ExpectEnabled(const std::vector<HWND>& controls, bool enabled)
{
    const size_t step = FSteps.size() + 1;
    return Do([=] {
        for (HWND control : controls)
            EXPECT_EQ(IsEnabled(control), enabled) << "step " << step << ": " << ControlName(control);
    });
}

LRESULT CALLBACK TDialogScript::Hook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_ACTIVATE && Current) {
        HWND window = reinterpret_cast<HWND>(wParam);
        if (IsMessageBox(window)) {
            Current->FMessageBox = window;
            Current->FSeen = {MessageBoxText(window), WindowText(window), ShowsErrorIcon(window), HasOkOnly(window),
                              HasTaskbarButton(window)};
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void CALLBACK TDialogScript::Tick(HWND, UINT, UINT_PTR, DWORD)
{
    if (Current)
        Current->OnTick();
}

void TDialogScript::OnTick()
{
    // A modifier held for the last step has been handled by now.
    BYTE state[256];
    GetKeyboardState(state);
    if (state[VK_CONTROL] || state[VK_SHIFT]) {
        state[VK_CONTROL] = state[VK_SHIFT] = 0;
        SetKeyboardState(state);
    }
    if (GetTickCount() > FDeadline) {
        if (FNext < FSteps.size()) {
            ADD_FAILURE() << "the dialog script is stuck at step " << FNext + 1 << " of " << FSteps.size();
            FNext = FSteps.size();
        }
        EnumThreadWindows(GetCurrentThreadId(), CloseThreadWindow, 0);
        return;
    }
    if (FMessageBox && (FNext >= FSteps.size() || !FSteps[FNext].WantsMessageBox)) {
        ADD_FAILURE() << "unexpected message box: " << FSeen.Text;
        PostMessageA(FMessageBox, WM_COMMAND, IDOK, 0);
        FMessageBox = nullptr;
        return;
    }
    if (FNext >= FSteps.size())
        return;
    // Taken before it runs: a step may open a nested loop that ticks again.
    const size_t step = FNext++;
    if (!FSteps[step].Run())
        FNext = step;
}

void TDialogScript::Run(const std::function<void()>& body)
{
    Current = this;
    FNext = 0;
    FMessageBox = nullptr;
    FDeadline = GetTickCount() + TimeLimit;
    HHOOK hook = SetWindowsHookExA(WH_CBT, Hook, nullptr, GetCurrentThreadId());
    const UINT_PTR timer = SetTimer(nullptr, 0, 30, Tick);
    body();
    KillTimer(nullptr, timer);
    UnhookWindowsHookEx(hook);
    Current = nullptr;
    EXPECT_EQ(FNext, FSteps.size()) << "the dialog closed before the script ended";
    // Let nothing of this script reach the next one.
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&message);
}

void PressKey(WORD key, WORD modifier)
{
    HWND target = KeyTarget();
    BYTE state[256];
    GetKeyboardState(state);
    state[VK_CONTROL] = modifier == VK_CONTROL ? 0x80 : 0;
    state[VK_SHIFT] = modifier == VK_SHIFT ? 0x80 : 0;
    SetKeyboardState(state);
    const UINT scan = MapVirtualKeyA(key, MAPVK_VK_TO_VSC);
    PostMessageA(target, WM_KEYDOWN, key, 1 | (scan << 16));
    PostMessageA(target, WM_KEYUP, key, 1 | (scan << 16) | (3u << 30));
}

void TypeText(const std::string& text, HWND target)
{
    if (!target)
        target = KeyTarget();
    for (const wchar_t c : Wide(text))
        PostMessageW(target, WM_CHAR, c, 1);
}

void ReplaceText(const std::string& text)
{
    SendMessageA(GetFocus(), EM_SETSEL, 0, -1);
    if (text.empty())
        PostMessageA(GetFocus(), WM_CHAR, VK_BACK, 1);
    TypeText(text);
}

void PressAccessKey(char key)
{
    PostMessageA(GetFocus(), WM_SYSCHAR, static_cast<unsigned char>(key), 1 | (1 << 29));
}

void ClickOn(HWND control)
{
    RECT client;
    GetClientRect(control, &client);
    const LPARAM point = MAKELPARAM(client.right / 2, client.bottom / 2);
    PostMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, point);
    PostMessageA(control, WM_LBUTTONUP, 0, point);
}

void ContextMenuOn(HWND control)
{
    RECT bounds;
    GetWindowRect(control, &bounds);
    PostMessageA(control, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(control),
                 MAKELPARAM(bounds.left + 10, bounds.top + 10));
}

namespace {

BOOL CALLBACK FindFolderBrowser(HWND window, LPARAM found)
{
    if (IsWindowVisible(window) && BrowserTree(window)) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

}

HWND FolderBrowser()
{
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindFolderBrowser, reinterpret_cast<LPARAM>(&found));
    return found;
}

std::string FolderBrowserSelection()
{
    HWND tree = BrowserTree(FolderBrowser());
    TVITEMW item = {};
    item.mask = TVIF_TEXT;
    item.hItem = TreeSelection(tree);
    wchar_t text[MAX_PATH] = {};
    item.pszText = text;
    item.cchTextMax = MAX_PATH;
    if (!item.hItem || !SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)))
        return std::string();
    return Narrow(text);
}

// Wine's browser cannot reach into the hidden temporary folder and does not
// preselect reliably in the build tree; the documents folder works. Others
// may share it, hence the unique name.
TBrowsableFolder::TBrowsableFolder()
    : Path(GetPersonalDirectory() + "\\Tesselo browse " + std::to_string(GetCurrentProcessId()) + '-'
           + std::to_string(GetTickCount()))
{
    MakeDirectory(Path);
}

TBrowsableFolder::~TBrowsableFolder()
{
    RemoveDirectoryA(Path.c_str());
}

POINT CenterOf(HWND window)
{
    RECT bounds;
    GetWindowRect(window, &bounds);
    return {(bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2};
}

int IconWidth(HICON icon)
{
    ICONINFO info = {};
    if (!GetIconInfo(icon, &info))
        return 0;
    BITMAP bitmap = {};
    GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
    if (info.hbmColor)
        DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return bitmap.bmWidth;
}

bool IsAllSelected(HWND edit)
{
    DWORD start = 0;
    DWORD end = 0;
    // In characters, as the edit counts them: a double-byte one is one.
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return start == 0 && end == static_cast<DWORD>(GetWindowTextLengthW(edit));
}

bool IsEnabled(HWND window)
{
    return IsWindowEnabled(window) != 0;
}

namespace {

int FontHeight(HWND window)
{
    LOGFONTW font = {};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)), sizeof font, &font);
    return font.lfHeight;
}

RECT BoundsIn(HWND form, HWND control)
{
    RECT bounds;
    GetWindowRect(control, &bounds);
    MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&bounds), 2);
    return bounds;
}

std::string ClassOf(HWND window)
{
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

HICON ShownIcon(HWND window, WPARAM kind)
{
    return reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, kind, 0));
}

}

void ExpectRescaledAs(TForm& form, const TForm& built)
{
    RECT at;
    RECT size;
    GetWindowRect(form.Handle(), &at);
    GetWindowRect(built.Handle(), &size);
    RECT suggested = {at.left, at.top, at.left + size.right - size.left, at.top + size.bottom - size.top};
    SendMessageW(form.Handle(), WM_DPICHANGED, MAKEWPARAM(built.Dpi(), built.Dpi()), reinterpret_cast<LPARAM>(&suggested));

    const std::string density = std::to_string(built.Dpi()) + " dpi";
    EXPECT_EQ(form.Dpi(), built.Dpi());
    EXPECT_EQ(FontHeight(form.Handle()), FontHeight(built.Handle())) << density;
    for (const WPARAM kind : {ICON_SMALL, ICON_BIG})
        EXPECT_EQ(IconWidth(ShownIcon(form.Handle(), kind)), IconWidth(ShownIcon(built.Handle(), kind))) << density;
    HWND control = GetWindow(form.Handle(), GW_CHILD);
    HWND expected = GetWindow(built.Handle(), GW_CHILD);
    for (; control && expected; control = GetWindow(control, GW_HWNDNEXT), expected = GetWindow(expected, GW_HWNDNEXT)) {
        const std::string name = ControlName(expected) + " at " + density;
        const RECT bounds = BoundsIn(form.Handle(), control);
        const RECT wanted = BoundsIn(built.Handle(), expected);
        EXPECT_TRUE(EqualRect(&bounds, &wanted))
            << name << ": " << bounds.left << ',' << bounds.top << ',' << bounds.right << ',' << bounds.bottom
            << " instead of " << wanted.left << ',' << wanted.top << ',' << wanted.right << ',' << wanted.bottom;
        EXPECT_EQ(FontHeight(control), FontHeight(expected)) << name;
        const auto image = [](HWND window) { return reinterpret_cast<HICON>(SendMessageW(window, STM_GETICON, 0, 0)); };
        if (ClassOf(control) == "Static") {
            EXPECT_EQ(IconWidth(image(control)), IconWidth(image(expected))) << name;
        }
        // Columns the user has not touched: scaled from the old width, they
        // may round apart from those made at the density.
        if (ClassOf(control) == WC_LISTVIEWA) {
            const HWND header = reinterpret_cast<HWND>(SendMessageW(expected, LVM_GETHEADER, 0, 0));
            const int columns = static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
            EXPECT_GT(columns, 0) << name;
            for (int column = 0; column < columns; ++column)
                EXPECT_NEAR(SendMessageW(control, LVM_GETCOLUMNWIDTH, column, 0),
                            SendMessageW(expected, LVM_GETCOLUMNWIDTH, column, 0), 1)
                    << name << ", column " << column;
        }
    }
    EXPECT_FALSE(control || expected) << "The forms have different controls.";
}
