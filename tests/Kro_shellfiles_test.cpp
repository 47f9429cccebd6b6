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
    EXPECT_EQ(ThrownMessage<EShellFileError>([] { GetSpecialFolderPath(0x7F); }),
              "The program could not get the path of the special file.");
}
