#include "App_common.h"

#include <gtest/gtest.h>

#include <windows.h>

TEST(AppCommon, FilesLieBesideTheExecutable)
{
    char module[MAX_PATH];
    GetModuleFileNameA(nullptr, module, MAX_PATH);
    std::string directory = module;
    directory.erase(directory.rfind('\\') + 1);
    EXPECT_EQ(SettingsFileName, directory + "Settings.ini");
    EXPECT_EQ(HelpFileName, directory + "Help\\index.html");
}

TEST(AppCommon, AboutTextHasOneEmptyLineAfterTheVersion)
{
    const std::string first = "Tesselo Version 2.2.0\r\n\r\n";
    ASSERT_EQ(AboutText.compare(0, first.size(), first), 0) << AboutText;
    const std::string notice = AboutText.substr(first.size());
    EXPECT_FALSE(notice.empty());
    EXPECT_EQ(notice.find('\n'), std::string::npos);
    EXPECT_NE(notice[0], '\r');
}
