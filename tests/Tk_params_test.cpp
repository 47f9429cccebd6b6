#include "Tk_params.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

using Words = std::vector<std::string>;

TEST(TkParams, CommandLinesSplitAtBlanksAndControlCharactersOutsideQuotes)
{
    const struct {
        const char* line;
        Words words;
    } cases[] = {
        {"a b", {"a", "b"}},
        {" \ta\t\t b\r\n\x01" "c ", {"a", "b", "c"}},
        {"\"C:\\My Files\\a.txt\" b", {"C:\\My Files\\a.txt", "b"}},
        {"a\"b c\"d", {"ab cd"}},
        {"\"\"", {}},
        {"\"\" x \"\" \"\"\"\"", {"x"}},
        {"\"unbalanced tail", {"unbalanced tail"}},
        {"a\\\"b c\"", {"a\\b c"}}, // no escape character
        {"\" \"", {" "}},
        {"", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SplitCommandLine(c.line), c.words) << c.line;
}

TEST(TkParams, TheProgramsNameEndsAsWindowsReadsIt)
{
    const struct {
        const char* line;
        Words words;
    } cases[] = {
        {"\"C:\\Tools\\Tesselo.exe\"C:\\a.txt", {"C:\\a.txt"}},
        {"\"C:\\My Tools\\Tesselo.exe\" a \"b c\"", {"a", "b c"}},
        {"C:\\Tools\\Tesselo.exe\"x y\" z", {"y z"}},
        {"\"C:\\Tools\\Tesselo.exe", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ArgumentsOf(c.line), c.words) << c.line;
}

TEST(TkParams, DoubleByteCharactersStayWhole)
{
    REQUIRE_DOUBLE_BYTE_CODE_PAGE();
    const std::string path = "C:\\" + TrailBackslash + "\\" + TrailBar + " " + TrailBackslash;
    EXPECT_EQ(SplitCommandLine(("\"" + path + "\" " + TrailBackslash).c_str()), (Words{path, TrailBackslash}));
}

TEST(TkParams, LongCommandLinesSplitCompletely)
{
    const std::string longPath = "C:\\" + std::string(31990, 'x');
    EXPECT_EQ(SplitCommandLine(("\"" + longPath + "\"").c_str()), Words{longPath});
    std::string line;
    for (int i = 0; i < 3000; ++i)
        line += " C:\\" + std::to_string(i);
    const Words words = SplitCommandLine(line.c_str());
    ASSERT_EQ(words.size(), 3000u);
    EXPECT_EQ(words.back(), "C:\\2999");
}
