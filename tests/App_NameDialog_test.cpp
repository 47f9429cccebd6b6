#include "App_NameDialog.h"

#include "TestDialogs.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {

struct AppNameDialog : testing::Test {
    TNameDialog* Dialog = GetNameDialog();
    HWND Edit = Dialog->Control("Edit1");
    HWND Cancel = Dialog->Control("Button2");
};

}

TEST_F(AppNameDialog, EnterTakesTheNameShownAndTypingReplacesIt)
{
    // Under code page 932 a character whose trail byte is a backslash.
    const std::string name = "Holiday" + (IsDoubleByteCodePage() ? TrailBackslash : std::string());
    Dialog->Name = name;
    TDialogScript take;
    take.ExpectFocus(Edit).Do([&] {
        EXPECT_EQ(WindowText(Dialog->Handle()), "Tesselo");
        EXPECT_EQ(WindowText(Dialog->Control("Label1")), "&Name of the new directory:");
        EXPECT_EQ(WindowText(Edit), name);
        EXPECT_TRUE(IsAllSelected(Edit));
    });
    EXPECT_TRUE(take.Press(VK_RETURN).Execute(*Dialog));
    EXPECT_EQ(Dialog->Name, name);

    TDialogScript type;
    type.Type("  Taxes 2024 ");
    EXPECT_TRUE(type.Press(VK_RETURN).Execute(*Dialog));
    EXPECT_EQ(Dialog->Name, "Taxes 2024");
}

TEST_F(AppNameDialog, OkRefusesANameThatNoDirectoryCanHaveAsTyped)
{
    const std::string reserved =
        "Type a name that Windows keeps as it is: no dot at its end, and no device name such as CON.";
    const struct {
        const char* Typed;
        std::string Message;
    } cases[] = {{"   ", "Type a name."}, {"a:b", "Remove invalid characters."}, {"a\\b", "Remove invalid characters."},
                 {"report.", reserved}, {"..", reserved}, {"con", reserved}, {"Com1 .txt", reserved}, {"LPT9", reserved}};
    for (const auto& c : cases) {
        Dialog->Name = "report";
        TDialogScript script;
        script.Replace(c.Typed).Press(VK_RETURN).ExpectError(c.Message).ExpectFocus(Edit);
        EXPECT_FALSE(script.Press(VK_ESCAPE).Execute(*Dialog)) << c.Typed;
        EXPECT_EQ(Dialog->Name, "report") << c.Typed;
    }
    // Names that only look like those pass.
    for (const char* name : {"console", "COM10", "report.v2", ".config"}) {
        Dialog->Name = name;
        TDialogScript script;
        EXPECT_TRUE(script.Press(VK_RETURN).Execute(*Dialog)) << name;
    }
}

TEST_F(AppNameDialog, CancelAndTheCloseBoxKeepTheName)
{
    Dialog->Name = "report";
    TDialogScript cancel;
    cancel.Type("other");
    EXPECT_FALSE(cancel.Click(Cancel).Execute(*Dialog));
    TDialogScript close;
    close.Do([&] { PostMessageA(Dialog->Handle(), WM_SYSCOMMAND, SC_CLOSE, 0); });
    EXPECT_FALSE(close.Execute(*Dialog));
    EXPECT_EQ(Dialog->Name, "report");
}

TEST(AppNameDialogDpi, IsLaidOutAnewOnAMonitorOfAnotherDensity)
{
    ExpectRescalesAsBuilt<TNameDialog>();
}
