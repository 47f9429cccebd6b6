#include "Tk_files.h"

#include <gtest/gtest.h>

#include <string>

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

// Shown on one line beside a button: the system's line break goes, and a code
// the system has no text for still gets a sentence.
TEST(TkFiles, SystemErrorTextsAreOneLine)
{
    const std::string denied = SystemErrorText(ERROR_ACCESS_DENIED);
    EXPECT_NE(denied, "");
    EXPECT_EQ(denied.find_first_of("\r\n"), std::string::npos) << denied;
    EXPECT_EQ(SystemErrorText(0x2000FFFF), "The system has no message for the error 536936447.");
}
