#include "Tk_files.h"

#include "TestSupport.h"
#include "Tk_paths.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

std::wstring Passed(const std::string& path)
{
    const std::vector<wchar_t> wide = FileSystemPath(path);
    return std::wstring(wide.data());
}

}

// Wine takes long paths in every form; Windows only in the \\?\ one, which
// also switches off its reading of "..", "/" and trailing dots. So the rule
// itself is what the tests can check.
TEST(TkFiles, OnlyLongNormalisedAbsolutePathsTravelInTheLongForm)
{
    const std::string deep = std::string(120, 'a') + "\\" + std::string(130, 'b');
    const std::wstring wideDeep = std::wstring(120, L'a') + L"\\" + std::wstring(130, L'b');
    const struct {
        std::string Path;
        std::wstring Passed;
    } cases[] = {
        {"C:\\Work\\a.txt", L"C:\\Work\\a.txt"},
        {"C:\\" + deep, L"\\\\?\\C:\\" + wideDeep},
        {"C:\\" + deep + "\\", L"\\\\?\\C:\\" + wideDeep + L"\\"},
        {"\\\\server\\share\\" + deep, L"\\\\?\\UNC\\server\\share\\" + wideDeep},
        {deep, wideDeep},
        {"C:\\x\\..\\" + deep, L"C:\\x\\..\\" + wideDeep},
        {"C:\\x/" + deep, L"C:\\x/" + wideDeep},
        {"C:\\x.\\" + deep, L"C:\\x.\\" + wideDeep},
        {"C:\\x \\" + deep, L"C:\\x \\" + wideDeep},
        {"C:\\x\\\\" + deep, L"C:\\x\\\\" + wideDeep},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Passed(c.Path), c.Passed) << c.Path;
}

// A listing settles a name only where the one look-up on disk would; the
// rest, and what came into the folder after the listing, is asked of the
// file system.
TEST(TkFiles, AListingGivesWhatTheFileSystemGives)
{
    TTempDir dir;
    const std::string folder = dir / "A rather long directory name";
    MakeDirectory(folder);
    MakeDirectory(folder + "\\Photos.2024");
    for (const char* name : {"\\Quarterly report 2026.txt", "\\Report.TXT"})
        WriteFileText(folder + name, "x");
    const std::string shortForm = ShortFormBelow(dir, folder + "\\Quarterly report 2026.txt");
    const TFolderListing listing(folder);
    WriteFileText(folder + "\\Later.txt", "x");

    for (const std::string& name : {std::string("Quarterly report 2026.txt"), ExtractFileName(shortForm),
                                    std::string("quarterly REPORT 2026.txt"), std::string("Report.TXT"),
                                    std::string("report.txt"), std::string("Photos.2024"), std::string("Later.txt"),
                                    std::string("missing.txt"), std::string("*.TXT"), std::string("Report.TXT:x")}) {
        const std::string path = folder + "\\" + name;
        EXPECT_EQ(LongPathNameIn(listing, path), LongPathName(path)) << path;
        EXPECT_EQ(FileAttributes(listing, path), FileAttributes(path)) << path;
    }
    // Through the folder's short form, which is not the listing's.
    EXPECT_EQ(LongPathNameIn(listing, shortForm), folder + "\\Quarterly report 2026.txt");
    EXPECT_EQ(FileAttributes(listing, shortForm), FileAttributes(shortForm));
}

// The reader asks a folder's volume once; what it gives is still what the
// whole call gives, object by object, in the long form of a path too.
TEST(TkFiles, TheIdentityReaderGivesWhatTheWholeCallGives)
{
    TTempDir dir;
    const std::string deep = dir / std::string(150, 'd');
    std::vector<std::string> paths;
    for (const std::string& folder : {dir / "made", deep, deep + "\\" + std::string(150, 'e')}) {
        MakeDirectory(folder);
        for (const char* name : {"\\one", "\\two", "\\three"}) {
            MakeDirectory(folder + name);
            paths.push_back(folder + name);
        }
        WriteFileText(folder + "\\file.txt", "x");
        paths.push_back(folder + "\\file.txt");
    }
    TIdentityReader reader;
    std::vector<std::uint64_t> files;
    for (const std::string& path : paths) {
        TFileIdentity read, whole;
        ASSERT_TRUE(reader.Get(path, read)) << path;
        ASSERT_TRUE(GetFileIdentity(path, whole)) << path;
        EXPECT_EQ(read, whole) << path;
        files.push_back(read.File);
    }
    std::sort(files.begin(), files.end());
    EXPECT_EQ(std::unique(files.begin(), files.end()), files.end());
    TFileIdentity none;
    EXPECT_FALSE(reader.Get(dir / "made\\missing", none));
}

// Shown on one line beside a button: the system's line break goes, and a code
// the system has no text for still gets a sentence.
TEST(TkFiles, SystemErrorTextsAreOneLine)
{
    const std::string denied = SystemErrorText(ERROR_ACCESS_DENIED);
    EXPECT_NE(denied, "");
    EXPECT_EQ(denied.find_first_of("\r\n"), std::string::npos) << denied;
    EXPECT_EQ(SystemErrorText(0x2000FFFF), "The system has no message for the error 536936447.");
}
