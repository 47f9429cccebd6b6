#include "Kro_files.h"

#include "TestSupport.h"
#include "Tk_files.h"
#include "Tk_paths.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <functional>

TEST(KroFiles, ExistenceTellsFilesFromDirectories)
{
    TTempDir dir;
    WriteFileText(dir / "report.txt", "x");
    MakeDirectory(dir / "Photos");

    EXPECT_TRUE(PathExists(dir / "report.txt"));
    EXPECT_TRUE(RegularFileExists(dir / "report.txt"));
    EXPECT_TRUE(PathExists(dir / "Photos"));
    EXPECT_FALSE(RegularFileExists(dir / "Photos"));
    EXPECT_FALSE(PathExists(dir / "missing"));
    EXPECT_FALSE(RegularFileExists(dir / "missing"));
    EXPECT_FALSE(PathExists(""));
    EXPECT_FALSE(RegularFileExists(""));
}

TEST(KroFiles, GetLongPathTurnsShortNamesLong)
{
    TTempDir dir;
    const std::string longPath = dir / "A rather long directory name";
    MakeDirectory(longPath);
    WriteFileText(longPath + "\\Quarterly report 2026.txt", "x");

    const std::string path = ShortFormBelow(dir, longPath + "\\Quarterly report 2026.txt");
    ASSERT_EQ(path.find("Quarterly"), std::string::npos) << path;
    EXPECT_EQ(GetLongPath(path), longPath + "\\Quarterly report 2026.txt");
    EXPECT_EQ(TLongPathCache().GetLongPath(path), longPath + "\\Quarterly report 2026.txt");
}

// The cache asks for the folder's long form once and then for each name's
// own: it must give what one whole call gives, and fail where it fails.
TEST(KroFiles, TheLongPathCacheGivesWhatTheWholeCallGives)
{
    TTempDir dir;
    const std::string folder = dir / "A rather long directory name";
    std::string deep = dir.Path();
    for (char c : std::string("defg"))
        MakeDirectory(deep += '\\' + std::string(60, c));
    for (const std::string& d : {folder, dir / "Mixed"})
        MakeDirectory(d);
    for (const std::string& file : {folder + "\\Quarterly report 2026.txt", dir / "Mixed\\Report.TXT", deep + "\\Report 2026.txt"})
        WriteFileText(file, "x");
    const std::string shortFile = ShortFormBelow(dir, folder + "\\Quarterly report 2026.txt");
    // Typed short, but its long form is too long for the plain form.
    const std::string shortDeep = ShortFormBelow(dir, deep + "\\Report 2026.txt");
    ASSERT_LT(shortDeep.size(), 200u);

    TLongPathCache cache;
    for (const std::string& path :
         {shortFile, folder + "\\" + ExtractFileName(shortFile), ExtractFileDir(shortFile) + "\\Quarterly report 2026.txt",
          dir / "a RATHER long directory name\\quarterly REPORT 2026.txt", dir / "mixed\\report.txt", dir / "Mixed\\Report.TXT",
          dir / "Mixed\\missing.txt", dir / "missing\\Report.TXT", dir / "Mixed\\*.TXT", dir / "Mixed\\Report.TXT.",
          dir / "Mixed\\Report.TXT ", dir / "Mixed\\COM1", dir / "Mixed\\NUL.txt", dir / "Mixed\\Report.TXT:x",
          std::string("\\\\server\\share\\Report.TXT"), std::string("C:\\"), shortDeep,
          deep + "\\" + ExtractFileName(shortDeep), deep + "\\Report 2026.txt"}) {
        std::string cached;
        try {
            cached = cache.GetLongPath(path);
        } catch (const EFileError&) {
        }
        EXPECT_EQ(cached, LongPathName(path)) << path;
    }
}

// A folder is listed at its second source, and only until the run moves
// something: then it is the file system that answers.
TEST(KroFiles, TheCacheListsAFolderOfTwoSourcesUntilAMove)
{
    TTempDir dir;
    MakeDirectory(dir / "sub");
    MakeDirectory(dir / "lone");
    const std::string a = dir / "a.txt", b = dir / "b.txt", x = dir / "sub\\x.txt", lone = dir / "lone\\only.txt";
    for (const std::string& file : {a, b, x, dir / "sub\\y.txt", lone})
        WriteFileText(file, "x");
    TLongPathCache cache;
    for (const std::string& path : {a, b, dir / "sub", x, dir / "sub\\y.txt", lone})
        cache.GetLongPath(path);

    // Changed behind the run's back: the listing has not seen it, the disk has.
    ASSERT_TRUE(DeleteFileA(b.c_str()));
    ASSERT_TRUE(DeleteFileA(lone.c_str()));
    MakeDirectory(lone);
    EXPECT_TRUE(cache.RegularFileExists(b));
    EXPECT_FALSE(cache.RegularFileExists(lone));

    ASSERT_TRUE(MoveFileA(a.c_str(), (dir / "moved.txt").c_str()));
    MakeDirectory(a);
    ASSERT_TRUE(MoveFileA((dir / "sub").c_str(), (dir / "sub2").c_str()));
    cache.Moved();
    EXPECT_FALSE(cache.RegularFileExists(a));
    EXPECT_FALSE(cache.RegularFileExists(x));
    EXPECT_FALSE(cache.RegularFileExists(b));
}

TEST(KroFiles, GetLongPathTakesALongFormOfMoreThanMaxPathBytes)
{
    REQUIRE_DOUBLE_BYTE_CODE_PAGE();
    // Fewer than MAX_PATH characters, but more than MAX_PATH bytes.
    TTempDir dir;
    std::string path = dir.Path();
    for (int i = 0; i < 3; ++i) {
        path += '\\';
        for (int j = 0; j < 40; ++j)
            path += TrailBackslash;
        MakeDirectory(path);
    }
    ASSERT_GT(path.size(), static_cast<size_t>(MAX_PATH));
    EXPECT_EQ(GetLongPath(path), path);
    EXPECT_EQ(TLongPathCache().GetLongPath(path), path);
}

TEST(KroFiles, GetLongPathRefusesMissingAndWildcardPaths)
{
    TTempDir dir;
    WriteFileText(dir / "a.txt", "x");
    for (const std::string& path : {dir / "missing.txt", dir / "*.txt", dir / "a.tx?", std::string()}) {
        for (const auto& form : {std::function<void()>([&] { GetLongPath(path); }),
                                 std::function<void()>([&] { TLongPathCache().GetLongPath(path); })})
            EXPECT_EQ(ThrownMessage<EFileError>(form), "The program could not get the long path of the file.") << path;
    }
}

TEST(KroFiles, IsAbsolutePathWantsADrivePartOrANetworkPrefix)
{
    for (const char* path : {"C:\\dir", "C:dir", "C:", "\\\\server\\share", "\\\\"})
        EXPECT_TRUE(IsAbsolutePath(path)) << path;
    for (const char* path : {"\\dir", "dir\\file.txt", ".", "", "C"})
        EXPECT_FALSE(IsAbsolutePath(path)) << path;
}

TEST(KroFiles, TrimmingDropsControlCharactersAndBlanksOnly)
{
    EXPECT_EQ(TrimBlanks("  in ner\t\n"), "in ner");
    EXPECT_EQ(TrimLeadingBlanks("\x01 a b "), "a b ");
    EXPECT_EQ(TrimTrailingBlanks(" a b \x1F"), " a b");
    EXPECT_EQ(TrimBlanks("    "), "");
    EXPECT_EQ(TrimTrailingBlanks("    "), "");
    EXPECT_EQ(TrimLeadingBlanks(""), "");
    // Bytes of 128 and more are never blanks.
    EXPECT_EQ(TrimBlanks(" \xA0x\xA0 "), "\xA0x\xA0");
}

TEST(KroFiles, TrimmingKeepsDoubleByteCharactersWhole)
{
    REQUIRE_DOUBLE_BYTE_CODE_PAGE();
    // 0x81 0x40 is the ideographic space of code page 932: its trail byte is
    // '@', and no part of it is a blank.
    EXPECT_EQ(TrimLeadingBlanks("  \x81\x40x"), "\x81\x40x");
    EXPECT_EQ(TrimTrailingBlanks("x\x81\x40  "), "x\x81\x40");
    EXPECT_EQ(TrimBlanks(" " + TrailBackslash + " "), TrailBackslash);
}

TEST(KroFiles, FindInvalidFileNameCharReportsTheFirstBytePosition)
{
    EXPECT_EQ(FindInvalidFileNameChar("ab:c"), 3u);
    EXPECT_EQ(FindInvalidFileNameChar("\tab"), 1u);
    EXPECT_EQ(FindInvalidFileNameChar("a b"), 0u);
    EXPECT_EQ(FindInvalidFileNameChar(""), 0u);
    EXPECT_EQ(FindInvalidFileNameChar("a\x7F" "b"), 0u);
    for (char c : std::string("\"*/:<>?\\|\x01\x1F"))
        EXPECT_EQ(FindInvalidFileNameChar(std::string("ok") + c), 3u) << int(c);
}

TEST(KroFiles, WalksStepOverTrailBytes)
{
    REQUIRE_DOUBLE_BYTE_CODE_PAGE();
    EXPECT_EQ(FindInvalidFileNameChar(TrailBackslash + TrailBar), 0u);
    EXPECT_EQ(FindInvalidFileNameChar(TrailBackslash + "?"), 3u);
    EXPECT_FALSE(HasWildcards("C:\\" + TrailBackslash));
    EXPECT_TRUE(HasWildcards("C:\\" + TrailBackslash + "*"));
    EXPECT_TRUE(HasWildcards("?C:\\"));
}
