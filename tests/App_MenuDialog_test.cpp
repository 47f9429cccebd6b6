#include "App_MenuDialog.h"

#include "App_common.h"
#include "TestDialogs.h"

#include <gtest/gtest.h>

namespace {

struct AppMenuDialog : testing::Test {
    TMenuDialog* Dialog = GetMenuDialog();
    HWND Radio1 = Dialog->Control("RadioButton1");
    HWND Radio2 = Dialog->Control("RadioButton2");
    HWND Radio3 = Dialog->Control("RadioButton3");
    HWND Execute = Dialog->Control("Button1");
    HWND Cancel = Dialog->Control("Button2");

    bool Run(TDialogScript& script)
    {
        bool result = false;
        script.Run([&] { result = Dialog->Execute(); });
        return result;
    }
};

}

TEST_F(AppMenuDialog, OpensWithTheCommandPreselectedAndCancelKeepsIt)
{
    EXPECT_EQ(GetMenuDialog(), Dialog);
    Dialog->Command = mcShowOptions;
    TDialogScript script;
    script.Do([&] {
        EXPECT_TRUE(IsWindowVisible(Dialog->Handle()));
        EXPECT_EQ(WindowText(Dialog->Handle()), "Tesselo");
        EXPECT_EQ(GetFocus(), Radio1);
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
        // Arrow keys move within the group, and the choice follows the focus.
        PressKey(VK_DOWN);
    });
    script.Do([&] {
        EXPECT_EQ(GetFocus(), Radio2);
        EXPECT_TRUE(Checked(Radio2));
        PressKey(VK_ESCAPE);
    });
    EXPECT_FALSE(Run(script));
    EXPECT_EQ(Dialog->Command, mcShowOptions);
    EXPECT_FALSE(IsWindowVisible(Dialog->Handle()));
}

TEST_F(AppMenuDialog, ExecuteReturnsTheChosenCommand)
{
    Dialog->Command = mcShowOptions;
    TDialogScript choose;
    choose.Do([&] { ClickOn(Radio3); }).Do([&] {
        EXPECT_TRUE(Checked(Radio3));
        EXPECT_FALSE(Checked(Radio1));
        PressKey(VK_RETURN);
    });
    EXPECT_TRUE(Run(choose));
    EXPECT_EQ(Dialog->Command, mcShowAbout);

    // The next show starts at the command chosen last; Tab goes on to the buttons.
    TDialogScript next;
    next.Do([&] {
        EXPECT_EQ(GetFocus(), Radio3);
        PressKey(VK_TAB);
    });
    next.Do([&] {
        EXPECT_EQ(GetFocus(), Execute);
        PressKey(VK_TAB);
    });
    next.Do([&] {
        EXPECT_EQ(GetFocus(), Cancel);
        PressKey(VK_TAB);
    });
    next.Do([&] {
        EXPECT_EQ(GetFocus(), Radio3);
        // The access key of "&Open the offline help".
        PostMessageA(GetFocus(), WM_CHAR, 'o', 1);
    });
    next.Do([&] {
        EXPECT_TRUE(Checked(Radio2));
        ClickOn(Cancel);
    });
    EXPECT_FALSE(Run(next));
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
    EXPECT_FALSE(Run(script));
    EXPECT_EQ(Dialog->Command, mcOpenHelp);
}

TEST_F(AppMenuDialog, AnUnknownCommandIsRefusedBeforeTheDialogShows)
{
    Dialog->Command = static_cast<TMenuCommand>(3);
    try {
        Dialog->Execute();
        ADD_FAILURE() << "shown";
    } catch (const EAppError& e) {
        EXPECT_EQ(e.Message(), "The program does not support the result.");
    }
    EXPECT_FALSE(IsWindowVisible(Dialog->Handle()));
    Dialog->Command = mcShowOptions;
}
