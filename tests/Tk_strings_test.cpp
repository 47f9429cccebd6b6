#include "Tk_strings.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

// Every encoding Notepad saves reads as the same text; what is no text, or
// has no form in the code page, is refused rather than read as something else.
TEST(TkStrings, FileTextIsReadInTheEncodingItWasSavedIn)
{
    // U+00A7 (the section sign) is in code pages 1252 and 932; U+0100 in neither.
    const std::string section = Narrow(L"\u00A7");
    const struct {
        std::string Content;
        TFileText Result;
        std::string Text;
    } cases[] = {
        {"k=v\r\n", ftText, "k=v\r\n"},
        {"", ftText, ""},
        {"\xEF\xBB\xBFk=\xC2\xA7", ftText, "k=" + section},
        {"k=\xC2\xA7", ftText, "k=" + section},
        {std::string("\xFF\xFEk\0=\0\xA7\0", 8), ftText, "k=" + section},
        {std::string("\xFE\xFF\0k\0=\0\xA7", 8), ftText, "k=" + section},
        {"k=" + section, ftText, "k=" + section}, // the code page's own text, as it is
        {std::string("k=a\0b", 5), ftNotText, ""},
        {"\xEF\xBB\xBFk=\xFF", ftNotText, ""},
        {std::string("\xFF\xFEk\0=", 5), ftNotText, ""},          // an odd number of bytes
        {std::string("\xFF\xFE\x00\xD8k\0", 6), ftNotText, ""},   // a surrogate alone
        {std::string("\xFF\xFEk\0\0\0", 6), ftNotText, ""},       // a NUL character
        {"\xEF\xBB\xBFk=\xC4\x80", ftLacking, ""},
        {std::string("\xFF\xFE\x00\x01", 4), ftLacking, ""},
    };
    for (const auto& c : cases) {
        std::string text;
        EXPECT_EQ(FileTextToAnsi(c.Content, text), c.Result) << c.Content;
        if (c.Result == ftText) {
            EXPECT_EQ(text, c.Text) << c.Content;
        }
    }
}

TEST(TkStrings, TextInTheCodePageStaysByteForByte)
{
    // Code page 932 has characters twice (NEC and IBM rows): a round trip
    // through Unicode would turn the one into the other.
    if (GetACP() != 932)
        GTEST_SKIP() << "needs code page 932";
    std::string text;
    EXPECT_EQ(FileTextToAnsi("k=\xFA\x40\xED\x40", text), ftText);
    EXPECT_EQ(text, "k=\xFA\x40\xED\x40");
    EXPECT_EQ(FileTextToAnsi("k=\x81", text), ftNotText);
}

TEST(TkStrings, AShellPathConvertsExactlyOrNotAtAll)
{
    std::string text;
    EXPECT_TRUE(WideToAnsi(L"C:\\Users\\a", text));
    EXPECT_EQ(text, "C:\\Users\\a");
    // Best fit would give 'A', and under code page 932 '\' for the yen sign:
    // another folder, or two folders instead of one.
    EXPECT_FALSE(WideToAnsi(L"C:\\\u0100", text));
    if (GetACP() == 932) {
        EXPECT_FALSE(WideToAnsi(L"C:\\a\u00A5b", text));
    }
}
