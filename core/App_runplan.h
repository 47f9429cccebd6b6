// What a run will make, worked out before it makes anything: each source's
// directory, whether it is new, numbered or shared, whether the source moves
// into it, and the failures that can be seen in advance. The plan follows the
// executor's rules, from the executor itself, and the run carries it out.
#pragma once

#include "App_double.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

class TFolderListing;

enum TPlannedKind {
    pkNewDirectory,      // a directory of its own name
    pkNumberedDirectory, // its name was taken, so it is numbered
    pkSharedDirectory,   // the directory of a source above it
    pkFailure,           // none: the run will fail for this source
};

struct TPlannedSource {
    TPlannedKind Kind = pkNewDirectory;
    // The directory that the source gets; "" for a failure.
    std::string Directory;
    // The serial number of a new directory, the executor's MinSerialNumber
    // for none.
    std::int32_t Number = 0;
    bool Moves = false;
    // Why the run will fail for the source.
    std::string Reason;
};

class TRunPlan {
public:
    TRunPlan();
    ~TRunPlan();
    TRunPlan(const TRunPlan&) = delete;
    TRunPlan& operator=(const TRunPlan&) = delete;

    // Plans the sources, in the run's order, as the executor would take them:
    // its naming fields, grouping, move and DirectoryName as set, and its
    // OutputDirectory, unless atSource puts each directory in its source's
    // folder (one for all: in the first source's). Each output folder is
    // listed once per plan object, so planning again with other choices
    // reads nothing from disk. Raises the executor's EAppError where the
    // naming fields are unusable.
    void Make(const TDoubleExecutor& executor, const std::vector<std::string>& sources, bool atSource);

    const std::vector<TPlannedSource>& Sources() const { return FSources; }
    int NewDirectories() const { return FNewDirectories; }
    int Moves() const { return FMoves; }
    int Failures() const { return FFailures; }
    // Frees the listings, which may hold tens of thousands of entries, once
    // no other plan is to follow: the next Make reads the folders again.
    void ForgetListings();

private:
    void PlanSource(TDoubleExecutor& executor, size_t index);
    // The first free name of base, as the executor would create it; false
    // when there is none.
    bool PlanDirectory(const TDoubleExecutor& executor, const std::string& base, TPlannedSource& planned);
    void Fail(TPlannedSource& planned, const std::string& reason);
    // Whether the listing of the path's folder or this plan holds its name.
    bool IsTaken(const std::string& path);
    // The reason that the move of source to target, in directory, will fail
    // for; "" when none can be seen.
    std::string MoveFailure(const std::string& source, const std::string& directory, const std::string& target,
                            bool madeNow);
    // Whether an earlier source that moves is source itself (same) or holds it.
    bool InsideMovedSource(const std::string& source, bool& same) const;
    // The key of the root of the folder's volume; "" when it is unknown.
    const std::string& Volume(const std::string& folder);

    // Kept from one plan to the next: what was on disk.
    std::map<std::string, std::unique_ptr<TFolderListing>> FListings;
    std::unordered_map<std::string, std::string> FVolumes;

    // This plan's own: the keys of the directories it makes, of the shared
    // ones by their un-numbered target, of the names moved into each
    // directory, and of the sources that move.
    std::unordered_set<std::string> FMade;
    std::unordered_map<std::string, size_t> FShared;
    std::unordered_set<std::string> FMovedIn;
    std::unordered_set<std::string> FMovedSources;
    std::vector<TPlannedSource> FSources;
    int FNewDirectories = 0;
    int FMoves = 0;
    int FFailures = 0;
};
