#include "App_doubleentries.h"

#include "Tk_paths.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

using Names = std::vector<std::string>;

void ExpectRefused(const std::string& raw, const std::string& message)
{
    TLongPathCache longPaths;
    EXPECT_EQ(ThrownMessage<EAppError>([&] { NormalizeSourcePath(raw, longPaths); }), message) << raw;
    EXPECT_EQ(ThrownMessage<EAppError>([&] { TDoubleEntry{raw}; }), message) << raw;
}

std::string NotAbsolute(const std::string& raw)
{
    return "The program cannot accept the path \"" + raw + "\" because it is not in absolute form.";
}

std::string NoLongForm(const std::string& expanded)
{
    return "The program cannot accept the path \"" + expanded + "\" because its long form is unavailable.";
}

std::string EmptyName(const std::string& path)
{
    return "The program cannot accept the path \"" + path + "\" because its name is empty.";
}

TDoubleEntryArray MakeEntries(std::initializer_list<std::string> paths)
{
    TDoubleEntryArray entries;
    TLongPathCache longPaths;
    for (const std::string& path : paths)
        entries.emplace_back(new TDoubleEntry(path, longPaths));
    return entries;
}

// Files of these names, made in dir and added one by one, as the model
// sorts them.
std::vector<std::string> Sorted(const TTempDir& dir, std::initializer_list<const char*> names)
{
    TDoubleEntriesModel model;
    for (const char* name : names) {
        WriteFileText(dir / name, "x");
        TDoubleEntryArray entries = MakeEntries({dir / name});
        model.AddEntries(entries);
    }
    model.Sort();
    std::vector<std::string> sorted;
    for (int i = 0; i < model.Count(); ++i)
        sorted.push_back(ExtractFileName(model.Entries(i).Path));
    return sorted;
}

}

TEST(AppDoubleEntries, PathsBecomeAbsoluteExpandedAndLong)
{
    TTempDir dir;
    MakeDirectory(dir / "Long directory name");
    WriteFileText(dir / "Long directory name\\report.txt", "x");
    const std::string expected = dir / "Long directory name\\report.txt";

    const std::string path = ShortFormBelow(dir, expected);
    ASSERT_NE(path, expected);
    TLongPathCache longPaths;
    EXPECT_EQ(NormalizeSourcePath(path, longPaths), expected);
    EXPECT_EQ(NormalizeSourcePath(dir / "Long directory name\\.\\..\\Long directory name\\report.txt", longPaths), expected);
    EXPECT_EQ(TDoubleEntry(expected, longPaths).Path, expected);
    EXPECT_EQ(TDoubleEntry(path).Path, expected);

    // Drive-relative: against the current directory of that drive.
    const TInDirectory in(dir / "Long directory name");
    EXPECT_EQ(NormalizeSourcePath(expected.substr(0, 2) + "report.txt", longPaths), expected);
    EXPECT_EQ(NormalizeSourcePath(expected.substr(0, 2) + "report.txt"), expected);
}

TEST(AppDoubleEntries, EachRefusalNamesThePathItRefused)
{
    TTempDir dir;
    MakeDirectory(dir / "sub");
    ExpectRefused("docs\\report.txt", NotAbsolute("docs\\report.txt"));
    ExpectRefused("\\docs\\report.txt", NotAbsolute("\\docs\\report.txt"));
    ExpectRefused("", NotAbsolute(""));
    ExpectRefused(dir / "sub\\..\\missing.txt", NoLongForm(dir / "missing.txt"));
    ExpectRefused(dir / "*.txt", NoLongForm(dir / "*.txt"));
    ExpectRefused(dir / "sub\\", EmptyName(dir / "sub\\"));
    ExpectRefused("C:\\", EmptyName("C:\\"));
    const std::string tooLong = dir / std::string(300, 'x');
    ExpectRefused(tooLong, NoLongForm(tooLong));
}

TEST(AppDoubleEntries, DoubleBytePathsKeepTheirLastCharacter)
{
    REQUIRE_DOUBLE_BYTE_CODE_PAGE();
    TTempDir dir;
    // Its last byte is a backslash, yet the name is not empty.
    MakeDirectory(dir / TrailBackslash);
    TLongPathCache longPaths;
    EXPECT_EQ(NormalizeSourcePath(dir / TrailBackslash, longPaths), dir / TrailBackslash);
}

TEST(AppDoubleEntries, EveryChangeNotifiesOnce)
{
    TTempDir dir;
    WriteFileText(dir / "a", "x");
    TDoubleEntriesModel model;
    int changes = 0;
    model.OnChange = [&](TModel& sender) {
        EXPECT_EQ(&sender, &model);
        ++changes;
    };
    TDoubleEntryArray none;
    model.AddEntries(none);
    model.Sort();
    model.Clear();
    EXPECT_EQ(changes, 3);

    TDoubleEntryArray entries = MakeEntries({dir / "a", dir / "a"});
    model.AddEntries(entries);
    EXPECT_TRUE(entries.empty());
    EXPECT_EQ(changes, 4);
    EXPECT_EQ(model.Count(), 2);
    EXPECT_EQ(model.Entries(1).Path, dir / "a");
    EXPECT_THROW(model.Entries(2), EListError);
    EXPECT_THROW(model.Entries(-1), EListError);
}

TEST(AppDoubleEntries, SortFollowsTheLocaleNotTheBytes)
{
    TTempDir dir;
    EXPECT_EQ(Sorted(dir, {"cherry.txt", "Banana.txt", "apple.txt"}), (Names{"apple.txt", "Banana.txt", "cherry.txt"}));
}

TEST(AppDoubleEntries, SortReadsThePathsInTheAnsiCodePage)
{
    // Half-width katakana a, 0xB1, sorts after Latin letters; read in code
    // page 1252, as an English user locale would, it is a plus-minus sign.
    REQUIRE_DOUBLE_BYTE_CODE_PAGE();
    TTempDir dir;
    EXPECT_EQ(Sorted(dir, {"\xB1", "b"}), (Names{"b", "\xB1"}));
}
