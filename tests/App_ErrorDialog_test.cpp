#include "App_ErrorDialog.h"

#include "TestDialogs.h"
#include "Tk_controls.h"
#include "Tk_application.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// A path whose double-byte character under code page 932 ends in '\'.
const std::string DoubleBytePath = "C:\\Work\\" + TrailBackslash + "\\b.txt";

const std::vector<std::string> FivePaths = {"C:\\Work\\a.txt", DoubleBytePath, "C:\\Work\\c", "C:\\Work\\d d.txt",
                                            "D:\\e"};

std::vector<int> Selection(HWND list)
{
    std::vector<int> selected;
    const int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        if (SendMessageA(list, LB_GETSEL, i, 0) > 0)
            selected.push_back(i);
    }
    return selected;
}

// Posts a left click on an item, with the keys (MK_CONTROL, MK_SHIFT) held.
void ClickItem(HWND list, int index, WPARAM keys = 0)
{
    RECT item;
    SendMessageA(list, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item));
    const LPARAM point = MAKELPARAM(item.left + 5, (item.top + item.bottom) / 2);
    PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON | keys, point);
    PostMessageA(list, WM_LBUTTONUP, keys, point);
}

// What measure finds on a device context that holds the window's font.
template <class TMeasure>
auto WithFontOf(HWND window, TMeasure measure) -> decltype(measure(HDC()))
{
    HDC dc = GetDC(window);
    HGDIOBJ font = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0)));
    const auto result = measure(dc);
    SelectObject(dc, font);
    ReleaseDC(window, dc);
    return result;
}

int LineHeight(HWND window)
{
    return WithFontOf(window, [](HDC dc) {
        TEXTMETRICW metrics = {};
        GetTextMetricsW(dc, &metrics);
        return metrics.tmHeight;
    });
}

// Measured in Unicode, as the list draws it: GDI would read 8-bit text in
// the system's code page, whatever the program's is.
LRESULT TextWidth(HWND window, const std::string& text)
{
    return WithFontOf(window, [&](HDC dc) {
        const std::wstring wide = Wide(text);
        SIZE size = {};
        GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
        return static_cast<LRESULT>(size.cx);
    });
}

// The context menu while it is open, or nullptr.
HMENU OpenMenu()
{
    HWND window = FindWindowA("#32768", nullptr);
    return window && IsWindowVisible(window) ? reinterpret_cast<HMENU>(SendMessageA(window, MN_GETHMENU, 0, 0))
                                             : nullptr;
}

bool MenuItemEnabled(HMENU menu, int position)
{
    return !(GetMenuState(menu, position, MF_BYPOSITION) & (MF_GRAYED | MF_DISABLED));
}

// Copy, Select All and Reverse Selection: which are enabled.
std::vector<bool> CommandsEnabled(HMENU menu)
{
    return {MenuItemEnabled(menu, 0), MenuItemEnabled(menu, 2), MenuItemEnabled(menu, 3)};
}

struct AppErrorDialog : testing::Test {
    TErrorDialog* Dialog = GetErrorDialog();
    HWND List = Dialog->Control("ListBox1");
    HWND Close = Dialog->Control("Button1");

    void SetUp() override { SetClipboardText(nullptr, "before"); }

    // Opens the list's context menu, hands it to check, then types key to
    // choose an item (Escape closes it without a choice).
    TDialogScript& UseMenu(TDialogScript& script, WORD key, std::function<void(HMENU)> check = [](HMENU) {})
    {
        return script.Do([this] { ContextMenuOn(List); })
            .WaitFor([] { return OpenMenu() != nullptr; })
            .Do([check, key] {
                check(OpenMenu());
                if (key == VK_ESCAPE)
                    PressKey(VK_ESCAPE);
                else
                    TypeText(std::string(1, static_cast<char>(key)));
            })
            .WaitFor([] { return OpenMenu() == nullptr; });
    }

    TDialogScript& ExpectCopyEnabled(TDialogScript& script, bool enabled)
    {
        return UseMenu(script, VK_ESCAPE, [enabled](HMENU menu) { EXPECT_EQ(MenuItemEnabled(menu, 0), enabled); });
    }

    TDialogScript& ExpectSelection(TDialogScript& script, const std::vector<int>& selected)
    {
        return script.Do([this, selected] { EXPECT_EQ(Selection(List), selected); });
    }
};

}

TEST_F(AppErrorDialog, OpensWithNothingSelectedAndTheCaretOnTheFirstItem)
{
    EXPECT_EQ(GetErrorDialog(), Dialog);
    EXPECT_EQ(ErrorDialog, Dialog);
    std::vector<std::string> paths;
    for (int i = 0; i < 40; ++i)
        paths.push_back("C:\\Work\\file " + std::to_string(i) + ".txt");
    Dialog->GetFiles() = paths;
    // As an earlier use may have left it: items selected, scrolled, the
    // caret far down and the focus on the button.
    SendMessageA(List, LB_SETSEL, TRUE, 5);
    SendMessageA(List, LB_SETSEL, TRUE, 30);
    SendMessageA(List, LB_SETCARETINDEX, 30, FALSE);
    SendMessageA(List, LB_SETTOPINDEX, 20, 0);
    Dialog->SetActiveControl(Close);

    TDialogScript script;
    script.ExpectFocus(List).Do([&] {
        EXPECT_EQ(WindowText(Dialog->Handle()), "Create Directories");
        EXPECT_EQ(WindowText(Dialog->Control("Label1")),
                  "The program could not create directories with the following files:");
        const HICON icon = reinterpret_cast<HICON>(SendMessageA(Dialog->Control("Image1"), STM_GETICON, 0, 0));
        EXPECT_EQ(IconWidth(icon), GetSystemMetrics(SM_CXICON));
        EXPECT_EQ(Dialog->GetFiles().Count(), 40);
        EXPECT_EQ(Dialog->GetFiles()[39], "C:\\Work\\file 39.txt");
        EXPECT_TRUE(Selection(List).empty());
        EXPECT_EQ(SendMessageA(List, LB_GETCARETINDEX, 0, 0), 0);
        EXPECT_EQ(SendMessageA(List, LB_GETTOPINDEX, 0, 0), 0);
    });
    UseMenu(script, VK_ESCAPE, [](HMENU menu) {
        const char* const captions[] = {"&Copy\tCtrl+C", "", "Select &All\tCtrl+A", "&Reverse Selection"};
        ASSERT_EQ(GetMenuItemCount(menu), 4);
        for (int i = 0; i < 4; ++i) {
            char caption[64] = {};
            GetMenuStringA(menu, i, caption, sizeof caption, MF_BYPOSITION);
            EXPECT_STREQ(caption, captions[i]);
        }
        EXPECT_TRUE(GetMenuState(menu, 1, MF_BYPOSITION) & MF_SEPARATOR);
        EXPECT_EQ(CommandsEnabled(menu), (std::vector<bool>{false, true, true}));
    });
    // Copy is off while nothing is selected, for its shortcut too.
    script.Press('C', VK_CONTROL).Do([&] {
        EXPECT_EQ(ClipboardData<char>(CF_TEXT), "before");
        EXPECT_TRUE(IsWindowVisible(Dialog->Handle()));
    });
    EXPECT_EQ(script.Press(VK_ESCAPE).Execute(*Dialog), mrOk);
    EXPECT_FALSE(IsWindowVisible(Dialog->Handle()));
}

TEST_F(AppErrorDialog, CtrlCCopiesTheSelectedPathsAsLinesOrReportsABusyClipboard)
{
    Dialog->GetFiles() = FivePaths;
    Dialog->Reasons = {"The name is taken.", "Access is denied.", "c", "The name is taken up to the last number.", "e"};
    HWND reason = Dialog->Control("Label2");
    // The line under the list shows the reason of the item with the caret.
    auto expectReason = [&](int item) { return [&, item] { EXPECT_EQ(WindowText(reason), Dialog->Reasons[item]); }; };
    TDialogScript script;
    script.Do(expectReason(0));
    // Selected from the keyboard: Copy follows at once.
    ExpectCopyEnabled(script.Press(VK_DOWN).Do(expectReason(1)), true);
    ExpectSelection(script.Do([&] { ClickItem(List, 3, MK_CONTROL); }), {1, 3}).Do(expectReason(3));
    script.Press('C', VK_CONTROL).Do([&] {
        // The paths alone, without their reasons. The double-byte path
        // arrives byte for byte, and as the characters it means for a
        // program that pastes Unicode.
        EXPECT_EQ(ClipboardData<char>(CF_TEXT), DoubleBytePath + "\r\nC:\\Work\\d d.txt\r\n");
        const std::wstring character = IsDoubleByteCodePage() ? L"\u8868" : L"\u2022\\";
        EXPECT_EQ(ClipboardData<wchar_t>(CF_UNICODETEXT),
                  L"C:\\Work\\" + character + L"\\b.txt\r\nC:\\Work\\d d.txt\r\n");
        // Held open by another window, as another program would.
        ASSERT_TRUE(OpenClipboard(nullptr));
        PressKey('C', VK_CONTROL);
    });
    script.ExpectError("The program could not open the clipboard.").ExpectFocus(List).Do([&] {
        CloseClipboard();
        EXPECT_TRUE(IsWindowVisible(Dialog->Handle()));
        EXPECT_EQ(Selection(List), (std::vector<int>{1, 3}));
    });
    EXPECT_EQ(script.Press(VK_RETURN).Execute(*Dialog), mrOk);
}

TEST_F(AppErrorDialog, SelectAllAndReverseSelectionSwitchCopyAtOnce)
{
    Dialog->GetFiles() = FivePaths;
    TDialogScript script;
    ExpectCopyEnabled(ExpectSelection(script.Press('A', VK_CONTROL), {0, 1, 2, 3, 4}), true);
    ExpectCopyEnabled(ExpectSelection(UseMenu(script, 'r'), {}), false);
    // From nothing selected, Reverse selection selects everything.
    ExpectSelection(UseMenu(script, 'r'), {0, 1, 2, 3, 4});
    script.Do([&] { ClickItem(List, 1); }).Do([&] { ClickItem(List, 3, MK_CONTROL); });
    ExpectSelection(UseMenu(script, 'r'), {0, 2, 4});
    ExpectSelection(UseMenu(script, 'r'), {1, 3});
    EXPECT_EQ(script.Press(VK_RETURN).Execute(*Dialog), mrOk);
}

TEST_F(AppErrorDialog, AnEmptyListChangesNothingAndTheCloseBoxCancels)
{
    Dialog->GetFiles() = FivePaths;
    Dialog->GetFiles() = {};
    TDialogScript script;
    UseMenu(script, 'a', [](HMENU menu) { EXPECT_EQ(CommandsEnabled(menu), (std::vector<bool>{false, true, true})); });
    UseMenu(script.Press('A', VK_CONTROL), 'r').Press('C', VK_CONTROL).Do([&] {
        EXPECT_EQ(SendMessageA(List, LB_GETCOUNT, 0, 0), 0);
        EXPECT_EQ(SendMessageA(List, LB_GETHORIZONTALEXTENT, 0, 0), 0);
        EXPECT_EQ(ClipboardData<char>(CF_TEXT), "before");
        PostMessageA(Dialog->Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
    });
    EXPECT_EQ(script.Execute(*Dialog), mrCancel);
}

TEST_F(AppErrorDialog, ScrollsHorizontallyOverTheWidestPath)
{
    // In a proportional font the widest path is not the one with the most
    // characters; whichever it is in the list's font, it sets the extent.
    const std::string narrow = "C:\\" + std::string(100, 'i');
    const std::string wide = "C:\\" + std::string(90, 'W');
    const LRESULT widest = std::max(TextWidth(List, narrow), TextWidth(List, wide));
    RECT client;
    GetClientRect(List, &client);
    ASSERT_GT(widest, client.right);
    // Short paths after long ones: the extent shrinks with them and the
    // scroll bar goes.
    const struct {
        std::vector<std::string> Files;
        LRESULT Extent;
        bool Scrolls;
    } cases[] = {{{narrow, wide, "C:\\a"}, widest, true}, {{"C:\\a", "C:\\Work\\b"}, TextWidth(List, "C:\\Work\\b"), false}};
    for (const auto& c : cases) {
        Dialog->GetFiles() = c.Files;
        TDialogScript script;
        script.Do([&] {
            EXPECT_EQ(SendMessageA(List, LB_GETHORIZONTALEXTENT, 0, 0), c.Extent);
            EXPECT_EQ((GetWindowLongA(List, GWL_STYLE) & WS_HSCROLL) != 0, c.Scrolls);
        });
        EXPECT_EQ(script.Press(VK_RETURN).Execute(*Dialog), mrOk);
    }
}

TEST(AppErrorDialogRows, AreAsTallAsTheLinesOfTheListsFont)
{
    for (int density : {96, 192}) {
        const auto dialog = BuildAtDpi<TErrorDialog>(density);
        HWND list = dialog->Control("ListBox1");
        EXPECT_GE(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0), LineHeight(list)) << density << " dpi";
    }
}

TEST(AppErrorDialogDpi, IsLaidOutAnewOnAMonitorOfAnotherDensity)
{
    ExpectRescalesAsBuilt<TErrorDialog>();
}
