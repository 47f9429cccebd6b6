#include "App_OptionsDialog.h"

#include "App_common.h"
#include "TestDialogs.h"
#include "Tk_paths.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

// Alt with a letter, as the user presses an access key.
void PressAccessKey(char key)
{
    PostMessageA(GetFocus(), WM_SYSCHAR, static_cast<unsigned char>(key), 1 | (1 << 29));
}

struct AppOptionsDialog : testing::Test {
    TOptionsDialog* Dialog = GetOptionsDialog();
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
    HWND Ok = Dialog->Control("Button1");
    HWND Cancel = Dialog->Control("Button2");

    void SetUp() override { Dialog->Options = TDoubleOptions(); }

    bool Run(TDialogScript& script)
    {
        bool result = false;
        script.Run([&] { result = Dialog->Execute(); });
        return result;
    }

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
    script.Do([&] {
        EXPECT_EQ(WindowText(defaults.Handle()), "Options");
        EXPECT_EQ(GetFocus(), defaults.Control("RadioButton12"));
        EXPECT_TRUE(Checked(defaults.Control("RadioButton12")));
        EXPECT_FALSE(IsEnabled(defaults.Control("Edit11")));
        EXPECT_EQ(WindowText(defaults.Control("Edit26")), "100");
        EXPECT_EQ(ItemIndex(defaults.Control("ComboBox21")), 1);
        PressKey(VK_ESCAPE);
    });
    bool result = true;
    script.Run([&] { result = defaults.Execute(); });
    EXPECT_FALSE(result);

    // "Other:" keeps the first tab stop, Edit11; a check box that keeps its
    // state still gets its rule applied.
    TOptionsDialog other;
    other.Options.OutputDirectory = odOther;
    other.Options.AvoidNameCollision = false;
    TDialogScript otherScript;
    otherScript.Do([&] {
        EXPECT_EQ(GetFocus(), other.Control("Edit11"));
        EXPECT_FALSE(IsEnabled(other.Control("Edit23")));
        EXPECT_FALSE(IsEnabled(other.Control("ComboBox21")));
        EXPECT_FALSE(IsEnabled(other.Control("Label27")));
        PressKey(VK_ESCAPE);
    });
    otherScript.Run([&] { result = other.Execute(); });
    EXPECT_FALSE(result);

    // A later show with another choice opens on that choice, not on the
    // radio button that was the tab stop before.
    other.Options.OutputDirectory = odAtSource;
    TDialogScript laterScript;
    laterScript.Do([&] {
        EXPECT_EQ(GetFocus(), other.Control("RadioButton11"));
        EXPECT_FALSE(Checked(other.Control("RadioButton14")));
        PressKey(VK_ESCAPE);
    });
    laterScript.Run([&] { result = other.Execute(); });
    EXPECT_FALSE(result);
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
    Dialog->Options = options;
    TDialogScript script;
    script.Do([&] {
        EXPECT_TRUE(Checked(Radio14));
        EXPECT_FALSE(Checked(Radio12));
        EXPECT_EQ(WindowText(Edit21), options.OriginalNamePrefix);
        EXPECT_EQ(WindowText(Edit25), "0");
        EXPECT_EQ(ItemIndex(Combo), 0);
        EXPECT_FALSE(Checked(Check31));
        PressKey(VK_RETURN);
    });
    EXPECT_TRUE(Run(script));
    EXPECT_TRUE(Dialog->Options == options);
}

TEST_F(AppOptionsDialog, TabFollowsTheGroupsAndAccessKeysReachTheFields)
{
    Dialog->Options.OutputDirectory = odOther;
    TDialogScript script;
    script.Do([&] { ClickOn(Radio14); });
    const HWND order[] = {Edit11, Browse, Edit21, Edit22, Check21, Check22, Edit23, Edit24,
                          Edit25, Edit26, Combo,  Check31, Ok,    Cancel,  Radio14};
    for (HWND expected : order) {
        script.Do([] { PressKey(VK_TAB); });
        script.Do([&, expected] { EXPECT_EQ(GetFocus(), expected) << WindowText(expected); });
    }
    // Typed text is kept as typed: blanks stay, the number may have leading blanks.
    script.Do([] { PressAccessKey('f'); });
    script.Do([&] {
        EXPECT_EQ(GetFocus(), Edit21);
        TypeText(" x");
    });
    script.Do([] { PressAccessKey('m'); });
    script.Do([&] {
        EXPECT_EQ(GetFocus(), Edit23);
        ReplaceText("#");
    });
    script.Do([] { PressAccessKey('n'); });
    script.Do([&] {
        EXPECT_EQ(GetFocus(), Edit25);
        ReplaceText("  7");
    });
    script.Do([] { PressAccessKey('p'); });
    script.Do([&] {
        EXPECT_EQ(GetFocus(), Combo);
        PressKey(VK_UP);
    });
    script.Do([] { PressAccessKey('s'); });
    script.Do([&] {
        EXPECT_FALSE(Checked(Check31));
        PressKey(VK_RETURN);
    });
    EXPECT_TRUE(Run(script));
    EXPECT_EQ(Dialog->Options.OriginalNamePrefix, " x");
    EXPECT_EQ(Dialog->Options.SerialNumberPrefix, "#");
    EXPECT_EQ(Dialog->Options.MinSerialNumber, 7);
    EXPECT_EQ(Dialog->Options.SerialNumberPosition, spBeginning);
    EXPECT_FALSE(Dialog->Options.SortEntries);
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
        script.Do([&] {
            Dialog->SetActiveControl(field);
            ReplaceText(c.Typed);
            PressKey(VK_RETURN);
        });
        script.ExpectError(c.Message).Do([&] {
            EXPECT_EQ(GetFocus(), field) << c.Field;
            EXPECT_TRUE(IsAllSelected(field)) << c.Field;
            PressKey(VK_ESCAPE);
        });
        EXPECT_FALSE(Run(script)) << c.Field;
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
    script.Do([] { PressKey(VK_RETURN); }).ExpectError("Remove invalid characters.").Do([&] { ReplaceText("ab"); });
    // The minimum comes before the maximum.
    script.Do([] { PressKey(VK_RETURN); }).ExpectError("Type an integer between 0 and the maximum.").Do([&] {
        EXPECT_EQ(GetFocus(), Edit25);
        ReplaceText("5");
    });
    script.Do([] { PressKey(VK_RETURN); });
    EXPECT_TRUE(Run(script));
    EXPECT_EQ(Dialog->Options.OriginalNamePrefix, "ab");
    EXPECT_EQ(Dialog->Options.MinSerialNumber, 5);
    EXPECT_EQ(Dialog->Options.MaxSerialNumber, 5);
}

TEST_F(AppOptionsDialog, NoKeyMovesOnFromAFailingField)
{
    Dialog->Options.OutputDirectory = odAtSource;
    // Each move would change something if it went through: the focus, the
    // output choice ("&Desktop"), the extension flag ("&Remove the extension").
    const std::function<void()> moves[] = {
        [] { PressKey(VK_TAB); },
        [] { PressKey(VK_TAB, VK_SHIFT); },
        [] { PressAccessKey('d'); },
        [] { PressAccessKey('r'); },
    };
    TDialogScript script;
    script.Do([] { PressAccessKey('f'); });
    script.Do([] { TypeText("a?"); });
    for (const auto& move : moves) {
        script.Do(move).ExpectError("Remove invalid characters.").Do([&] {
            EXPECT_EQ(GetFocus(), Edit21);
            EXPECT_TRUE(Checked(Dialog->Control("RadioButton11")));
            EXPECT_TRUE(Checked(Check21));
        });
    }
    // A move that leaves nothing is no move: "a?" stays as typed.
    script.Do([] { PressKey(VK_LEFT); });
    script.Do([&] {
        EXPECT_EQ(GetFocus(), Edit21);
        EXPECT_EQ(WindowText(Edit21), "a?");
        PressKey(VK_ESCAPE);
    });
    EXPECT_FALSE(Run(script));
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
        PressKey(VK_ESCAPE);
    });
    EXPECT_FALSE(Run(script));
}

TEST_F(AppOptionsDialog, CancellingClosesWithoutChecks)
{
    const TDoubleOptions before = Dialog->Options;
    const std::function<void()> closers[] = {
        [] { PressKey(VK_ESCAPE); },
        [this] { PostMessageA(Dialog->Handle(), WM_SYSCOMMAND, SC_CLOSE, 0); },
    };
    for (const auto& close : closers) {
        TDialogScript script;
        script.Do([] { PressAccessKey('f'); });
        script.Do([] { TypeText("|"); });
        script.Do(close);
        EXPECT_FALSE(Run(script));
        EXPECT_TRUE(Dialog->Options == before);
    }
}

TEST_F(AppOptionsDialog, ClickingCancelOnAFailingFieldShowsItsMessageFirst)
{
    TDialogScript script;
    script.Do([] { PressAccessKey('f'); });
    script.Do([] { TypeText("?"); });
    script.Do([&] { ClickOn(Cancel); }).ExpectError("Remove invalid characters.").Do([&] {
        EXPECT_EQ(GetFocus(), Edit21);
        EXPECT_TRUE(IsWindowVisible(Dialog->Handle()));
        ReplaceText("");
    });
    script.Do([&] { ClickOn(Cancel); });
    EXPECT_FALSE(Run(script));
    EXPECT_EQ(Dialog->Options.OriginalNamePrefix, "");
}

TEST_F(AppOptionsDialog, TheChoicesEnableTheirFields)
{
    Dialog->Options.OutputDirectory = odAtSource;
    TDialogScript script;
    script.Do([&] {
        EXPECT_FALSE(IsEnabled(Edit11));
        ClickOn(Radio14);
    });
    script.Do([&] {
        EXPECT_TRUE(IsEnabled(Edit11));
        EXPECT_TRUE(IsEnabled(Browse));
        ClickOn(Radio13);
    });
    script.Do([&] {
        EXPECT_FALSE(IsEnabled(Edit11));
        EXPECT_FALSE(IsEnabled(Browse));
        ClickOn(Check22);
    });
    script.Do([&] {
        for (HWND control : SerialNumberControls())
            EXPECT_FALSE(IsEnabled(control)) << WindowText(control);
        for (const char* name : {"Label21", "Label22", "CheckBox21", "CheckBox31", "RadioButton11", "Edit21"})
            EXPECT_TRUE(IsEnabled(Dialog->Control(name))) << name;
        EXPECT_EQ(WindowText(Edit23), " (");
        ClickOn(Check22);
    });
    script.Do([&] {
        for (HWND control : SerialNumberControls())
            EXPECT_TRUE(IsEnabled(control)) << WindowText(control);
        PressKey(VK_ESCAPE);
    });
    EXPECT_FALSE(Run(script));
}

TEST_F(AppOptionsDialog, DisabledFieldsAreStillReadAndChecked)
{
    // Values typed before their fields were disabled are stored.
    Dialog->Options.OutputDirectory = odOther;
    TDialogScript typed;
    typed.Do([] { PressAccessKey('n'); });
    typed.Do([] { ReplaceText("3"); });
    typed.Do([&] { ClickOn(Check22); });
    typed.Do([&] {
        EXPECT_FALSE(IsEnabled(Edit25));
        ClickOn(Radio14);
    });
    typed.Do([] { PressKey(VK_TAB); });
    typed.Do([] { ReplaceText("C:\\Other"); });
    typed.Do([&] { ClickOn(Radio12); });
    typed.Do([] { PressKey(VK_RETURN); });
    EXPECT_TRUE(Run(typed));
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
    loaded.Do([] { PressKey(VK_RETURN); }).ExpectError("Choose \"Other:\" and type the path in absolute form.");
    loaded.Do([&] {
        EXPECT_EQ(GetFocus(), Radio12);
        EXPECT_TRUE(Dialog->Options == before);
        ClickOn(Radio14);
    });
    loaded.Do([] { PressKey(VK_TAB); });
    loaded.Do([] { TypeText("C:\\"); });
    loaded.Do([&] { ClickOn(Radio12); });
    loaded.Do([] { PressKey(VK_RETURN); })
        .ExpectError("Check \"Avoid name collision by adding a serial number:\" and type an integer between 0 and "
                     "the maximum.");
    loaded.Do([&] {
        EXPECT_EQ(GetFocus(), Check22);
        PressKey(VK_SPACE);
    });
    loaded.Do([] { PressKey(VK_RETURN); }).ExpectError("Type an integer between 0 and the maximum.").Do([&] {
        EXPECT_EQ(GetFocus(), Edit25);
        ReplaceText("0");
    });
    loaded.Do([] { PressKey(VK_RETURN); });
    EXPECT_TRUE(Run(loaded));
    EXPECT_EQ(Dialog->Options.OutputDirectory, odDesktop);
    EXPECT_EQ(Dialog->Options.OtherOutputDirectory, "C:\\");
    EXPECT_TRUE(Dialog->Options.AvoidNameCollision);
    EXPECT_EQ(Dialog->Options.MinSerialNumber, 0);
    EXPECT_EQ(Dialog->Options.MaxSerialNumber, 0);
}

TEST_F(AppOptionsDialog, ChoicesItCannotShowAreRefusedBeforeItOpens)
{
    struct TCase {
        TOutputDirectory OutputDirectory;
        TSerialNumberPosition Position;
        const char* Message;
    };
    const TCase cases[] = {
        {static_cast<TOutputDirectory>(4), spEnd, "The program does not support the output directory."},
        {odDesktop, static_cast<TSerialNumberPosition>(2), "The program does not support the position."},
    };
    for (const TCase& c : cases) {
        Dialog->Options.OutputDirectory = c.OutputDirectory;
        Dialog->Options.SerialNumberPosition = c.Position;
        try {
            Dialog->Execute();
            ADD_FAILURE() << "shown";
        } catch (const EAppError& e) {
            EXPECT_EQ(e.Message(), c.Message);
        }
        EXPECT_FALSE(IsWindowVisible(Dialog->Handle()));
    }
}

TEST_F(AppOptionsDialog, TheBrowseButtonFillsTheOtherDirectory)
{
    const std::string folder = MakeBrowsableFolder();
    const std::string startDirectory = GetCurrentDir();
    Dialog->Options.OutputDirectory = odOther;
    // The browser gives the folder back without the trailing backslash.
    Dialog->Options.OtherOutputDirectory = folder + "\\";

    // The browser opens over the dialog. Cancelled, it leaves the focus on
    // "...", which Enter then presses: the default frame goes with it.
    const std::string name = folder.substr(folder.rfind('\\') + 1);
    const auto isDefault = [](HWND button) { return (GetWindowLongA(button, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON; };
    TDialogScript cancel;
    cancel.Do([&] { ClickOn(Browse); });
    cancel.WaitFor([&] { return FolderBrowserSelection() == name; }).Do([&] {
        const POINT browser = CenterOf(FolderBrowser());
        const POINT dialog = CenterOf(Dialog->Handle());
        EXPECT_LE(std::abs(browser.x - dialog.x), 1);
        EXPECT_LE(std::abs(browser.y - dialog.y), 1);
        PostMessageA(FolderBrowser(), WM_COMMAND, IDCANCEL, 0);
    });
    cancel.WaitFor([] { return FolderBrowser() == nullptr; }).Do([&] {
        EXPECT_EQ(WindowText(Edit11), folder + "\\");
        EXPECT_EQ(GetFocus(), Browse);
        EXPECT_TRUE(isDefault(Browse));
        EXPECT_FALSE(isDefault(Ok));
        PressKey(VK_TAB, VK_SHIFT);
    });
    cancel.Do([&] {
        EXPECT_EQ(GetFocus(), Edit11);
        EXPECT_TRUE(isDefault(Ok));
        PressKey(VK_RETURN);
    });
    EXPECT_TRUE(Run(cancel));
    EXPECT_EQ(Dialog->Options.OtherOutputDirectory, folder + "\\");
    EXPECT_EQ(GetCurrentDir(), startDirectory);

    // A chosen folder becomes the last used one even when the dialog is cancelled.
    const TDoubleOptions before = Dialog->Options;
    TDialogScript choose;
    choose.Do([&] { ClickOn(Browse); });
    // Confirmed only once the browser has selected the start folder.
    choose.WaitFor([&] { return FolderBrowserSelection() == name; }).Do([] {
        PostMessageA(FolderBrowser(), WM_COMMAND, IDOK, 0);
    });
    choose.WaitFor([&] { return WindowText(Edit11) == folder; }).Do([&] {
        EXPECT_EQ(GetCurrentDir(), folder);
        PressKey(VK_ESCAPE);
    });
    EXPECT_FALSE(Run(choose));
    EXPECT_TRUE(Dialog->Options == before);
    EXPECT_EQ(GetCurrentDir(), folder);

    SetCurrentDirectoryA(startDirectory.c_str());
    RemoveDirectoryA(folder.c_str());
}
