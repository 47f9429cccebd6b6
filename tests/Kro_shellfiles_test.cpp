#include "Kro_shellfiles.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

TEST(KroShellFiles, SpecialFoldersAreExistingDirectories)
{
    const std::string desktop = GetDesktopDirectory();
    const std::string documents = GetPersonalDirectory();
    EXPECT_TRUE(IsDirectory(desktop)) << desktop;
    EXPECT_TRUE(IsDirectory(documents)) << documents;
    EXPECT_NE(desktop, documents);
}

TEST(KroShellFiles, AnUnknownFolderNumberRaises)
{
    try {
        GetSpecialFolderPath(0x7F);
        ADD_FAILURE() << "no error";
    } catch (const EShellFileError& e) {
        EXPECT_EQ(e.Message(), "The program could not get the path of the special file.");
    }
}
