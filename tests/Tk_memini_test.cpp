#include "Tk_memini.h"

#include "TestSupport.h"
#include "Tk_exceptions.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

// A settings file with the given content, and its image.
struct TIniFixture : testing::Test {
    TTempDir Dir;
    std::string FileName = Dir / "Settings.ini";

    TMemIniFile Load(const std::string& content)
    {
        WriteFileText(FileName, content);
        return TMemIniFile(FileName);
    }
};

using TkMemIni = TIniFixture;

// The name of a temporary file that a save left in the folder, or "".
std::string TemporaryFileIn(const TTempDir& dir)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((dir / "*.tmp").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return "";
    FindClose(search);
    return found.cFileName;
}

}

TEST_F(TkMemIni, AMissingFileReadsAsEmpty)
{
    TMemIniFile ini(FileName);
    EXPECT_EQ(ini.ReadString("Options", "Key", "default"), "default");
    EXPECT_EQ(ini.ReadInteger("Options", "Key", 7), 7);
    EXPECT_EQ(GetFileAttributesA(FileName.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(TkMemIni, LinesAreTrimmedAndCommentsAndStrayLinesDropped)
{
    TMemIniFile ini = Load("Stray=before any section\r\n"
                           "  [ Options ]  \r\n"
                           "; Key=comment\r\n"
                           "\tKey  =  value with  inner blanks \t\r\n"
                           "\r\n"
                           "Other=x\n"
                           "Mac=cr only\r"
                           "Last=no line end");
    EXPECT_EQ(ini.ReadString("Options", "Key", "?"), "value with  inner blanks");
    EXPECT_EQ(ini.ReadString("Options", "Other", "?"), "x");
    EXPECT_EQ(ini.ReadString("Options", "Mac", "?"), "cr only");
    EXPECT_EQ(ini.ReadString("Options", "Last", "?"), "no line end");
    EXPECT_EQ(ini.ReadString("Options", "Stray", "?"), "?");
    EXPECT_EQ(ini.ReadString("Options", "; Key", "?"), "?");
}

TEST_F(TkMemIni, LookupIgnoresCaseAndTheLastMatchWins)
{
    TMemIniFile ini = Load("[options]\r\nKEY=first\r\nkey=second\r\n"
                           "[OPTIONS]\r\nkey=third\r\nkey=fourth\r\n");
    EXPECT_EQ(ini.ReadString("Options", "Key", "?"), "fourth");
    ini.WriteString("Options", "Key", "written");
    // The user hid the file; the new one stays hidden.
    ASSERT_TRUE(SetFileAttributesA(FileName.c_str(), FILE_ATTRIBUTE_HIDDEN));
    ini.UpdateFile();
    EXPECT_EQ(ReadFileText(FileName), "[options]\r\nKEY=first\r\nkey=second\r\n\r\n"
                                      "[OPTIONS]\r\nkey=third\r\nKey=written\r\n\r\n");
    EXPECT_TRUE(GetFileAttributesA(FileName.c_str()) & FILE_ATTRIBUTE_HIDDEN);
}

TEST_F(TkMemIni, IntegersAreDecimalOrMarkedHexadecimal)
{
    TMemIniFile ini = Load("[S]\r\nd=-42\r\np=+7\r\nx=0x10\r\nupperX=0XfF\r\n$=$7fffffff\r\n"
                           "big=2147483648\r\nneg=-2147483648\r\nhexbig=0x80000000\r\n"
                           "yes=yes\r\nempty=\r\nsign=-\r\nhalf=0x\r\ntail=12a\r\ninner=1 2\r\n");
    EXPECT_EQ(ini.ReadInteger("S", "d", 0), -42);
    EXPECT_EQ(ini.ReadInteger("S", "p", 0), 7);
    EXPECT_EQ(ini.ReadInteger("S", "x", 0), 16);
    EXPECT_EQ(ini.ReadInteger("S", "upperX", 0), 255);
    EXPECT_EQ(ini.ReadInteger("S", "$", 0), 2147483647);
    EXPECT_EQ(ini.ReadInteger("S", "neg", 0), -2147483647 - 1);
    for (const char* key : {"big", "hexbig", "yes", "empty", "sign", "half", "tail", "inner", "missing"})
        EXPECT_EQ(ini.ReadInteger("S", key, 99), 99) << key;
    EXPECT_TRUE(ini.ReadBool("S", "d", false));
    EXPECT_TRUE(ini.ReadBool("S", "yes", true));
    EXPECT_FALSE(ini.ReadBool("S", "yes", false));
}

TEST_F(TkMemIni, WritingReplacesInPlaceOrAppends)
{
    TMemIniFile ini = Load("; comment\r\n[Other]\r\nkeep=1\r\nno equals sign\r\n[Options]\r\nA=1\r\nB=2\r\n");
    ini.WriteString("Options", "a", "changed");
    ini.WriteInteger("Options", "C", -3);
    ini.WriteBool("New", "Flag", true);
    ini.UpdateFile();
    EXPECT_EQ(ReadFileText(FileName), "[Other]\r\nkeep=1\r\nno equals sign\r\n\r\n"
                                      "[Options]\r\na=changed\r\nB=2\r\nC=-3\r\n\r\n"
                                      "[New]\r\nFlag=1\r\n\r\n");
    EXPECT_EQ(TemporaryFileIn(Dir), "");
}

TEST_F(TkMemIni, JunkIsKeptOrDroppedButNeverBreaksTheFile)
{
    std::string junk = "[S]\r\n=\r\n[\r\n]\r\n[]\r\nk=v\r\n";
    junk += "huge=" + std::string(1 << 20, 'h') + "\r\n";
    for (int c = 1; c < 128; ++c)
        junk += static_cast<char>(c);
    TMemIniFile ini = Load(junk);
    // "[]" opens a section without a name.
    EXPECT_EQ(ini.ReadString("", "huge", "?").size(), 1u << 20);
    EXPECT_EQ(ini.ReadString("", "k", "?"), "v");
    ini.UpdateFile();
    TMemIniFile again(FileName);
    EXPECT_EQ(again.ReadString("", "k", "?"), "v");
}

TEST_F(TkMemIni, AFileThatIsNoTextRaisesWithItsName)
{
    WriteFileText(FileName, std::string("[S]\r\nk=a\0b\r\n", 12));
    EXPECT_EQ(ThrownMessage<EInOutError>([&] { TMemIniFile ini(FileName); }),
              "The program cannot read the file \"" + FileName
                  + "\" because it is not text in the system's code page, UTF-8 or UTF-16.");
}

TEST_F(TkMemIni, AnUnreadableFileRaisesWithItsName)
{
    MakeDirectory(FileName);
    EXPECT_EQ(ThrownMessage<EInOutError>([&] { TMemIniFile ini(FileName); }),
              "The program could not read the file \"" + FileName + "\".");
}

TEST_F(TkMemIni, AFailedWriteLeavesTheOldFileIntact)
{
    TMemIniFile ini = Load("[S]\r\nk=old\r\n");
    ini.WriteString("S", "k", "new");
    ASSERT_TRUE(SetFileAttributesA(FileName.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(ThrownMessage<EInOutError>([&] { ini.UpdateFile(); }),
              "The program could not write the file \"" + FileName + "\".");
    SetFileAttributesA(FileName.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(ReadFileText(FileName), "[S]\r\nk=old\r\n");

    // Something that cannot be replaced took the file's place meanwhile.
    ASSERT_TRUE(DeleteFileA(FileName.c_str()));
    MakeDirectory(FileName);
    EXPECT_THROW(ini.UpdateFile(), EInOutError);
    EXPECT_TRUE(IsDirectory(FileName));

    // Nothing of the attempts is left beside it.
    EXPECT_EQ(TemporaryFileIn(Dir), "");
}

TEST_F(TkMemIni, AFileInAMissingDirectoryCannotBeWritten)
{
    TMemIniFile ini(Dir / "missing\\Settings.ini");
    ini.WriteString("S", "k", "v");
    EXPECT_THROW(ini.UpdateFile(), EInOutError);
}

TEST_F(TkMemIni, ASectionHeaderEndsWithABracketCharacter)
{
    REQUIRE_DOUBLE_BYTE_CODE_PAGE();
    // 0x81 0x5D is one character whose trail byte has the value of ']'.
    TMemIniFile ini = Load("[Options]\r\n[k=\x81\x5D\r\nKey=value\r\n");
    EXPECT_EQ(ini.ReadString("Options", "Key", "?"), "value");
    EXPECT_EQ(ini.ReadString("Options", "[k", "?"), "\x81\x5D");
}
