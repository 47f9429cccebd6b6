#include "Kro_strings.h"

#include "TestSupport.h"

#include <gtest/gtest.h>


namespace {

std::string Dequote(const std::string& text)
{
    return DequoteString(text, '"');
}

std::string Quote(const std::string& text)
{
    return QuoteString(text, '"');
}

}

TEST(KroStrings, QuotingDoublesTheQuoteCharacter)
{
    EXPECT_EQ(Quote(""), "\"\"");
    EXPECT_EQ(Quote(" ("), "\" (\"");
    EXPECT_EQ(Quote("a\"b"), "\"a\"\"b\"");
    EXPECT_EQ(QuoteString("it's", '\''), "'it''s'");
}

TEST(KroStrings, DequotingStopsAtTheClosingQuote)
{
    EXPECT_EQ(Dequote("\"\""), "");
    EXPECT_EQ(Dequote("\"a\"\"b\""), "a\"b");
    EXPECT_EQ(Dequote("\"abc\"def"), "abc");
    EXPECT_EQ(Dequote("\"abc"), "abc");
    EXPECT_EQ(Dequote("\"a\"\"\"\"\""), "a\"\"");
    EXPECT_EQ(Dequote("\"   \""), "   ");
}

TEST(KroStrings, DequotingRefusesTextThatDoesNotOpenWithTheQuote)
{
    for (const char* text : {"", " \"abc\"", "abc", "'abc'"})
        EXPECT_EQ(ThrownMessage<EStringError>([&] { Dequote(text); }), "The program cannot dequote the string.")
            << "[" << text << "]";
}

TEST(KroStrings, NulAndLeadBytesAreNoQuoteCharacters)
{
    std::vector<char> invalid = {'\0'};
    if (IsDoubleByteCodePage())
        invalid.push_back('\x95');
    for (char q : invalid) {
        EXPECT_EQ(ThrownMessage<EStringError>([&] { QuoteString("abc", q); }), "The program cannot quote the string.")
            << int(q);
        EXPECT_EQ(ThrownMessage<EStringError>([&] { DequoteString(std::string(1, q) + "abc", q); }),
                  "The program cannot dequote the string.")
            << int(q);
    }
}

TEST(KroStrings, TrailBytesEqualToTheQuoteAreNoQuotes)
{
    REQUIRE_DOUBLE_BYTE_CODE_PAGE();
    // A lead byte takes the byte after it, whatever that byte is.
    EXPECT_EQ(QuoteString(TrailBackslash + "x", '\\'), "\\" + TrailBackslash + "x\\");
    EXPECT_EQ(DequoteString("\\" + TrailBackslash + "x\\", '\\'), TrailBackslash + "x");
    EXPECT_EQ(Quote("\x95\"a"), "\"\x95\"a\"");
    EXPECT_EQ(Dequote("\"\x95\"a\""), "\x95\"a");
}

TEST(KroStrings, DequoteUndoesQuoteForRandomTexts)
{
    std::mt19937 random(932);
    for (int round = 0; round < 2000; ++round) {
        const std::string text = RandomText(random, 12);
        ASSERT_EQ(Dequote(Quote(text)), text) << "[" << text << "]";
    }
}
