#include "App_OptionsDialog.h"

#include "App_common.h"
#include "TestDialogs.h"
#include "Tk_paths.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

struct AppOptionsDialog : testing::Test {
    TOptionsDialog* Dialog = GetOptionsDialog();
    HWND Radio11 = Dialog->Control("RadioButton11");
    HWND Radio12 = Dialog->Control("RadioButton12");
    HWND Radio13 = Dialog->Control("RadioButton13");
    HWND Radio14 = Dialog->Control("RadioButton14");
    HWND Edit11 = Dialog->Control("Edit11");
    HWND Browse = Dialog->Control("Button11");
    HWND Edit21 = Dialog->Control("Edit21");
    HWND Edit22 = Dialog->Control("Edit22");
    HWND Check21 = Dialog->Control("CheckBox21");
    HWND Check22 = Dialog->Control("CheckBox22");
    HWND Edit23 = Dialog->Control("Edit23");
    HWND Edit24 = Dialog->Control("Edit24");
    HWND Edit25 = Dialog->Control("Edit25");
    HWND Edit26 = Dialog->Control("Edit26");
    HWND Combo = Dialog->Control("ComboBox21");
    HWND Check31 = Dialog->Control("CheckBox31");
    HWND Check32 = Dialog->Control("CheckBox32");
    HWND Combo31 = Dialog->Control("ComboBox31");
    HWND Check33 = Dialog->Control("CheckBox33");
    HWND Ok = Dialog->Control("Button1");
    HWND Cancel = Dialog->Control("Button2");

    void SetUp() override { Dialog->Options = TDoubleOptions(); }

    // The controls that follow "Avoid name collision", labels included.
    std::vector<HWND> SerialNumberControls() const
    {
        std::vector<HWND> controls;
        for (const char* name : {"Label23", "Edit23", "Label24", "Edit24", "Label25", "Edit25", "Label26", "Edit26",
                                 "Label27", "ComboBox21"})
            controls.push_back(Dialog->Control(name));
        return controls;
    }
};

}

TEST_F(AppOptionsDialog, TheFirstShowOpensOnTheCheckedChoiceWithTheRulesApplied)
{
    EXPECT_EQ(GetOptionsDialog(), Dialog);
    // Dialogs of their own: only a dialog that was never shown has no radio
    // button checked yet.
    TOptionsDialog defaults;
    TDialogScript script;
    script.ExpectFocus(defaults.Control("RadioButton12")).Do([&] {
        EXPECT_EQ(WindowText(defaults.Handle()), "Options");
        EXPECT_TRUE(Checked(defaults.Control("RadioButton12")));
        EXPECT_FALSE(IsEnabled(defaults.Control("Edit11")));
        EXPECT_EQ(WindowText(defaults.Control("Edit26")), "100");
        EXPECT_EQ(ItemIndex(defaults.Control("ComboBox21")), 1);
    });
    EXPECT_FALSE(script.Press(VK_ESCAPE).Execute(defaults));

    // "Other:" keeps the first tab stop, Edit11; a check box that keeps its
    // state still gets its rule applied.
    TOptionsDialog other;
    other.Options.OutputDirectory = odOther;
    other.Options.AvoidNameCollision = false;
    TDialogScript otherScript;
    otherScript.ExpectFocus(other.Control("Edit11"))
        .ExpectEnabled({other.Control("Edit23"), other.Control("ComboBox21"), other.Control("Label27")}, false);
    EXPECT_FALSE(otherScript.Press(VK_ESCAPE).Execute(other));

    // A later show with another choice opens on that choice, not on the
    // radio button that was the tab stop before.
    other.Options.OutputDirectory = odAtSource;
    TDialogScript laterScript;
    laterScript.ExpectFocus(other.Control("RadioButton11")).Do([&] {
        EXPECT_FALSE(Checked(other.Control("RadioButton14")));
    });
    EXPECT_FALSE(laterScript.Press(VK_ESCAPE).Execute(other));
}

TEST_F(AppOptionsDialog, OptionsSurviveARoundTripUnchanged)
{
    TDoubleOptions options;
    options.OutputDirectory = odOther;
    options.OtherOutputDirectory = "\\\\server\\share";
    // Under code page 932 a character whose trail byte is a backslash.
    options.OriginalNamePrefix = " pre" + (IsDoubleByteCodePage() ? TrailBackslash : std::string());
    options.OriginalNameSuffix = "suf ";
    options.RemoveExtension = false;
    options.AvoidNameCollision = true;
    options.SerialNumberPrefix = "";
    options.SerialNumberSuffix = "]";
    options.MinSerialNumber = 0;
    options.MaxSerialNumber = 0;
    options.SerialNumberPosition = spBeginning;
    options.SortEntries = false;
    options.MoveSources = true;
    options.GroupSources = gsAllSources;
    options.ShowPreview = true;
    Dialog->Options = options;
    TDialogScript script;
    script.Do([&] {
        EXPECT_TRUE(Checked(Radio14));
        EXPECT_FALSE(Checked(Radio12));
        EXPECT_EQ(WindowText(Edit21), options.OriginalNamePrefix);
        EXPECT_EQ(WindowText(Edit25), "0");
        EXPECT_EQ(ItemIndex(Combo), 0);
        EXPECT_FALSE(Checked(Check31));
        EXPECT_EQ(WindowText(Combo31), "One for all sources");
        EXPECT_TRUE(Checked(Check33));
    });
    EXPECT_TRUE(script.Press(VK_RETURN).Execute(*Dialog));
    EXPECT_TRUE(Dialog->Options == options);
}

TEST_F(AppOptionsDialog, TabFollowsTheGroupsAndAccessKeysReachTheFields)
{
    Dialog->Options.OutputDirectory = odOther;
    TDialogScript script;
    script.Click(Radio14);
    for (HWND expected : {Edit11, Browse, Edit21, Edit22, Check21, Check22, Edit23, Edit24, Edit25, Edit26, Combo,
                          Check31, Check32, Combo31, Check33, Ok, Cancel, Radio14})
        script.Press(VK_TAB).ExpectFocus(expected);
    // Typed text is kept as typed: blanks stay, the number may have leading blanks.
    script.Alt('f').ExpectFocus(Edit21).Type(" x");
    script.Alt('m').ExpectFocus(Edit23).Replace("#");
    script.Alt('n').ExpectFocus(Edit25).Replace("  7");
    script.Alt('p').ExpectFocus(Combo).Press(VK_UP);
    script.Alt('s').Alt('i').Do([&] { EXPECT_FALSE(Checked(Check31)); });
    script.Alt('t').ExpectFocus(Combo31).Press(VK_DOWN);
    script.Alt('b').ExpectFocus(Check33);
    EXPECT_TRUE(script.Press(VK_RETURN).Execute(*Dialog));
    EXPECT_EQ(Dialog->Options.OriginalNamePrefix, " x");
    EXPECT_EQ(Dialog->Options.SerialNumberPrefix, "#");
    EXPECT_EQ(Dialog->Options.MinSerialNumber, 7);
    EXPECT_EQ(Dialog->Options.SerialNumberPosition, spBeginning);
    EXPECT_FALSE(Dialog->Options.SortEntries);
    EXPECT_TRUE(Dialog->Options.MoveSources);
    EXPECT_EQ(Dialog->Options.GroupSources, gsEachName);
    EXPECT_TRUE(Dialog->Options.ShowPreview);
}

// Each field refuses what it cannot take: the message shows, the focus stays
// on the field with its text selected, ready to be typed over, and the
// options are not taken.
TEST_F(AppOptionsDialog, EachFieldRefusesWhatItCannotTake)
{
    const std::string invalid = "Remove invalid characters.";
    const struct {
        const char* Field;
        const char* Typed;
        std::string Message;
    } cases[] = {
        {"Edit11", "docs\\out", "Type the path in absolute form."},
        {"Edit21", "a:b", invalid},
        {"Edit22", "a/b", invalid},
        {"Edit23", "<", invalid},
        {"Edit24", "|", invalid},
        {"Edit25", "-1", "Type an integer between 0 and the maximum."},
        {"Edit25", "101", "Type an integer between 0 and the maximum."},
        {"Edit26", "x", "Type an integer equal to or greater than the minimum."},
        {"Edit26", "", "Type an integer equal to or greater than the minimum."},
    };
    for (const auto& c : cases) {
        Dialog->Options.OutputDirectory = odOther;
        const TDoubleOptions before = Dialog->Options;
        HWND field = Dialog->Control(c.Field);
        TDialogScript script;
        script.Do([&] { Dialog->SetActiveControl(field); }).Replace(c.Typed).Press(VK_RETURN);
        script.ExpectError(c.Message).ExpectFocus(field).Do([&] { EXPECT_TRUE(IsAllSelected(field)) << c.Field; });
        EXPECT_FALSE(script.Press(VK_ESCAPE).Execute(*Dialog)) << c.Field;
        EXPECT_TRUE(Dialog->Options == before) << c.Field;
    }
}

// The fields are checked in tab order, and a range bound that fails the
// comparison is the field that was typed last.
TEST_F(AppOptionsDialog, ChecksRunInTabOrder)
{
    Dialog->Options.OriginalNamePrefix = "a:b";
    Dialog->Options.MinSerialNumber = 10;
    Dialog->Options.MaxSerialNumber = 5;
    TDialogScript script;
    script.Press(VK_RETURN).ExpectError("Remove invalid characters.").Replace("ab");
    // The minimum comes before the maximum.
    script.Press(VK_RETURN).ExpectError("Type an integer between 0 and the maximum.").ExpectFocus(Edit25).Replace("5");
    EXPECT_TRUE(script.Press(VK_RETURN).Execute(*Dialog));
    EXPECT_EQ(Dialog->Options.OriginalNamePrefix, "ab");
    EXPECT_EQ(Dialog->Options.MinSerialNumber, 5);
    EXPECT_EQ(Dialog->Options.MaxSerialNumber, 5);
}

TEST_F(AppOptionsDialog, NoKeyMovesOnFromAFailingField)
{
    Dialog->Options.OutputDirectory = odAtSource;
    TDialogScript script;
    script.Alt('f').Type("a?");
    // Each move would change something if it went through: the focus, the
    // output choice ("&Desktop"), the extension flag ("&Remove the extension").
    const std::function<void()> moves[] = {[] { PressKey(VK_TAB); }, [] { PressKey(VK_TAB, VK_SHIFT); },
                                           [] { PressAccessKey('d'); }, [] { PressAccessKey('r'); }};
    for (const auto& move : moves) {
        script.Do(move).ExpectError("Remove invalid characters.").ExpectFocus(Edit21).Do([&] {
            EXPECT_TRUE(Checked(Radio11));
            EXPECT_TRUE(Checked(Check21));
        });
    }
    // A move that leaves nothing is no move: "a?" stays as typed.
    script.Press(VK_LEFT).ExpectFocus(Edit21).Do([&] { EXPECT_EQ(WindowText(Edit21), "a?"); });
    EXPECT_FALSE(script.Press(VK_ESCAPE).Execute(*Dialog));
}

TEST_F(AppOptionsDialog, TypedTextArrivesWholeInEveryField)
{
    // Under code page 932 katakana so, whose trail byte is '\', and the kanji
    // of "display"; a user's keyboard sends each as one Unicode character.
    const std::string typed = IsDoubleByteCodePage() ? "\x83\x5C\x95\x5C\x8E\xA6" : "caf\xE9";
    Dialog->Options.OutputDirectory = odOther;
    const HWND edits[] = {Edit11, Edit21, Edit22, Edit23, Edit24, Edit25, Edit26};
    TDialogScript script;
    script.Do([&] {
        for (HWND edit : edits) {
            SetWindowTextA(edit, "");
            TypeText(typed, edit);
        }
    });
    script.Do([&] {
        for (HWND edit : edits)
            EXPECT_EQ(WindowText(edit), typed) << GetDlgCtrlID(edit);
    });
    EXPECT_FALSE(script.Press(VK_ESCAPE).Execute(*Dialog));
}

TEST_F(AppOptionsDialog, CancellingClosesWithoutChecks)
{
    const TDoubleOptions before = Dialog->Options;
    const std::function<void()> closers[] = {[] { PressKey(VK_ESCAPE); },
                                             [this] { PostMessageA(Dialog->Handle(), WM_SYSCOMMAND, SC_CLOSE, 0); }};
    for (const auto& close : closers) {
        TDialogScript script;
        EXPECT_FALSE(script.Alt('f').Type("|").Do(close).Execute(*Dialog));
        EXPECT_TRUE(Dialog->Options == before);
    }
}

TEST_F(AppOptionsDialog, ClickingCancelOnAFailingFieldShowsItsMessageFirst)
{
    TDialogScript script;
    script.Alt('f').Type("?").Click(Cancel).ExpectError("Remove invalid characters.").ExpectFocus(Edit21);
    script.Do([&] { EXPECT_TRUE(IsWindowVisible(Dialog->Handle())); }).Replace("");
    EXPECT_FALSE(script.Click(Cancel).Execute(*Dialog));
    EXPECT_EQ(Dialog->Options.OriginalNamePrefix, "");
}

TEST_F(AppOptionsDialog, TheChoicesEnableTheirFields)
{
    Dialog->Options.OutputDirectory = odAtSource;
    const std::vector<HWND> otherControls = {Edit11, Browse};
    std::vector<HWND> alwaysOn;
    for (const char* name : {"Label21", "Label22", "CheckBox21", "CheckBox31", "RadioButton11", "Edit21"})
        alwaysOn.push_back(Dialog->Control(name));
    TDialogScript script;
    script.ExpectEnabled(otherControls, false).Click(Radio14).ExpectEnabled(otherControls, true);
    script.Click(Radio13).ExpectEnabled(otherControls, false);
    script.Click(Check22).ExpectEnabled(SerialNumberControls(), false).ExpectEnabled(alwaysOn, true);
    script.Do([&] { EXPECT_EQ(WindowText(Edit23), " ("); });
    script.Click(Check22).ExpectEnabled(SerialNumberControls(), true);
    EXPECT_FALSE(script.Press(VK_ESCAPE).Execute(*Dialog));
}

TEST_F(AppOptionsDialog, DisabledFieldsAreStillReadAndChecked)
{
    // Values typed before their fields were disabled are stored.
    Dialog->Options.OutputDirectory = odOther;
    TDialogScript typed;
    typed.Alt('n').Replace("3").Click(Check22).ExpectEnabled({Edit25}, false);
    typed.Click(Radio14).Press(VK_TAB).Replace("C:\\Other").Click(Radio12);
    EXPECT_TRUE(typed.Press(VK_RETURN).Execute(*Dialog));
    EXPECT_EQ(Dialog->Options.OutputDirectory, odDesktop);
    EXPECT_EQ(Dialog->Options.OtherOutputDirectory, "C:\\Other");
    EXPECT_FALSE(Dialog->Options.AvoidNameCollision);
    EXPECT_EQ(Dialog->Options.MinSerialNumber, 3);

    // Wrong values that came with the options: the message leads to the
    // choice that enables the field.
    Dialog->Options.OtherOutputDirectory = "";
    Dialog->Options.MaxSerialNumber = 0;
    const TDoubleOptions before = Dialog->Options;
    TDialogScript loaded;
    loaded.Press(VK_RETURN).ExpectError("Choose \"Other:\" and type the path in absolute form.").ExpectFocus(Radio12);
    loaded.Do([&] { EXPECT_TRUE(Dialog->Options == before); });
    loaded.Click(Radio14).Press(VK_TAB).Type("C:\\").Click(Radio12).Press(VK_RETURN);
    loaded.ExpectError("Check \"Avoid name collision by adding a serial number:\" and type an integer between 0 and "
                       "the maximum.");
    loaded.ExpectFocus(Check22).Press(VK_SPACE).Press(VK_RETURN);
    loaded.ExpectError("Type an integer between 0 and the maximum.").ExpectFocus(Edit25).Replace("0");
    EXPECT_TRUE(loaded.Press(VK_RETURN).Execute(*Dialog));
    EXPECT_EQ(Dialog->Options.OutputDirectory, odDesktop);
    EXPECT_EQ(Dialog->Options.OtherOutputDirectory, "C:\\");
    EXPECT_TRUE(Dialog->Options.AvoidNameCollision);
    EXPECT_EQ(Dialog->Options.MinSerialNumber, 0);
    EXPECT_EQ(Dialog->Options.MaxSerialNumber, 0);
}

TEST_F(AppOptionsDialog, ChoicesItCannotShowAreRefusedBeforeItOpens)
{
    const struct {
        TOutputDirectory OutputDirectory;
        TSerialNumberPosition Position;
        TGroupSources GroupSources;
        const char* Message;
    } cases[] = {
        {static_cast<TOutputDirectory>(4), spEnd, gsEachSource, "The program does not support the output directory."},
        {odDesktop, static_cast<TSerialNumberPosition>(2), gsEachSource, "The program does not support the position."},
        {odDesktop, spEnd, static_cast<TGroupSources>(-1), "The program does not support the grouping."},
    };
    for (const auto& c : cases) {
        Dialog->Options.OutputDirectory = c.OutputDirectory;
        Dialog->Options.SerialNumberPosition = c.Position;
        Dialog->Options.GroupSources = c.GroupSources;
        EXPECT_EQ(ThrownMessage<EAppError>([&] { Dialog->Execute(); }), c.Message);
        EXPECT_FALSE(IsWindowVisible(Dialog->Handle()));
    }
}

TEST_F(AppOptionsDialog, TheBrowseButtonFillsTheOtherDirectory)
{
    const TBrowsableFolder folder;
    const std::string startDirectory = GetCurrentDir();
    // A choice becomes the current directory; it goes back before the folder goes.
    const TInDirectory in(startDirectory);
    Dialog->Options.OutputDirectory = odOther;
    // The browser gives the folder back without the trailing backslash.
    Dialog->Options.OtherOutputDirectory = folder.Path + "\\";

    // The browser opens over the dialog. Cancelled, it leaves the focus on
    // "...", which Enter then presses: the default frame goes with it.
    const auto isDefault = [](HWND button) { return (GetWindowLongA(button, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON; };
    const auto browserShowsTheFolder = [&] { return FolderBrowserSelection() == folder.Name(); };
    TDialogScript cancel;
    cancel.Click(Browse).WaitFor(browserShowsTheFolder).Do([&] {
        const POINT browser = CenterOf(FolderBrowser());
        const POINT dialog = CenterOf(Dialog->Handle());
        EXPECT_LE(std::abs(browser.x - dialog.x), 1);
        EXPECT_LE(std::abs(browser.y - dialog.y), 1);
        PostMessageA(FolderBrowser(), WM_COMMAND, IDCANCEL, 0);
    });
    cancel.WaitFor([] { return FolderBrowser() == nullptr; }).ExpectFocus(Browse).Do([&] {
        EXPECT_EQ(WindowText(Edit11), folder.Path + "\\");
        EXPECT_TRUE(isDefault(Browse));
        EXPECT_FALSE(isDefault(Ok));
    });
    cancel.Press(VK_TAB, VK_SHIFT).ExpectFocus(Edit11).Do([&] { EXPECT_TRUE(isDefault(Ok)); });
    EXPECT_TRUE(cancel.Press(VK_RETURN).Execute(*Dialog));
    EXPECT_EQ(Dialog->Options.OtherOutputDirectory, folder.Path + "\\");
    EXPECT_EQ(GetCurrentDir(), startDirectory);

    // A chosen folder becomes the last used one even when the dialog is
    // cancelled. Confirmed only once the browser has selected the start folder.
    const TDoubleOptions before = Dialog->Options;
    TDialogScript choose;
    choose.Click(Browse).WaitFor(browserShowsTheFolder).Do([] {
        PostMessageA(FolderBrowser(), WM_COMMAND, IDOK, 0);
    });
    choose.WaitFor([&] { return WindowText(Edit11) == folder.Path; }).Do([&] {
        EXPECT_EQ(GetCurrentDir(), folder.Path);
    });
    EXPECT_FALSE(choose.Press(VK_ESCAPE).Execute(*Dialog));
    EXPECT_TRUE(Dialog->Options == before);
    EXPECT_EQ(GetCurrentDir(), folder.Path);
}

TEST(AppOptionsDialogDpi, IsLaidOutAnewOnAMonitorOfAnotherDensity)
{
    ExpectRescalesAsBuilt<TOptionsDialog>();
}
