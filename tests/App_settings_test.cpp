#include "App_settings.h"

#include "Kro_strings.h"
#include "Tk_exceptions.h"
#include "Tk_memini.h"
#include "Tk_paths.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

struct AppSettings : testing::Test {
    TTempDir Dir;
    std::string FileName = Dir / "Settings.ini";
    // Loading changes the current directory; each test starts in Dir.
    const TInDirectory In{Dir.Path()};
};

}

TEST_F(AppSettings, AFirstSaveWritesBothSectionsInOrder)
{
    TDoubleOptionsModel model;
    SaveSettings(FileName, model, model.Options());
    const std::string documents = model.Options().OtherOutputDirectory;
    EXPECT_EQ(ReadFileText(FileName),
              "[System]\r\n"
              "CurrentDirectory=\"" + Dir.Path() + "\"\r\n"
              "\r\n"
              "[Options]\r\n"
              "OutputDirectory=1\r\n"
              "OtherOutputDirectory=\"" + documents + "\"\r\n"
              "OriginalNamePrefix=\"\"\r\n"
              "OriginalNameSuffix=\"\"\r\n"
              "RemoveExtension=1\r\n"
              "AvoidNameCollision=1\r\n"
              "SerialNumberPrefix=\" (\"\r\n"
              "SerialNumberSuffix=\")\"\r\n"
              "MinSerialNumber=1\r\n"
              "MaxSerialNumber=100\r\n"
              "SerialNumberPosition=1\r\n"
              "SortEntries=1\r\n"
              "MoveSources=0\r\n"
              "GroupSources=0\r\n"
              "ShowPreview=0\r\n"
              "\r\n");
}

TEST_F(AppSettings, ValuesAreReadWithTheFilesRules)
{
    MakeDirectory(Dir / "last used");
    WriteFileText(FileName, "[system]\r\ncurrentdirectory=\"" + Dir / "last used" + "\"\r\n"
                            "[Options]\r\n"
                            "outputdirectory=258\r\n"
                            "OriginalNamePrefix = \"   \"  \r\n"
                            "OriginalNameSuffix=\"say \"\"hi\"\"\"\r\n"
                            "RemoveExtension=yes\r\n"
                            "AvoidNameCollision=0\r\n"
                            "MinSerialNumber=0x10\r\n"
                            "MaxSerialNumber=-5\r\n"
                            "SerialNumberPosition=-1\r\n"
                            "SortEntries=2\r\n"
                            "GroupSources=258\r\n");
    TDoubleOptionsModel model;
    int changes = 0;
    model.OnChange = [&](TModel&) { ++changes; };
    LoadSettings(FileName, model);
    const TDoubleOptions& o = model.Options();
    EXPECT_EQ(GetCurrentDir(), Dir / "last used");
    EXPECT_EQ(o.OutputDirectory, odAsk);
    EXPECT_EQ(o.OtherOutputDirectory, TDoubleOptions().OtherOutputDirectory);
    EXPECT_EQ(o.OriginalNamePrefix, "   ");
    EXPECT_EQ(o.OriginalNameSuffix, "say \"hi\"");
    EXPECT_TRUE(o.RemoveExtension);
    EXPECT_FALSE(o.AvoidNameCollision);
    EXPECT_EQ(o.SerialNumberPrefix, " (");
    EXPECT_EQ(o.MinSerialNumber, 16);
    EXPECT_EQ(o.MaxSerialNumber, -5);
    EXPECT_EQ(o.SerialNumberPosition, 255);
    EXPECT_TRUE(o.SortEntries);
    EXPECT_FALSE(o.MoveSources);
    // Kept whole, so that it is refused rather than read as another choice.
    EXPECT_EQ(o.GroupSources, 258);
    EXPECT_EQ(changes, 1);
}

TEST_F(AppSettings, AMissingFileOrAVanishedFolderChangesNothing)
{
    TDoubleOptionsModel model;
    int changes = 0;
    model.OnChange = [&](TModel&) { ++changes; };
    LoadSettings(FileName, model);
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(GetCurrentDir(), Dir.Path());

    WriteFileText(FileName, "[System]\r\nCurrentDirectory=\"" + Dir / "gone" + "\"\r\n");
    LoadSettings(FileName, model);
    EXPECT_EQ(GetCurrentDir(), Dir.Path());
    EXPECT_EQ(changes, 0);
}

TEST_F(AppSettings, MalformedTextValuesStopTheLoad)
{
    for (const char* text : {"[Options]\r\nOriginalNamePrefix=abc\r\n", "[Options]\r\nOriginalNamePrefix=\r\n",
                             "[Options]\r\nSerialNumberSuffix= x\"y\"\r\n", "[System]\r\nCurrentDirectory=C:\\\r\n"}) {
        WriteFileText(FileName, text);
        TDoubleOptionsModel model;
        EXPECT_EQ(ThrownMessage<EStringError>([&] { LoadSettings(FileName, model); }),
                  "The program cannot dequote the string.")
            << text;
    }
}

TEST_F(AppSettings, ASaveKeepsForeignKeysAndReplacesOwnKeysInPlace)
{
    WriteFileText(FileName, "[Options]\r\n; a comment\r\nsortentries=0\r\nForeignKey=kept\r\n[Foreign]\r\nx=1\r\n");
    TDoubleOptionsModel model;
    LoadSettings(FileName, model);
    EXPECT_FALSE(model.Options().SortEntries);
    SaveSettings(FileName, model, model.Options());

    const std::string saved = ReadFileText(FileName);
    EXPECT_EQ(saved.find("; a comment"), std::string::npos);
    EXPECT_EQ(saved.find("sortentries"), std::string::npos);
    EXPECT_EQ(saved.find("[Options]\r\nSortEntries=0\r\nForeignKey=kept\r\nOutputDirectory=1\r\n"), 0u) << saved;
    EXPECT_NE(saved.find("[Foreign]\r\nx=1\r\n\r\n[System]\r\nCurrentDirectory="), std::string::npos) << saved;
}

TEST_F(AppSettings, OptionsThatAnotherRunSavedMeanwhileGiveWayOnlyToThisRunsChanges)
{
    TDoubleOptionsModel model;
    LoadSettings(FileName, model);
    const TDoubleOptions loaded = model.Options();
    const std::string others = "[Options]\r\nsortentries=0\r\nMinSerialNumber=7\r\nOriginalNamePrefix=\"x\"\r\n";
    const std::string system = "\r\n[System]\r\nCurrentDirectory=\"" + Dir.Path() + "\"\r\n\r\n";
    WriteFileText(FileName, others);
    SaveSettings(FileName, model, loaded);
    EXPECT_EQ(ReadFileText(FileName), others + system);

    TDoubleOptions options = loaded;
    options.MinSerialNumber = 3;
    options.MoveSources = true;
    model.SetOptions(options);
    SaveSettings(FileName, model, loaded);
    EXPECT_EQ(ReadFileText(FileName), "[Options]\r\nsortentries=0\r\nMinSerialNumber=3\r\nOriginalNamePrefix=\"x\"\r\n"
                                      "MoveSources=1\r\n" + system);

    // A value broken since the load stops the save before it writes.
    WriteFileText(FileName, "[Options]\r\nOriginalNamePrefix=x\r\n");
    EXPECT_THROW(SaveSettings(FileName, model, loaded), EStringError);
    EXPECT_EQ(ReadFileText(FileName), "[Options]\r\nOriginalNamePrefix=x\r\n");
}

TEST_F(AppSettings, AnUnwritableFileRaisesWithItsName)
{
    TDoubleOptionsModel model;
    const std::string fileName = Dir / "no such folder\\Settings.ini";
    EXPECT_EQ(ThrownMessage<EInOutError>([&] { SaveSettings(fileName, model, model.Options()); }),
              "The program could not write the file \"" + fileName + "\".");
}

TEST_F(AppSettings, RandomOptionsSurviveASaveAndALoad)
{
    std::mt19937 random(1252);
    // What a settings file can hold: text, which a byte 0xFF is not in code
    // page 932.
    auto text = [&] {
        std::string value = RandomText(random, 10);
        if (IsDoubleByteCodePage())
            value.erase(std::remove(value.begin(), value.end(), '\xFF'), value.end());
        return value;
    };
    for (int round = 0; round < 200; ++round) {
        TDoubleOptions options;
        options.OutputDirectory = static_cast<TOutputDirectory>(random() % 256);
        options.OtherOutputDirectory = text();
        options.OriginalNamePrefix = text();
        options.OriginalNameSuffix = text();
        options.RemoveExtension = random() % 2;
        options.AvoidNameCollision = random() % 2;
        options.SerialNumberPrefix = text();
        options.SerialNumberSuffix = text();
        options.MinSerialNumber = static_cast<std::int32_t>(random());
        options.MaxSerialNumber = static_cast<std::int32_t>(random());
        options.SerialNumberPosition = static_cast<TSerialNumberPosition>(random() % 256);
        options.SortEntries = random() % 2;
        options.MoveSources = random() % 2;
        options.GroupSources = static_cast<TGroupSources>(random() % 4 - 1);
        options.ShowPreview = random() % 2;

        // A run that loads the last round's options and changes them.
        TDoubleOptionsModel saved;
        LoadSettings(FileName, saved);
        const TDoubleOptions before = saved.Options();
        saved.SetOptions(options);
        SaveSettings(FileName, saved, before);
        TDoubleOptionsModel loaded;
        LoadSettings(FileName, loaded);
        ASSERT_TRUE(loaded.Options() == options) << ReadFileText(FileName);
    }
}
