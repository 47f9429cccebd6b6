#include "App_undo.h"

#include "Tk_files.h"
#include "Tk_paths.h"

#include <windows.h>

#include <algorithm>
#include <map>

namespace {

const char* const NotTheOne = "It is not the one that the run made.";

// An object that the record names no identity for is never the run's.
bool IsOtherObject(const std::string& path, const TFileIdentity& recorded)
{
    TFileIdentity identity;
    return !recorded.Known() || !GetFileIdentity(path, identity) || identity != recorded;
}

// The rename is the test that nothing stands at the old path: it replaces
// nothing, so nothing can take the place between a test and the move.
std::string MoveBack(const TRecordedChange& move, const std::map<std::string, TFileIdentity>& made)
{
    // Only from a directory that the run made: a record edited by hand
    // cannot send undo after anything else.
    if (!made.count(ExtractFileDir(move.Target)))
        return "The record of the run does not say that the run made its directory.";
    std::uint64_t time = 0;
    if (!LastWriteTime(move.Target, time))
        return GetPathKind(move.Path) == pkNothing ? "It is no longer where the run put it." : std::string();
    if (IsOtherObject(move.Target, move.Identity))
        return NotTheOne;
    // A file that was changed in its new place is the user's work there. A
    // folder goes back with whatever it holds now, which loses nothing; its
    // own time may change with the move itself on some file systems.
    if (time != move.Time && GetPathKind(move.Target) == pkFile)
        return "It has changed since the run.";
    if (RenameOnly(move.Target, move.Path))
        return std::string();
    const DWORD error = GetLastError();
    return error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS ? "Something else stands at its old path now."
                                                                       : SystemErrorText(error);
}

std::string RemoveDirectory(const TRecordedChange& directory)
{
    if (GetPathKind(directory.Path) != pkDirectory)
        return std::string();
    if (IsOtherObject(directory.Path, directory.Identity))
        return NotTheOne;
    if (RemoveEmptyDirectory(directory.Path))
        return std::string();
    const DWORD error = GetLastError();
    return error == ERROR_DIR_NOT_EMPTY ? "The directory is not empty." : SystemErrorText(error);
}

}

TNotTakenBack TakeBack(const std::vector<TRecordedChange>& changes)
{
    std::map<std::string, TFileIdentity> made;
    for (const TRecordedChange& change : changes) {
        if (!change.Move)
            made[change.Path] = change.Identity;
    }
    TNotTakenBack left;
    for (auto change = changes.rbegin(); change != changes.rend(); ++change) {
        const std::string reason = change->Move ? MoveBack(*change, made) : RemoveDirectory(*change);
        if (!reason.empty()) {
            left.Paths.push_back(change->Path);
            left.Reasons.push_back(reason);
            left.Left.push_back(*change);
        }
    }
    std::reverse(left.Left.begin(), left.Left.end());
    return left;
}
