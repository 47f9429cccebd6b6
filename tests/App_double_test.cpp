#include "App_double.h"

#include "TestSupport.h"
#include "Tk_files.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

const std::string Taken = "The name is taken.";
const std::string AllTaken = "The name is taken up to the last serial number.";

// An executor with the program's default naming options, a scratch folder
// for sources and another as the output directory.
struct AppDouble : testing::Test {
    TTempDir Sources;
    TTempDir Output;
    TDoubleExecutor Executor;

    AppDouble()
    {
        Executor.OutputDirectory = Output.Path();
        Executor.SerialNumberPrefix = " (";
        Executor.SerialNumberSuffix = ")";
    }

    std::string File(const std::string& name)
    {
        WriteFileText(Sources / name, "x");
        return Sources / name;
    }

    std::string Directory(const std::string& name)
    {
        MakeDirectory(Sources / name);
        return Sources / name;
    }

    // Runs the executor for source and returns the name it created.
    std::string Run(const std::string& source)
    {
        Executor.SourcePath = source;
        Executor.Execute();
        EXPECT_TRUE(IsDirectory(Executor.CreatedPath)) << Executor.CreatedPath;
        return Executor.CreatedPath.substr(Executor.OutputDirectory.size() + 1);
    }

    void ExpectFail(const std::string& source, const std::string& reason)
    {
        Executor.SourcePath = source;
        try {
            Executor.Execute();
            ADD_FAILURE() << "nothing was thrown";
        } catch (const EDoubleFail& e) {
            EXPECT_EQ(e.Message(), "The program could not create a directory.");
            EXPECT_EQ(e.Reason(), reason);
        }
        EXPECT_EQ(Executor.CreatedPath, "");
    }

    // A failure that ends the run, not one of the source alone.
    void ExpectAppError(const std::string& source, const std::string& message)
    {
        Executor.SourcePath = source;
        EXPECT_EQ(ThrownMessage<EAppError>([this] { Executor.Execute(); }), message);
    }
};

}

TEST_F(AppDouble, RegularFilesLoseTheirExtensionAndTakeTheNextNumber)
{
    const std::string report = File("report.txt");
    EXPECT_EQ(Run(report), "report");
    EXPECT_EQ(Run(report), "report (2)");
    EXPECT_EQ(Run(report), "report (3)");
    EXPECT_EQ(Output / "report (3)", Executor.CreatedPath);
}

TEST_F(AppDouble, DirectoriesAndVanishedSourcesKeepEveryDot)
{
    EXPECT_EQ(Run(Directory("release.old")), "release.old");
    EXPECT_EQ(Run(File("notes.old")), "notes");
    EXPECT_EQ(Run(File("archive.tar.gz")), "archive.tar");
    EXPECT_EQ(Run(Sources / "gone.txt"), "gone.txt");
    Executor.RemoveExtension = false;
    EXPECT_EQ(Run(File("keep.txt")), "keep.txt");
}

TEST_F(AppDouble, AtTheSourceTheSourceItselfTakesTheName)
{
    const std::string photos = Directory("Photos");
    Executor.OutputDirectory = Sources.Path();
    Executor.SourcePath = photos;
    Executor.Execute();
    EXPECT_EQ(Executor.CreatedPath, Sources / "Photos (2)");

    Executor.AvoidNameCollision = false;
    ExpectFail(photos, Taken);
}

TEST_F(AppDouble, PrefixAndSuffixAreTrimmedOnlyAtTheEndsOfTheName)
{
    Executor.OriginalNamePrefix = "  new ";
    Executor.OriginalNameSuffix = " copy\t";
    EXPECT_EQ(Run(File("report.txt")), "new report copy");
}

TEST_F(AppDouble, NumbersGoAtEitherEndWithTheOuterBlanksDropped)
{
    const std::string report = File("report.txt");
    MakeDirectory(Output / "report");
    Executor.SerialNumberPrefix = "  [";
    Executor.SerialNumberSuffix = "]  ";
    EXPECT_EQ(Run(report), "report  [2]");
    Executor.SerialNumberPosition = spBeginning;
    EXPECT_EQ(Run(report), "[2]  report");
    // Only blanks: nothing of them at the outer end.
    Executor.SerialNumberPrefix = "   ";
    Executor.SerialNumberSuffix = "-";
    EXPECT_EQ(Run(report), "2-report");
    Executor.SerialNumberPosition = spEnd;
    Executor.SerialNumberPrefix = "_";
    Executor.SerialNumberSuffix = "   ";
    EXPECT_EQ(Run(report), "report_2");
}

TEST_F(AppDouble, TheRangeBoundsTheCandidates)
{
    const std::string report = File("report.txt");
    MakeDirectory(Output / "report");
    WriteFileText(Output / "report (2)", "a file blocks the name too");

    Executor.MinSerialNumber = 5;
    Executor.MaxSerialNumber = 5;
    ExpectFail(report, AllTaken);

    Executor.MinSerialNumber = 0;
    Executor.MaxSerialNumber = 3;
    EXPECT_EQ(Run(report), "report (1)");
    EXPECT_EQ(Run(report), "report (3)");
    ExpectFail(report, AllTaken);

    // The top of the range is reachable without the count running over.
    Executor.MinSerialNumber = INT_MAX - 1;
    Executor.MaxSerialNumber = INT_MAX;
    EXPECT_EQ(Run(report), "report (2147483647)");
    ExpectFail(report, AllTaken);

    Executor.MinSerialNumber = -3;
    Executor.MaxSerialNumber = -2;
    EXPECT_EQ(Run(report), "report (-2)");
}

TEST_F(AppDouble, BadOptionsEndTheRunOnlyWhenTheyMatter)
{
    const std::string report = File("report.txt");
    Executor.SerialNumberPosition = static_cast<TSerialNumberPosition>(2);
    EXPECT_EQ(Run(report), "report");
    ExpectAppError(report, "The program does not support the position.");

    // Equal bounds: only the un-numbered name, so this source just fails.
    Executor.MinSerialNumber = 5;
    Executor.MaxSerialNumber = 5;
    ExpectFail(report, AllTaken);

    Executor.SerialNumberPosition = spEnd;
    Executor.MinSerialNumber = 10;
    Executor.MaxSerialNumber = 5;
    ExpectAppError(File("other.txt"), "The minimum serial number is exceeding the maximum.");
    EXPECT_FALSE(IsDirectory(Output / "other"));

    Executor.AvoidNameCollision = false;
    EXPECT_EQ(Run(File("third.txt")), "third");
}

TEST_F(AppDouble, ANameOfOnlyAnExtensionFallsBackToNumbers)
{
    const std::string profile = File(".profile");
    EXPECT_EQ(Run(profile), " (2)");
    Executor.SerialNumberPosition = spBeginning;
    EXPECT_EQ(Run(profile), "(2)");
    Executor.AvoidNameCollision = false;
    ExpectFail(profile, Taken);
}

TEST_F(AppDouble, MissingParentsAreCreatedWithTheDirectory)
{
    Executor.OutputDirectory = Output / "new\\deeper";
    EXPECT_EQ(Run(File("report.txt")), "report");
    EXPECT_TRUE(IsDirectory(Output / "new\\deeper\\report"));

    WriteFileText(Output / "blocker", "x");
    Executor.OutputDirectory = Output / "blocker\\below";
    // The system's own reason: the parent that the file stands in for cannot be made.
    ExpectFail(Sources / "report.txt", SystemErrorText(ERROR_ALREADY_EXISTS));
    // The first name of .profile is the output directory itself: a file
    // there takes no name, it only fails this source.
    Executor.OutputDirectory = Output / "blocker";
    Executor.SerialNumberPosition = static_cast<TSerialNumberPosition>(2);
    ExpectFail(File(".profile"), SystemErrorText(ERROR_ALREADY_EXISTS));
}

TEST_F(AppDouble, ADeviceNameIsTakenWhateverItsNumber)
{
    // nul.report and every numbered variant name the device NUL.
    Executor.OriginalNamePrefix = "nul.";
    ExpectFail(File("report.txt"), AllTaken);
}

TEST_F(AppDouble, AnOutputDirectoryWithItsDelimiterGetsNoSecondOne)
{
    Executor.OutputDirectory = Output.Path() + "\\";
    Executor.SourcePath = File("report.txt");
    Executor.Execute();
    EXPECT_EQ(Executor.CreatedPath, Output / "report");
}

TEST_F(AppDouble, DoubleByteNamesAreSplitByCharacter)
{
    REQUIRE_DOUBLE_BYTE_CODE_PAGE();
    // Trail bytes equal to '\' inside the folder, the name and the extension.
    const std::string folder = Directory("a" + TrailBackslash);
    const std::string source = folder + "\\" + TrailBackslash + "." + TrailBackslash;
    WriteFileText(source, "x");
    Executor.OriginalNamePrefix = TrailBackslash;
    EXPECT_EQ(Run(source), TrailBackslash + TrailBackslash);
    Executor.OutputDirectory = folder;
    EXPECT_EQ(Executor.OutputDirectory.back(), '\\');
    Executor.SourcePath = source;
    Executor.Execute();
    EXPECT_EQ(Executor.CreatedPath, folder + "\\" + TrailBackslash + TrailBackslash);
}
