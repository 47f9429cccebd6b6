#include "App_MenuDialog.h"

#include "App_common.h"
#include "TestDialogs.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {

struct AppMenuDialog : testing::Test {
    TMenuDialog* Dialog = GetMenuDialog();
    HWND Radio1 = Dialog->Control("RadioButton1");
    HWND Radio2 = Dialog->Control("RadioButton2");
    HWND Radio3 = Dialog->Control("RadioButton3");
    HWND Radio4 = Dialog->Control("RadioButton4");
    HWND Execute = Dialog->Control("Button1");
    HWND Cancel = Dialog->Control("Button2");
};

}

TEST_F(AppMenuDialog, OpensWithTheCommandPreselectedAndCancelKeepsIt)
{
    EXPECT_EQ(GetMenuDialog(), Dialog);
    Dialog->Command = mcShowOptions;
    TDialogScript script;
    script.ExpectFocus(Radio1).Do([&] {
        EXPECT_TRUE(IsWindowVisible(Dialog->Handle()));
        EXPECT_EQ(WindowText(Dialog->Handle()), "Tesselo");
        EXPECT_TRUE(Checked(Radio1));
        EXPECT_TRUE(IsEnabled(Execute));
        const HICON icon = reinterpret_cast<HICON>(SendMessageA(Dialog->Control("Image1"), STM_GETICON, 0, 0));
        EXPECT_EQ(IconWidth(icon), GetSystemMetrics(SM_CXICON));
        // Found again on the taskbar and with Alt+Tab, under the program's icon.
        EXPECT_EQ(GetForegroundWindow(), Dialog->Handle());
        EXPECT_TRUE(GetWindowLongA(Dialog->Handle(), GWL_EXSTYLE) & WS_EX_APPWINDOW);
        const HICON small = reinterpret_cast<HICON>(SendMessageA(Dialog->Handle(), WM_GETICON, ICON_SMALL, 0));
        const HICON big = reinterpret_cast<HICON>(SendMessageA(Dialog->Handle(), WM_GETICON, ICON_BIG, 0));
        EXPECT_EQ(IconWidth(small), GetSystemMetrics(SM_CXSMICON));
        EXPECT_EQ(IconWidth(big), GetSystemMetrics(SM_CXICON));
    });
    // Arrow keys move within the group, and the choice follows the focus.
    script.Press(VK_DOWN).ExpectFocus(Radio2).Do([&] { EXPECT_TRUE(Checked(Radio2)); });
    EXPECT_FALSE(script.Press(VK_ESCAPE).Execute(*Dialog));
    EXPECT_EQ(Dialog->Command, mcShowOptions);
    EXPECT_FALSE(IsWindowVisible(Dialog->Handle()));
}

TEST_F(AppMenuDialog, ExecuteReturnsTheChosenCommand)
{
    Dialog->Command = mcShowOptions;
    TDialogScript choose;
    choose.Click(Radio3).Do([&] {
        EXPECT_TRUE(Checked(Radio3));
        EXPECT_FALSE(Checked(Radio1));
    });
    EXPECT_TRUE(choose.Press(VK_RETURN).Execute(*Dialog));
    EXPECT_EQ(Dialog->Command, mcShowAbout);

    // The next show starts at the command chosen last; Tab goes on to the
    // buttons. The access key of "&Open the offline help" needs no Alt here.
    TDialogScript next;
    next.ExpectFocus(Radio3);
    for (HWND expected : {Execute, Cancel, Radio3})
        next.Press(VK_TAB).ExpectFocus(expected);
    next.Do([] { PostMessageA(GetFocus(), WM_CHAR, 'o', 1); }).Do([&] { EXPECT_TRUE(Checked(Radio2)); });
    EXPECT_FALSE(next.Click(Cancel).Execute(*Dialog));
    EXPECT_EQ(Dialog->Command, mcShowAbout);
}

TEST_F(AppMenuDialog, TheCloseBoxCancels)
{
    Dialog->Command = mcOpenHelp;
    TDialogScript script;
    script.Do([&] {
        EXPECT_TRUE(Checked(Radio2));
        PostMessageA(Dialog->Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
    });
    EXPECT_FALSE(script.Execute(*Dialog));
    EXPECT_EQ(Dialog->Command, mcOpenHelp);
}

// With a run to take back the undo is chosen as the others. Without one it is
// dimmed: not preselected, and reached by no arrow or access key.
TEST_F(AppMenuDialog, TheUndoIsOfferedOnlyWithSomethingToUndo)
{
    Dialog->UndoAvailable = true;
    Dialog->Command = mcShowAbout;
    TDialogScript undo;
    undo.Press(VK_DOWN).ExpectFocus(Radio4).Press(VK_UP).ExpectFocus(Radio3).Alt('u').ExpectFocus(Radio4);
    EXPECT_TRUE(undo.Press(VK_RETURN).Execute(*Dialog));
    EXPECT_EQ(Dialog->Command, mcUndoLastRun);

    Dialog->UndoAvailable = false;
    TDialogScript none;
    none.ExpectFocus(Radio1).ExpectEnabled({Radio4}, false);
    none.Press(VK_UP).ExpectFocus(Radio3).Alt('u').ExpectFocus(Radio3);
    EXPECT_FALSE(none.Press(VK_ESCAPE).Execute(*Dialog));
    EXPECT_EQ(Dialog->Command, mcUndoLastRun);
}

TEST_F(AppMenuDialog, AnUnknownCommandIsRefusedBeforeTheDialogShows)
{
    Dialog->Command = static_cast<TMenuCommand>(4);
    EXPECT_EQ(ThrownMessage<EAppError>([&] { Dialog->Execute(); }), "The program does not support the result.");
    EXPECT_FALSE(IsWindowVisible(Dialog->Handle()));
    Dialog->Command = mcShowOptions;
}

TEST(AppMenuDialogDpi, IsLaidOutAnewOnAMonitorOfAnotherDensity)
{
    ExpectRescalesAsBuilt<TMenuDialog>();
}
