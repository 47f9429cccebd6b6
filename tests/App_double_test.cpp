#include "App_double.h"
#include "App_undo.h"
#include "Kro_files.h"

#include "TestSupport.h"
#include "Tk_files.h"
#include "Tk_paths.h"

#include <gtest/gtest.h>

#include <climits>
#include <memory>

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

namespace {

// Moves with a record in a scratch folder of its own, taken back through it.
struct AppDoubleMoves : AppDouble {
    TTempDir Program;
    const std::string Runs = Program / "Runs";
    std::unique_ptr<TRunRecord> Record{new TRunRecord(Runs)};

    AppDoubleMoves()
    {
        Executor.MoveSource = true;
        Executor.Record = Record.get();
    }

    // Ends this run, and starts the next one with a record of its own.
    void NextRun()
    {
        Record.reset(new TRunRecord(Runs));
        Executor.Record = Record.get();
    }

    // Ends the run, as the program does when it ends, and takes back the
    // newest on record.
    TNotTakenBack Undo()
    {
        Record.reset();
        Executor.Record = nullptr;
        TRunOnRecord run;
        EXPECT_TRUE(ReadNewestRun(Runs, run));
        const TNotTakenBack left = TakeBack(run.Changes);
        KeepLeftOfRun(run, left.Left);
        return left;
    }

    std::string Reason(const std::string& source)
    {
        Executor.SourcePath = source;
        try {
            Executor.Execute();
        } catch (const EDoubleFail& fail) {
            return fail.Reason();
        }
        ADD_FAILURE() << source << " did not fail";
        return std::string();
    }
};

}

TEST_F(AppDoubleMoves, AFileAndAFolderMoveInAndGoBack)
{
    const std::string report = File("report.txt");
    const std::string photos = Directory("Photos");
    WriteFileText(photos + "\\a.jpg", "x");
    MakeDirectory(Output / "Photos");
    Executor.OutputDirectory = Output / "new";
    EXPECT_EQ(Run(report), "report");
    EXPECT_EQ(Run(photos), "Photos");
    EXPECT_EQ(ReadFileText(Output / "new\\report\\report.txt"), "x");
    EXPECT_EQ(ReadFileText(Output / "new\\Photos\\Photos\\a.jpg"), "x");
    EXPECT_FALSE(IsDirectory(photos));

    const TNotTakenBack left = Undo();
    EXPECT_TRUE(left.Paths.empty()) << left.Reasons.at(0);
    EXPECT_EQ(ReadFileText(report), "x");
    EXPECT_EQ(ReadFileText(photos + "\\a.jpg"), "x");
    // The missing parent the run made goes too; the folder that stood stays.
    EXPECT_FALSE(IsDirectory(Output / "new"));
    EXPECT_TRUE(IsDirectory(Output / "Photos"));
    EXPECT_FALSE(HasRunRecord(Runs));
}

// Named from the disk once moved, not from the listing of its folder that
// was taken before: its path holds a directory now.
TEST_F(AppDoubleMoves, AMovedSourceIsNotNamedFromAnOldListing)
{
    TLongPathCache cache;
    const std::string report = cache.GetLongPath(File("report.txt"));
    cache.GetLongPath(File("notes.txt"));
    Executor.LongPaths = &cache;
    EXPECT_EQ(Run(report), "report");
    MakeDirectory(report);
    Executor.MoveSource = false;
    EXPECT_EQ(Run(report), "report.txt");
}

TEST_F(AppDoubleMoves, AFailedMoveLeavesTheSourceAndNoDirectory)
{
    const std::string outer = Directory("outer");
    const std::string inner = File("outer\\inner.txt");
    EXPECT_EQ(Run(outer), "outer");
    // Gone with the folder it was in.
    EXPECT_FALSE(Reason(inner).empty());
    EXPECT_FALSE(IsDirectory(Output / "inner"));
    EXPECT_EQ(ReadFileText(Output / "outer\\outer\\inner.txt"), "x");

    // A source that is open without sharing cannot move: it stays.
    const std::string open = File("open.txt");
    const HANDLE held = CreateFileA(open.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_FALSE(Reason(open).empty());
    CloseHandle(held);
    EXPECT_EQ(ReadFileText(open), "x");
    EXPECT_FALSE(IsDirectory(Output / "open"));

    // Without a record that can be written, nothing moves.
    Executor.Record = nullptr;
    EXPECT_EQ(Reason(File("unrecorded.txt")), "The program could not write the record of the run.");
    EXPECT_FALSE(IsDirectory(Output / "unrecorded"));
    EXPECT_TRUE(Undo().Paths.empty());
    EXPECT_FALSE(IsDirectory(Output / "outer"));
    EXPECT_EQ(ReadFileText(inner), "x");
}

TEST_F(AppDoubleMoves, UndoKeepsWhatTheUserChangedAndSaysWhy)
{
    const std::string kept = File("kept.txt");
    const std::string edited = File("edited.txt");
    const std::string renamed = File("renamed.txt");
    Executor.MoveSource = false;
    EXPECT_EQ(Run(File("filled.txt")), "filled");
    Executor.MoveSource = true;
    for (const std::string& source : {kept, edited, renamed})
        Run(source);
    WriteFileText(Output / "filled\\mine.txt", "the user's");
    FILETIME later = {0x10000000, 0x01E00000};
    const HANDLE file = CreateFileA((Output / "edited\\edited.txt").c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
    SetFileTime(file, nullptr, nullptr, &later);
    CloseHandle(file);
    MoveFileA((Output / "renamed\\renamed.txt").c_str(), (Output / "renamed\\other.txt").c_str());
    WriteFileText(kept, "a new file at the old path");

    const TNotTakenBack left = Undo();
    const std::vector<std::string> paths = {renamed, Output / "renamed", edited, Output / "edited", kept,
                                            Output / "kept", Output / "filled"};
    EXPECT_EQ(left.Paths, paths);
    EXPECT_EQ(left.Reasons, (std::vector<std::string>{"It is no longer where the run put it.", "The directory is not empty.",
                                                      "It has changed since the run.", "The directory is not empty.",
                                                      "Something else stands at its old path now.",
                                                      "The directory is not empty.", "The directory is not empty."}));
    EXPECT_EQ(ReadFileText(kept), "a new file at the old path");
    EXPECT_EQ(ReadFileText(Output / "kept\\kept.txt"), "x");
}

TEST_F(AppDouble, SourcesOfOneNameShareTheDirectoryTheFirstGot)
{
    Executor.GroupSources = gsEachName;
    MakeDirectory(Output / "IMG_0042");
    EXPECT_EQ(Run(File("Holiday.mkv")), "Holiday");
    EXPECT_EQ(Run(File("Holiday.srt")), "Holiday");
    EXPECT_EQ(Run(File("HOLIDAY.txt")), "Holiday");
    // Never a directory that stood before the run.
    EXPECT_EQ(Run(File("IMG_0042.CR2")), "IMG_0042 (2)");
    EXPECT_EQ(Run(File("img_0042.xmp")), "IMG_0042 (2)");
    EXPECT_FALSE(IsDirectory(Output / "Holiday (2)"));

    Executor.GroupSources = gsAllSources;
    Executor.DirectoryName = "Trip";
    MakeDirectory(Output / "Trip");
    EXPECT_EQ(Run(File("one.txt")), "Trip (2)");
    EXPECT_EQ(Run(File("two.txt")), "Trip (2)");

    Executor.GroupSources = static_cast<TGroupSources>(3);
    ExpectAppError(File("three.txt"), "The program does not support the grouping.");
}

TEST_F(AppDoubleMoves, SourcesOfOneNameMoveIntoOneDirectoryAndBack)
{
    Executor.GroupSources = gsEachName;
    const std::string first = File("a.txt");
    const std::string second = File("a.doc");
    MakeDirectory(Sources / "other");
    const std::string twin = Sources / "other\\a.txt";
    WriteFileText(twin, "twin");
    EXPECT_EQ(Run(first), "a");
    EXPECT_EQ(Run(second), "a");
    // Never renamed, never replaced.
    EXPECT_EQ(Reason(twin), "The directory already holds something of that name.");
    EXPECT_EQ(ReadFileText(twin), "twin");
    EXPECT_EQ(ReadFileText(Output / "a\\a.txt"), "x");

    // A move that fails and leaves its directory empty takes the directory
    // with it; the next source of that name tries afresh.
    const std::string open = File("open.txt");
    const HANDLE held = CreateFileA(open.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_FALSE(Reason(open).empty());
    CloseHandle(held);
    EXPECT_FALSE(IsDirectory(Output / "open"));
    EXPECT_EQ(Run(File("open.doc")), "open");

    const TNotTakenBack left = Undo();
    EXPECT_TRUE(left.Paths.empty()) << left.Reasons.at(0);
    for (const std::string& source : {first, second, open, Sources / "open.doc"})
        EXPECT_EQ(ReadFileText(source), "x") << source;
    EXPECT_FALSE(IsDirectory(Output / "a"));
    EXPECT_FALSE(IsDirectory(Output / "open"));
}

TEST_F(AppDoubleMoves, WhatAnUndoLeftStaysOnRecordForTheNext)
{
    const std::string held = File("held.txt");
    const std::string free = File("free.txt");
    Run(held);
    Run(free);
    const HANDLE open = CreateFileA((Output / "held\\held.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0,
                                    nullptr);
    EXPECT_EQ(Undo().Paths, (std::vector<std::string>{held, Output / "held"}));
    TRunOnRecord run;
    ASSERT_TRUE(ReadNewestRun(Runs, run));
    ASSERT_EQ(run.Changes.size(), 2u);
    EXPECT_EQ(run.Changes[0].Path, Output / "held");
    EXPECT_EQ(run.Changes[1].Target, Output / "held\\held.txt");
    CloseHandle(open);
    EXPECT_TRUE(Undo().Paths.empty());
    EXPECT_EQ(ReadFileText(held), "x");
    EXPECT_FALSE(IsDirectory(Output / "held"));
    EXPECT_FALSE(HasRunRecord(Runs));
}

// Runs at once keep records of their own; each undo takes back the newest
// and touches no other record, also one written while it asked.
TEST_F(AppDoubleMoves, EachRunIsTakenBackInTurnNewestFirst)
{
    const std::string first = File("first.txt");
    Run(first);
    std::unique_ptr<TRunRecord> second(new TRunRecord(Runs));
    Executor.Record = second.get();
    const std::string other = File("other.txt");
    Run(other);
    second.reset();
    Executor.Record = Record.get();
    Run(File("last.txt"));
    Record.reset();

    TRunOnRecord newest;
    ASSERT_TRUE(ReadNewestRun(Runs, newest));
    NextRun();
    Run(File("meanwhile.txt"));
    Record.reset();
    KeepLeftOfRun(newest, TakeBack(newest.Changes).Left);
    EXPECT_EQ(ReadFileText(first), "x");
    EXPECT_EQ(ReadFileText(Sources / "last.txt"), "x");
    EXPECT_TRUE(Undo().Paths.empty());
    EXPECT_EQ(ReadFileText(Sources / "meanwhile.txt"), "x");
    EXPECT_TRUE(Undo().Paths.empty());
    EXPECT_EQ(ReadFileText(other), "x");
    EXPECT_FALSE(HasRunRecord(Runs));

    // Two undos of one run: the second, coming late, finds another run's
    // record under that name by then, and leaves it.
    NextRun();
    Run(first);
    Record.reset();
    TRunOnRecord once;
    TRunOnRecord twice;
    ASSERT_TRUE(ReadNewestRun(Runs, once) && ReadNewestRun(Runs, twice));
    KeepLeftOfRun(once, TakeBack(once.Changes).Left);
    NextRun();
    Run(first);
    Record.reset();
    KeepLeftOfRun(twice, {});
    EXPECT_TRUE(HasRunRecord(Runs));
}

// A record counts up to its first line that is not whole: cut inside a
// character, a tail of zeros after a power cut, a line changed by hand.
TEST_F(AppDoubleMoves, ARecordIsReadUpToItsFirstLineThatIsNotWhole)
{
    const std::string name = Directory(IsDoubleByteCodePage() ? TrailBackslash : "caf\xE9");
    Run(File("a.txt"));
    Run(name);
    Record.reset();
    const std::string file = Runs + "\\Run01.txt";
    const std::string whole = ReadFileText(file);
    const size_t third = whole.find("\r\nD\t") + 2;
    // The second directory's line names it: cut before the last byte of its
    // name's last character, which the checksum follows.
    const std::string cut = whole.substr(0, whole.find('\t', whole.rfind("\t", whole.find("\r\n", third)) - 1) - 1);
    std::string changed = whole;
    changed[whole.find("a.txt")] = 'b';
    const struct {
        std::string Text;
        size_t Whole;
    } cases[] = {{cut, 2}, {whole.substr(0, third) + std::string(64, '\0'), 2}, {changed, 1}};
    for (const auto& c : cases) {
        WriteFileText(file, c.Text);
        TRunOnRecord run;
        ASSERT_TRUE(ReadNewestRun(Runs, run));
        EXPECT_EQ(run.Changes.size(), c.Whole);
        EXPECT_EQ(run.Changes.at(0).Path, Output / "a");
    }
    WriteFileText(file, whole);
    EXPECT_TRUE(Undo().Paths.empty());
    EXPECT_TRUE(IsDirectory(name));
}

// What stands where the run left things is acted on only if it is what the
// run made or moved.
TEST_F(AppDoubleMoves, UndoLeavesANamesakeAlone)
{
    const std::string photos = Directory("Photos");
    Run(photos);
    Executor.MoveSource = false;
    Run(File("made.txt"));
    MoveFileA((Output / "Photos\\Photos").c_str(), (Sources / "moved away").c_str());
    MakeDirectory(Output / "Photos\\Photos");
    // Moved away rather than removed: the file system could give the new
    // one the old one's number.
    MoveFileA((Output / "made").c_str(), (Sources / "made away").c_str());
    MakeDirectory(Output / "made");
    const TNotTakenBack left = Undo();
    EXPECT_EQ(left.Paths, (std::vector<std::string>{Output / "made", photos, Output / "Photos"}));
    EXPECT_EQ(left.Reasons, (std::vector<std::string>{"It is not the one that the run made.",
                                                      "It is not the one that the run made.",
                                                      "The directory is not empty."}));
    EXPECT_TRUE(IsDirectory(Output / "made"));
    EXPECT_TRUE(IsDirectory(Output / "Photos\\Photos"));
    EXPECT_FALSE(IsDirectory(photos));
}

// A run that cannot write its record removes no earlier one.
TEST_F(AppDoubleMoves, ARunWithoutARecordKeepsTheEarlierOnes)
{
    MakeDirectory(Runs);
    for (int number = 1; number <= 30; ++number)
        WriteFileText(Runs + "\\Run" + (number < 10 ? "0" : "") + std::to_string(number) + ".txt", "");
    EXPECT_EQ(Reason(File("a.txt")), "The program could not write the record of the run.");
    EXPECT_EQ(GetPathKind(Runs + "\\Run01.txt"), pkFile);
    EXPECT_EQ(GetPathKind(Runs + "\\Run30.txt"), pkFile);
}

// Where a file system gives a moved object another ID, as FAT does, the
// record follows it to the target.
TEST_F(AppDoubleMoves, AMoveThatChangesTheIdentityIsRecordedAtTheTarget)
{
    const std::string source = File("a.txt");
    const std::string target = Output / "a.txt";
    TFileIdentity before;
    ASSERT_TRUE(GetFileIdentity(source, before));
    ASSERT_TRUE(Record->Move(source, target, 0));
    WriteFileText(target, "another object");
    ASSERT_TRUE(Record->Moved(target));
    Record.reset();
    TFileIdentity after;
    ASSERT_TRUE(GetFileIdentity(target, after));
    TRunOnRecord run;
    ASSERT_TRUE(ReadNewestRun(Runs, run));
    ASSERT_EQ(run.Changes.size(), 1u);
    EXPECT_NE(before, after);
    EXPECT_EQ(run.Changes[0].Identity, after);
}
