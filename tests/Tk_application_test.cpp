#include "Tk_application.h"

#include "TestDialogs.h"
#include "Tk_exceptions.h"

#include <gtest/gtest.h>

TEST(TkApplication, AnErrorIsShownAsOneSentence)
{
    const struct {
        const char* message;
        const char* shown;
    } cases[] = {
        {"", ""},
        {"Index out of bounds", "Index out of bounds."},
        {"Code 12", "Code 12."},
        {"The program could not open the help.", "The program could not open the help."},
        {"An unknown exception occured.", "An unknown exception occured."},
        {"Stop!", "Stop!"},
        {"(see above)", "(see above)"},
        {"Line 1\r\n", "Line 1\r\n"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ErrorText(c.message), c.shown) << c.message;
}

// The error display and the About box belong to the hidden window when no
// dialog is up: on their own they would have no taskbar button, and a box
// behind other windows could not be found. A box over a dialog shares the
// dialog's button.
TEST(TkApplication, ABoxWithoutADialogHasATaskbarButton)
{
    bool button = false;
    TDialogScript script;
    script.ExpectMessageBox([&](const TMessageBoxSeen& seen) { button = seen.TaskbarButton; });
    script.Run([] { Application.ShowException(Exception("The program could not create a directory.")); });
    EXPECT_TRUE(button);
}

TEST(TkApplication, DrivesWithoutAMediumFailQuietly)
{
    EXPECT_TRUE(GetErrorMode() & SEM_FAILCRITICALERRORS);
}
