#include "Tk_application.h"

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
