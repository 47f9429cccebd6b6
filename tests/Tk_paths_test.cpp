#include "Tk_paths.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

TEST(TkPaths, NameAndDirectoryPartsSplitAtTheLastDelimiter)
{
    struct {
        const char* path;
        const char* directory;
        const char* name;
    } cases[] = {
        {"C:\\Work\\a.txt", "C:\\Work\\", "a.txt"},
        {"C:a.txt", "C:", "a.txt"},
        {"C:\\", "C:\\", ""},
        {"\\\\server\\share\\x", "\\\\server\\share\\", "x"},
        {"plain", "", "plain"},
        {"", "", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ExtractFilePath(c.path), c.directory) << c.path;
        EXPECT_EQ(ExtractFileName(c.path), c.name) << c.path;
        EXPECT_EQ(ExtractFilePath(c.path) + ExtractFileName(c.path), c.path);
    }
}

TEST(TkPaths, TheDirectoryOfAPathKeepsADriveRootOrServerPrefix)
{
    EXPECT_EQ(ExtractFileDir("C:\\Work\\a.txt"), "C:\\Work");
    EXPECT_EQ(ExtractFileDir("C:\\a.txt"), "C:\\");
    EXPECT_EQ(ExtractFileDir("\\\\server\\share\\a.txt"), "\\\\server\\share");
    EXPECT_EQ(ExtractFileDir("a.txt"), "");
    if (IsDoubleByteCodePage()) {
        // The byte before the last '\' is one, the character is not.
        EXPECT_EQ(ExtractFileDir("C:\\" + TrailBackslash + "\\a.txt"), "C:\\" + TrailBackslash);
    }
}

TEST(TkPaths, ChangeFileExtCutsAtTheLastDotOfTheName)
{
    EXPECT_EQ(ChangeFileExt("archive.tar.gz", ""), "archive.tar");
    EXPECT_EQ(ChangeFileExt("trailing.", ""), "trailing");
    EXPECT_EQ(ChangeFileExt(".profile", ""), "");
    EXPECT_EQ(ChangeFileExt("none", ""), "none");
    EXPECT_EQ(ChangeFileExt("C:\\dir.d\\none", ""), "C:\\dir.d\\none");
    EXPECT_EQ(ChangeFileExt("a.txt", ".md"), "a.md");
}

TEST(TkPaths, TrailingDelimiterIsAddedOnce)
{
    EXPECT_EQ(IncludeTrailingPathDelimiter("C:\\"), "C:\\");
    EXPECT_EQ(IncludeTrailingPathDelimiter("C:\\Work"), "C:\\Work\\");
    EXPECT_EQ(IncludeTrailingPathDelimiter(""), "\\");
    EXPECT_EQ(ExcludeTrailingPathDelimiter("C:\\Work\\"), "C:\\Work");
}

TEST(TkPaths, DelimitersAreFoundByCharacterNotByByte)
{
    REQUIRE_DOUBLE_BYTE_CODE_PAGE();
    const std::string name = "a" + TrailBackslash + ".b" + TrailBackslash;
    const std::string path = "C:\\" + TrailBackslash + "\\" + name;
    EXPECT_EQ(ExtractFileName(path), name);
    EXPECT_EQ(ExtractFilePath(path), "C:\\" + TrailBackslash + "\\");
    EXPECT_EQ(ChangeFileExt(name, ""), "a" + TrailBackslash);
    // The last byte is a backslash, the last character is not.
    EXPECT_EQ(IncludeTrailingPathDelimiter("C:\\" + TrailBackslash), "C:\\" + TrailBackslash + "\\");
    EXPECT_EQ(ExcludeTrailingPathDelimiter("C:\\" + TrailBackslash), "C:\\" + TrailBackslash);
}

TEST(TkPaths, ExpandFileNameResolvesDotsAndTheDriveDirectory)
{
    TTempDir dir;
    const TInDirectory in(dir.Path());
    const std::string drive = dir.Path().substr(0, 2);
    EXPECT_EQ(ExpandFileName(drive + "report.txt"), dir / "report.txt");
    EXPECT_EQ(ExpandFileName(dir / "a\\.\\b\\..\\c"), dir / "a\\c");
    // No limit of MAX_PATH characters.
    EXPECT_EQ(ExpandFileName(dir / "a\\..\\" + std::string(300, 'x')), dir / std::string(300, 'x'));
}

TEST(TkPaths, ForceDirectoriesMakesEveryMissingParent)
{
    TTempDir dir;
    EXPECT_TRUE(ForceDirectories(dir / "a\\b\\c\\"));
    EXPECT_TRUE(IsDirectory(dir / "a\\b\\c"));
    EXPECT_TRUE(ForceDirectories(dir / "a\\b"));
    WriteFileText(dir / "file", "x");
    EXPECT_FALSE(ForceDirectories(dir / "file\\sub"));
    EXPECT_FALSE(ForceDirectories(dir / "file"));
    EXPECT_FALSE(ForceDirectories(""));
    // Short is not a drive: a relative name of one or two characters is made.
    const TInDirectory in(dir.Path());
    EXPECT_TRUE(ForceDirectories("x"));
    EXPECT_TRUE(ForceDirectories("yz\\"));
    EXPECT_TRUE(IsDirectory(dir / "x"));
    EXPECT_TRUE(IsDirectory(dir / "yz"));
}

TEST(TkPaths, CreateNewDirectoryRefusesANameThatIsTaken)
{
    TTempDir dir;
    EXPECT_EQ(CreateNewDirectory(dir / "a\\b\\c"), ndCreated);
    EXPECT_TRUE(IsDirectory(dir / "a\\b\\c"));
    EXPECT_EQ(CreateNewDirectory(dir / "a\\b\\c"), ndTaken);
    EXPECT_EQ(CreateNewDirectory(dir / "a\\b\\c\\"), ndTaken);
    EXPECT_EQ(CreateNewDirectory(dir / "a\\b\\d"), ndCreated);
    EXPECT_EQ(CreateNewDirectory(""), ndFailed);

    WriteFileText(dir / "file", "x");
    const struct {
        std::string Path;
        TNewDirectory Expected;
    } cases[] = {
        {dir / "file", ndTaken},
        // Refused as existing, yet no directory can be made in a file.
        {dir / "file\\", ndFailed},
        {dir / "file\\sub", ndFailed},
        // A drive root: Windows refuses it as access denied, yet it is there.
        {dir.Path().substr(0, 3), ndTaken},
        // Wine claims to make it and makes nothing.
        {dir / "NUL", ndTaken},
        {dir / "bad<name", ndFailed},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CreateNewDirectory(c.Path), c.Expected) << c.Path;
}
