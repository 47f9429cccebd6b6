// Names from any script reach the program whole when it runs with UTF-8 as
// its code page: what it makes, shows, copies and stores is checked in
// Unicode. The program without UTF-8 skips these.
#include "ExplorerDrop.h"
#include "ProgramDriver.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using Names = std::vector<std::wstring>;

std::string Utf8(const std::wstring& text)
{
    return Narrow(text, CP_UTF8);
}

class Unicode : public testing::Test, protected TProgramCopy {
protected:
    const std::wstring Sources = Wide(Src);
    const std::wstring Output = Wide(Out);

    void SetUp() override
    {
        if (IsAnsiProgram())
            GTEST_SKIP() << "the program without UTF-8 keeps the system's code page";
    }

    // Settings.ini as the program writes it now: UTF-8.
    void WriteSettings(const std::wstring& options)
    {
        WriteFileText(SettingsFile, Utf8(Wide(ToOut) + options));
    }

    // Makes the sources (a directory when the name ends in '\') and runs the
    // program on all of them, or drops them on it as Explorer does.
    TProgramRun Drop(const Names& sources, const std::vector<TAnswer>& answers = {}, bool fromExplorer = false)
    {
        std::wstring arguments;
        Names paths;
        for (const std::wstring& source : sources) {
            const bool directory = source.back() == L'\\';
            const std::wstring path = Sources + L"\\" + (directory ? source.substr(0, source.size() - 1) : source);
            if (directory)
                CreateDirectoryW(path.c_str(), nullptr);
            else
                WriteFileText(path, "x");
            arguments += L" \"" + path + L"\"";
            paths.push_back(path);
        }
        TProgramRun run =
            fromExplorer ? DropOnProgram(Exe, paths, answers) : RunProgram(Exe, arguments, answers, Root.Path());
        EXPECT_TRUE(run.Ended);
        return run;
    }
};

// Japanese, Greek, Cyrillic, Arabic, an emoji (a surrogate pair), a combining
// accent beside the same letter composed, and a directory with dots.
const Names Scripts = {L"\u6771\u4EAC.txt", L"\u0395\u03BB\u03BB\u03AC\u03B4\u03B1.pdf",
                       L"\u041C\u043E\u0441\u043A\u0432\u0430.docx", L"\u0627\u0644\u0642\u0627\u0647\u0631\u0629.txt",
                       L"\U0001F600 smile.txt", L"Cafe\u0301.txt", L"Caf\u00E9.txt", L"\u00DCn\u00EFc\u00F6d\u00E9.d\\"};

}

TEST_F(Unicode, NamesFromEveryScriptAreMadeExactly)
{
    // Prefix and suffix in other scripts, blanks to trim at both ends.
    WriteSettings(L"OriginalNamePrefix=\" \u0394-\"\r\nOriginalNameSuffix=\" \u6771 \"\r\n");
    Names expected;
    for (const wchar_t* stem : {L"\u6771\u4EAC", L"\u0395\u03BB\u03BB\u03AC\u03B4\u03B1", L"\u041C\u043E\u0441\u043A\u0432\u0430",
                                L"\u0627\u0644\u0642\u0627\u0647\u0631\u0629", L"\U0001F600 smile", L"Cafe\u0301", L"Caf\u00E9",
                                L"\u00DCn\u00EFc\u00F6d\u00E9.d"})
        expected.push_back(L"\u0394-" + std::wstring(stem) + L" \u6771");
    std::sort(expected.begin(), expected.end());
    // On the command line, then from Explorer.
    for (const bool fromExplorer : {false, true}) {
        RemoveMatching(Output, L"*");
        EXPECT_TRUE(Drop(Scripts, {}, fromExplorer).Seen.empty());
        EXPECT_EQ(WideDirectoryNames(Output), expected) << fromExplorer;
    }
}

TEST_F(Unicode, NumberedNamesInOtherScriptsAtBothEnds)
{
    WriteSettings(L"SerialNumberPrefix=\"\u2116\"\r\nSerialNumberSuffix=\" \u00B7 \"\r\nSerialNumberPosition=0\r\n");
    CreateDirectoryW((Output + L"\\\u6771\u4EAC").c_str(), nullptr);
    Drop({L"\u6771\u4EAC.txt"});
    WriteSettings(L"SerialNumberPrefix=\" (\u7B2C\"\r\nSerialNumberSuffix=\"\u53F7)\"\r\n");
    Drop({L"\u6771\u4EAC.txt"});
    EXPECT_EQ(WideDirectoryNames(Output), (Names{L"\u2116" L"2 \u00B7 \u6771\u4EAC", L"\u6771\u4EAC", L"\u6771\u4EAC (\u7B2C2\u53F7)"}));
}

TEST_F(Unicode, OneNameOfTwentyInAnotherScriptStopsNothing)
{
    WriteSettings(L"");
    Names sources;
    for (int i = 0; i < 19; ++i)
        sources.push_back(L"file" + std::to_wstring(i) + L".txt");
    sources.push_back(L"\u6771\u4EAC\u0395\u03BB.txt");
    const TProgramRun run = Drop(sources);
    EXPECT_TRUE(run.Seen.empty());
    EXPECT_EQ(WideDirectoryNames(Output).size(), 20u);
}

TEST_F(Unicode, PathsLongerThan260BytesButNot260CharactersAreMade)
{
    // 120 bytes a name in UTF-8: within what a Linux file system takes for one.
    const std::wstring folder(40, L'\u4EAC');
    const std::wstring name(40, L'\u6771');
    WriteFileText(SettingsFile, Utf8(L"[Options]\r\nOutputDirectory=3\r\nOtherOutputDirectory=\"" + Output + L"\\"
                                     + folder + L"\"\r\nOriginalNameSuffix=\"" + folder + L"\"\r\n"));
    CreateDirectoryW((Sources + L"\\" + folder).c_str(), nullptr);
    const TProgramRun run = Drop({folder + L"\\" + name + L".txt"});
    EXPECT_TRUE(run.Seen.empty());
    const std::wstring made = Output + L"\\" + folder + L"\\" + name + folder;
    EXPECT_GT(Utf8(made).size(), 260u);
    EXPECT_LT(made.size(), 260u);
    EXPECT_EQ(WideDirectoryNames(Output + L"\\" + folder), Names{name + folder});
}

TEST_F(Unicode, TheFailedListShowsAndCopiesEveryScript)
{
    // Unsorted: where an emoji sorts among letters is the locale's choice.
    WriteSettings(L"AvoidNameCollision=0\r\nSortEntries=0\r\n");
    for (const wchar_t* taken : {L"\u0395\u03BB\u03BB\u03AC\u03B4\u03B1", L"\U0001F600 smile"})
        CreateDirectoryW((Output + L"\\" + taken).c_str(), nullptr);
    const TProgramRun run = Drop({L"\U0001F600 smile.txt", L"\u0395\u03BB\u03BB\u03AC\u03B4\u03B1.pdf", L"a.txt"},
                                 {CopyAll()});
    ASSERT_EQ(run.Seen.size(), 1u);
    const Names failed = {Sources + L"\\\U0001F600 smile.txt", Sources + L"\\\u0395\u03BB\u03BB\u03AC\u03B4\u03B1.pdf"};
    EXPECT_EQ(run.Seen[0].WideLines, failed);
    EXPECT_EQ(run.Seen[0].WideClipboard, failed[0] + L"\r\n" + failed[1] + L"\r\n");
}

TEST_F(Unicode, TheOptionsDialogTakesAndStoresEveryScript)
{
    WriteSettings(L"OriginalNamePrefix=\"\u041C\u043E\"\r\n");
    const std::wstring prefix = L"\u6771\u0394\u0416\u0627\U0001F600 ";
    TProgramRun run = RunProgram(Exe, std::wstring(), {ChooseCommand(0), EditOption(1, prefix)}, Root.Path());
    ASSERT_EQ(run.Seen.size(), 2u);
    ASSERT_GE(run.Seen[1].WideFields.size(), 2u);
    EXPECT_EQ(run.Seen[1].WideFields[1], L"\u041C\u043E");
    const std::string saved = ReadFileText(SettingsFile);
    EXPECT_NE(saved.find(Utf8(L"OriginalNamePrefix=\"" + prefix + L"\"\r\n")), std::string::npos) << saved;
}

// An old Settings.ini, written in the system's double-byte code page, reads
// as it was meant and is written anew in UTF-8.
TEST_F(Unicode, AnOldSettingsFileInCodePage932IsReadAndRewrittenInUtf8)
{
    REQUIRE_DOUBLE_BYTE_CODE_PAGE();
    const std::string other = Out + "\\" + TrailBackslash;
    const std::string prefix = TrailBackslash + "\x83\x5C";
    WriteFileText(SettingsFile, "[Options]\r\nOutputDirectory=3\r\nOtherOutputDirectory=\"" + other
                                    + "\"\r\nOriginalNamePrefix=\"" + prefix + "\"\r\n");
    Drop({L"a.txt"});
    EXPECT_EQ(WideDirectoryNames(Wide(other)), Names{Wide(prefix) + L"a"});
    const std::string saved = ReadFileText(SettingsFile);
    EXPECT_NE(saved.find("OtherOutputDirectory=\"" + Utf8(Wide(other)) + "\"\r\n"), std::string::npos) << saved;
    EXPECT_NE(saved.find("OriginalNamePrefix=\"" + Utf8(Wide(prefix)) + "\"\r\n"), std::string::npos) << saved;
}

TEST_F(Unicode, AByteOrderMarkIsReadAndNotWritten)
{
    WriteFileText(SettingsFile, "\xEF\xBB\xBF" + Utf8(Wide(ToOut) + L"OriginalNamePrefix=\"\u0394\"\r\n"));
    Drop({L"a.txt"});
    EXPECT_EQ(WideDirectoryNames(Output), Names{L"\u0394a"});
    EXPECT_EQ(ReadFileText(SettingsFile).rfind("[Options]\r\n", 0), 0u);
}
