#include "App_runplan.h"
#include "App_runrecord.h"

#include "TestSupport.h"
#include "Tk_files.h"
#include "Tk_paths.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

// Sources in a scratch folder, directories into another, moves on record.
struct AppRunPlan : testing::Test {
    TTempDir Sources;
    TTempDir Output;
    TTempDir Program;
    TDoubleExecutor Executor;
    std::vector<std::string> Paths;

    AppRunPlan()
    {
        Executor.OutputDirectory = Output.Path();
        Executor.SerialNumberPrefix = " (";
        Executor.SerialNumberSuffix = ")";
    }

    void File(const std::string& name)
    {
        const std::string folder = ExtractFileDir(Sources / name);
        if (!IsDirectory(folder))
            MakeDirectory(folder);
        WriteFileText(Sources / name, "x");
        Paths.push_back(Sources / name);
    }

    void Folder(const std::string& name)
    {
        MakeDirectory(Sources / name);
        Paths.push_back(Sources / name);
    }

    // What each source gets, as a row of the preview would read: its
    // directory's name in the output folder and its note.
    static std::string Row(const TPlannedSource& planned)
    {
        switch (planned.Kind) {
        case pkNewDirectory:
            return ExtractFileName(planned.Directory) + (planned.Moves ? " moves" : "");
        case pkNumberedDirectory:
            return ExtractFileName(planned.Directory) + " numbered" + (planned.Moves ? " moves" : "");
        case pkSharedDirectory:
            return ExtractFileName(planned.Directory) + " shared" + (planned.Moves ? " moves" : "");
        case pkFailure:
            break;
        }
        return "fails: " + planned.Reason;
    }

    // Plans the sources, checks the plan's rows, then runs the executor on
    // them as the program does and checks that it made what the plan said.
    void Check(const std::vector<std::string>& rows, bool atSource = false)
    {
        TRunPlan plan;
        plan.Make(Executor, Paths, atSource);
        std::vector<std::string> planned;
        for (const TPlannedSource& source : plan.Sources())
            planned.push_back(Row(source));
        EXPECT_EQ(planned, rows);

        // A run of its own, as the program's.
        TDoubleExecutor executor(Executor);
        TRunRecord record(Program / "Runs");
        executor.Record = &record;
        if (atSource && executor.GroupSources == gsAllSources)
            executor.OutputDirectory = ExtractFileDir(Paths.front());
        int made = 0;
        for (size_t i = 0; i < Paths.size(); ++i) {
            const TPlannedSource& expected = plan.Sources()[i];
            executor.SourcePath = Paths[i];
            if (atSource && executor.GroupSources != gsAllSources)
                executor.OutputDirectory = ExtractFileDir(Paths[i]);
            executor.PlannedNumber = expected.Number;
            try {
                executor.Execute();
                EXPECT_EQ(executor.CreatedPath, expected.Directory) << Paths[i];
                made += expected.Kind != pkSharedDirectory;
            } catch (const EDoubleFail& fail) {
                EXPECT_EQ(fail.Reason(), expected.Reason) << Paths[i];
            }
        }
        EXPECT_EQ(made, plan.NewDirectories());
    }
};

}

TEST_F(AppRunPlan, EachSourceIsPlannedAsTheExecutorMakesIt)
{
    File("report.txt");
    File("notes.txt");
    Folder("photos.2024");
    File("sub\\report.txt");
    MakeDirectory(Output / "report");
    MakeDirectory(Output / "REPORT (2)");
    WriteFileText(Output / "notes", "a file takes the name too");
    Check({"report (3) numbered", "notes (2) numbered", "photos.2024", "report (4) numbered"});
}

TEST_F(AppRunPlan, TakenNamesFailAsTheExecutorFails)
{
    File("report.txt");
    File("other.txt");
    MakeDirectory(Output / "report");
    MakeDirectory(Output / "report (2)");
    Executor.MaxSerialNumber = 2;
    Check({"fails: The name is taken up to the last serial number.", "other"});
    Executor.AvoidNameCollision = false;
    Paths = {Paths[0]};
    Check({"fails: The name is taken."});
}

TEST_F(AppRunPlan, NamesakesShareAndMoveIntoOneDirectory)
{
    File("a\\report.txt");
    File("b\\report.txt");
    File("b\\report.doc");
    File("c\\notes.txt");
    Executor.GroupSources = gsEachName;
    Executor.MoveSource = true;
    Check({"report moves", "fails: The directory already holds something of that name.", "report shared moves",
           "notes moves"});
}

TEST_F(AppRunPlan, AllSourcesGoIntoOneNamedDirectory)
{
    File("a\\one.txt");
    File("b\\two.txt");
    MakeDirectory(Output / "All");
    Executor.GroupSources = gsAllSources;
    Executor.DirectoryName = "All";
    Check({"All (2) numbered", "All (2) shared"});
    // At the source: in the first source's folder.
    Executor.MoveSource = true;
    Check({"All moves", "All shared moves"}, true);
}

TEST_F(AppRunPlan, ASourceInsideAnEarlierMovedOneIsFoundGone)
{
    Folder("album");
    File("album\\cover.jpg");
    Executor.MoveSource = true;
    TRunPlan plan;
    plan.Make(Executor, Paths, false);
    ASSERT_EQ(plan.Sources().size(), 2u);
    EXPECT_EQ(plan.Sources()[1].Kind, pkFailure);
    EXPECT_EQ(plan.Moves(), 1);
    EXPECT_EQ(plan.Failures(), 1);
    Check({"album moves", "fails: " + plan.Sources()[1].Reason});
}

TEST_F(AppRunPlan, ANameTakenAfterThePlanIsNumberedOn)
{
    File("report.txt");
    MakeDirectory(Output / "report");
    MakeDirectory(Output / "report (2)");
    TRunPlan plan;
    plan.Make(Executor, Paths, false);
    ASSERT_EQ(plan.Sources()[0].Directory, Output / "report (3)");
    MakeDirectory(Output / "report (3)");
    WriteFileText(Output / "report (3)\\keep.txt", "kept");
    Executor.SourcePath = Paths[0];
    Executor.PlannedNumber = plan.Sources()[0].Number;
    Executor.Execute();
    EXPECT_EQ(Executor.CreatedPath, Output / "report (4)");
    EXPECT_EQ(ReadFileText(Output / "report (3)\\keep.txt"), "kept");
}

TEST_F(AppRunPlan, AMoveToAnotherVolumeIsForeseen)
{
    File("report.txt");
    // Wine maps C: into its prefix and Z: onto the root: two volumes, as
    // Windows sees them, though a rename between them works under Wine.
    Executor.OutputDirectory = Output.Path()[0] == 'Z' ? "C:\\" : "Z:\\";
    Executor.MoveSource = true;
    TRunPlan plan;
    plan.Make(Executor, Paths, false);
    EXPECT_EQ(Row(plan.Sources()[0]), "fails: The source is on another drive.");
    EXPECT_EQ(plan.NewDirectories(), 0);
}

TEST_F(AppRunPlan, DoubleBytePathsArePlannedByCharacter)
{
    REQUIRE_DOUBLE_BYTE_CODE_PAGE();
    Folder(TrailBackslash);
    File(TrailBackslash + "\\" + TrailBackslash + ".txt");
    MakeDirectory(Output / TrailBackslash);
    Executor.MoveSource = true;
    Check({TrailBackslash + " (2) numbered moves", "fails: " + SystemErrorText(ERROR_PATH_NOT_FOUND)});
}
