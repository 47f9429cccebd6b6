#include "App_common.h"
#include "App_double.h"
#include "App_texts.h"
#include "App_version.h"
#include "TestSupport.h"
#include "Tk_application.h"
#include "Tk_format.h"
#include "Tk_texts.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// The conversions of a format, in order: "%s", "%d", "%lu".
std::vector<std::string> Conversions(const std::string& text)
{
    std::vector<std::string> found;
    for (size_t at = text.find('%'); at != std::string::npos; at = text.find('%', at + 1)) {
        const size_t end = text.find_first_not_of("-+ #0123456789.hlLqjzt", at + 1);
        found.push_back(text.substr(at, end - at + 1));
        at = end;
    }
    return found;
}

// The access key of a caption, upper-cased, or 0.
char AccessKey(const std::string& text)
{
    const size_t at = text.find('&');
    return at == std::string::npos || at + 1 >= text.size() ? 0 : static_cast<char>(std::toupper(text[at + 1]));
}

}

TEST(Texts, EveryTextHasBothLanguagesWithTheSameConversionsAndAccessKey)
{
    size_t count = 0;
    for (unsigned id = 0; id < 4096; ++id) {
        std::string english;
        try {
            english = TextIn(id, TLanguage::English);
        } catch (const Exception&) {
            continue;
        }
        ++count;
        std::string japanese;
        ASSERT_NO_THROW(japanese = TextIn(id, TLanguage::Japanese)) << id;
        EXPECT_EQ(Conversions(japanese), Conversions(english)) << id;
        // In Japanese the key follows the text in brackets: "(&S)".
        const char key = AccessKey(english);
        EXPECT_EQ(std::count(japanese.begin(), japanese.end(), '&'), key ? 1 : 0) << id;
        if (key && japanese != english) {
            EXPECT_NE(japanese.find(std::string("(&") + key + ")"), std::string::npos) << id;
        }
    }
    EXPECT_GT(count, 100u);
}

// The English texts are the words that the program raises and callers compare.
TEST(Texts, TheEnglishTextsAreTheProgramsOwn)
{
    EXPECT_EQ(TextIn(IDS_MESSAGE_NAME_TAKEN, TLanguage::English), NameTakenReason);
    EXPECT_EQ(TextIn(IDS_MESSAGE_ALL_NAMES_TAKEN, TLanguage::English), AllNamesTakenReason);
    EXPECT_EQ(TextIn(IDS_MESSAGE_ALREADY_HELD, TLanguage::English), AlreadyHeldReason);
    EXPECT_EQ(TextIn(IDS_MESSAGE_OTHER_DRIVE, TLanguage::English), OtherDriveReason);
    EXPECT_EQ(Format(TextIn(IDS_ABOUT_TEXT, TLanguage::English).c_str(), TESSELO_VERSION_TEXT, TESSELO_COPYRIGHT),
              AboutText);
    EXPECT_THROW(TextIn(4095, TLanguage::English), Exception);
}

TEST(Texts, JapaneseMessagesRaisedInEnglishAreShownWithTheirPartsFilledIn)
{
    if (InterfaceLanguage() != TLanguage::Japanese)
        GTEST_SKIP() << "The interface language is not Japanese.";
    // A path whose characters end in the byte of a backslash or a quote.
    const std::string path = "C:\\" + TrailBackslash + "\\a.txt";
    EXPECT_EQ(Translated("The program could not read the file \"" + path + "\"."),
              Format(Text(IDS_MESSAGE_READ), path));
    EXPECT_EQ(Translated("The program cannot use the setting \"A\" because its value \"" + path
                         + "\" holds a character that file names cannot hold."),
              Format(Text(IDS_MESSAGE_SETTING_CHARACTER), "A", path));
    EXPECT_EQ(Translated("The name is taken."), Text(IDS_MESSAGE_NAME_TAKEN));
    // The system's messages, and anything cut short, stay as they are, though
    // the program joins its own sentences with formats such as "%s.".
    for (const char* other : {"Access is denied.", "The program could not read the file", "The name is taken"})
        EXPECT_EQ(Translated(other), other);
    // A Japanese sentence keeps its own full stop.
    EXPECT_EQ(ErrorText(Text(IDS_MESSAGE_NAME_TAKEN)), Text(IDS_MESSAGE_NAME_TAKEN));
}
