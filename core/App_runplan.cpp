#include "App_runplan.h"

#include "Tk_files.h"
#include "Tk_paths.h"

#include <windows.h>

TRunPlan::TRunPlan() = default;
TRunPlan::~TRunPlan() = default;

void TRunPlan::Make(const TDoubleExecutor& rules, const std::vector<std::string>& sources, bool atSource)
{
    FMade.clear();
    FShared.clear();
    FMovedIn.clear();
    FMovedSources.clear();
    FSources.assign(sources.size(), TPlannedSource());
    FNewDirectories = FMoves = FFailures = 0;

    // A copy: the plan names, the executor it was given makes nothing.
    TDoubleExecutor executor(rules);
    executor.Record = nullptr;
    const bool allInOne = executor.GroupSources == gsAllSources;
    if (atSource && allInOne && !sources.empty())
        executor.OutputDirectory = ExtractFileDir(sources.front());
    for (size_t i = 0; i < sources.size(); ++i) {
        executor.SourcePath = sources[i];
        if (atSource && !allInOne)
            executor.OutputDirectory = ExtractFileDir(sources[i]);
        PlanSource(executor, i);
    }
}

void TRunPlan::ForgetListings()
{
    FListings.clear();
}

void TRunPlan::PlanSource(TDoubleExecutor& executor, size_t index)
{
    TPlannedSource& planned = FSources[index];
    planned.Number = executor.MinSerialNumber;
    const std::string& source = executor.SourcePath;
    // An earlier source took it along: the run finds nothing at its path.
    bool same = false;
    if (executor.MoveSource && InsideMovedSource(source, same)) {
        Fail(planned, SystemErrorText(same ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND));
        return;
    }

    std::string base;
    switch (executor.GroupSources) {
    case gsEachSource:
    case gsEachName:
        base = IncludeTrailingPathDelimiter(executor.OutputDirectory) + executor.FormName();
        break;
    case gsAllSources:
        base = IncludeTrailingPathDelimiter(executor.OutputDirectory) + executor.DirectoryName;
        break;
    default:
        throw EAppError("The program does not support the grouping.");
    }
    std::string sharedKey;
    bool madeNow = true;
    if (executor.GroupSources != gsEachSource) {
        sharedKey = FileNameKey(base);
        const auto shared = FShared.find(sharedKey);
        if (shared != FShared.end()) {
            planned.Kind = pkSharedDirectory;
            planned.Directory = FSources[shared->second].Directory;
            planned.Number = FSources[shared->second].Number;
            madeNow = false;
        }
    }
    if (madeNow && !PlanDirectory(executor, base, planned))
        return;

    if (executor.MoveSource) {
        const std::string target = IncludeTrailingPathDelimiter(planned.Directory) + ExtractFileName(source);
        // The directory made for it goes again, so its name stays free.
        const std::string reason = MoveFailure(source, planned.Directory, target, madeNow);
        if (!reason.empty()) {
            Fail(planned, reason);
            return;
        }
        planned.Moves = true;
        ++FMoves;
        FMovedSources.insert(FileNameKey(source));
        FMovedIn.insert(FileNameKey(target));
    }
    if (madeNow) {
        ++FNewDirectories;
        FMade.insert(FileNameKey(planned.Directory));
        if (executor.GroupSources != gsEachSource)
            FShared.emplace(sharedKey, index);
    }
}

bool TRunPlan::PlanDirectory(const TDoubleExecutor& executor, const std::string& base, TPlannedSource& planned)
{
    const std::int32_t minimum = executor.MinSerialNumber;
    const std::int32_t maximum = executor.MaxSerialNumber;
    if (executor.AvoidNameCollision && minimum > maximum)
        throw EAppError("The minimum serial number is exceeding the maximum.");
    if (!IsTaken(base)) {
        planned.Kind = pkNewDirectory;
        planned.Directory = base;
        return true;
    }
    if (!executor.AvoidNameCollision) {
        Fail(planned, NameTakenReason);
        return false;
    }
    // Numbered from above the minimum, which stands for the name itself; the
    // maximum is tested before stepping, so INT_MAX never overflows.
    for (std::int32_t number = minimum; number != maximum;) {
        ++number;
        const std::string candidate = executor.CandidatePath(base, number);
        if (!IsTaken(candidate)) {
            planned.Kind = pkNumberedDirectory;
            planned.Directory = candidate;
            planned.Number = number;
            return true;
        }
    }
    Fail(planned, AllNamesTakenReason);
    return false;
}

void TRunPlan::Fail(TPlannedSource& planned, const std::string& reason)
{
    planned.Kind = pkFailure;
    planned.Directory.clear();
    planned.Reason = reason;
    ++FFailures;
}

bool TRunPlan::IsTaken(const std::string& path)
{
    if (FMade.count(FileNameKey(path)) > 0)
        return true;
    const std::string folder = ExtractFileDir(path);
    std::unique_ptr<TFolderListing>& listing = FListings[FileNameKey(folder)];
    if (!listing)
        listing.reset(new TFolderListing(folder));
    return listing->Holds(ExtractFileName(path));
}

std::string TRunPlan::MoveFailure(const std::string& source, const std::string& directory, const std::string& target,
                                  bool madeNow)
{
    const std::string& from = Volume(ExtractFileDir(source));
    const std::string& to = Volume(ExtractFileDir(directory));
    if (!from.empty() && !to.empty() && from != to)
        return OtherDriveReason;
    // A directory made for it holds nothing; a shared one, what moved in.
    if (!madeNow && FMovedIn.count(FileNameKey(target)) > 0)
        return AlreadyHeldReason;
    return std::string();
}

bool TRunPlan::InsideMovedSource(const std::string& source, bool& same) const
{
    if (FMovedSources.empty())
        return false;
    same = FMovedSources.count(FileNameKey(source)) > 0;
    if (same)
        return true;
    for (const std::string& folder : FolderKeys(source)) {
        if (FMovedSources.count(folder) > 0)
            return true;
    }
    return false;
}

const std::string& TRunPlan::Volume(const std::string& folder)
{
    const std::string key = FileNameKey(folder);
    const auto found = FVolumes.find(key);
    if (found != FVolumes.end())
        return found->second;
    const std::string root = VolumePathName(folder);
    return FVolumes.emplace(key, root.empty() ? root : FileNameKey(root)).first->second;
}
