#include "App_double.h"

#include "App_runrecord.h"
#include "Kro_files.h"
#include "Tk_files.h"
#include "Tk_paths.h"

#include <windows.h>

const char* const NameTakenReason = "The name is taken.";
const char* const AllNamesTakenReason = "The name is taken up to the last serial number.";
const char* const AlreadyHeldReason = "The directory already holds something of that name.";
const char* const OtherDriveReason = "The source is on another drive.";

void TDoubleExecutor::Execute()
{
    CreatedPath.clear();
    std::string base;
    switch (GroupSources) {
    case gsEachSource:
    case gsEachName:
        base = MakeBasePath(OutputDirectory);
        break;
    case gsAllSources:
        base = IncludeTrailingPathDelimiter(OutputDirectory) + DirectoryName;
        break;
    default:
        throw EAppError("The program does not support the grouping.");
    }
    FMadeNow = TakeDirectory(base);
    if (MoveSource)
        MoveIntoCreated();
}

bool TDoubleExecutor::TakeDirectory(const std::string& base)
{
    if (GroupSources == gsEachSource) {
        CreateTargetDirectory(base);
        return true;
    }
    FSharedKey = FileNameKey(base);
    const auto shared = FShared.find(FSharedKey);
    if (shared != FShared.end()) {
        CreatedPath = shared->second;
        return false;
    }
    CreateTargetDirectory(base);
    FShared.emplace(FSharedKey, CreatedPath);
    return true;
}

void TDoubleExecutor::MoveIntoCreated()
{
    const std::string target = IncludeTrailingPathDelimiter(CreatedPath) + ExtractFileName(SourcePath);
    // Asked before the move is written: the record must not name a move
    // that can only fail, into a shared directory that holds the name. A
    // directory made just now holds nothing.
    if (!FMadeNow && GetPathKind(target) != pkNothing)
        FailMove(AlreadyHeldReason);
    std::uint64_t time = 0;
    if (!LastWriteTime(SourcePath, time))
        FailMove(SystemErrorText(GetLastError()));
    if (!Record || !Record->Move(SourcePath, target, time))
        FailMove("The program could not write the record of the run.");
    // A rename on the one volume: it neither copies nor replaces anything.
    if (!RenameOnly(SourcePath, target)) {
        const DWORD error = GetLastError();
        FailMove(error == ERROR_NOT_SAME_DEVICE                             ? OtherDriveReason
                 : error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS ? AlreadyHeldReason
                                                                               : SystemErrorText(error));
    }
    if (LongPaths)
        LongPaths->Moved();
    // Where a move changes the file ID (on FAT it is the entry's place in
    // its folder), the record learns the new one; where it cannot, the undo
    // leaves the source alone rather than act on something else.
    Record->Moved(target);
}

// The source stays where it was, and so does nothing of the directory made
// for it, unless something has come into it meanwhile. A directory that an
// earlier source got stays; one that goes again is no longer shared, so the
// next source of its name tries afresh.
void TDoubleExecutor::FailMove(const std::string& reason)
{
    if (FMadeNow && RemoveEmptyDirectory(CreatedPath) && GroupSources != gsEachSource)
        FShared.erase(FSharedKey);
    CreatedPath.clear();
    throw EDoubleFail(reason);
}

std::string TDoubleExecutor::FormName() const
{
    std::string name = ExtractFileName(SourcePath);
    // Asked of the file system, or of the listing that the run took of the
    // source's folder: a directory keeps every dot of its name.
    if (RemoveExtension && (LongPaths ? LongPaths->RegularFileExists(SourcePath) : RegularFileExists(SourcePath)))
        name = ChangeFileExt(name, std::string());
    return TrimBlanks(OriginalNamePrefix + name + OriginalNameSuffix);
}

std::string TDoubleExecutor::MakeBasePath(const std::string& directory) const
{
    return IncludeTrailingPathDelimiter(directory) + FormName();
}

std::string TDoubleExecutor::CandidatePath(const std::string& base, std::int32_t number) const
{
    if (number == MinSerialNumber)
        return base;
    const std::string directory = ExtractFilePath(base);
    const std::string stem = ExtractFileName(base);
    switch (SerialNumberPosition) {
    case spEnd:
        return directory + stem + SerialNumberPrefix + std::to_string(number) + TrimTrailingBlanks(SerialNumberSuffix);
    case spBeginning:
        return directory + TrimLeadingBlanks(SerialNumberPrefix) + std::to_string(number) + SerialNumberSuffix + stem;
    default:
        throw EAppError("The program does not support the position.");
    }
}

void TDoubleExecutor::CreateTargetDirectory(const std::string& base)
{
    if (AvoidNameCollision && MinSerialNumber > MaxSerialNumber)
        throw EAppError("The minimum serial number is exceeding the maximum.");
    // A planned number inside the range; anything else starts afresh.
    std::int32_t number = MinSerialNumber;
    if (AvoidNameCollision && PlannedNumber && *PlannedNumber > MinSerialNumber && *PlannedNumber <= MaxSerialNumber)
        number = *PlannedNumber;
    if (CreateCandidate(CandidatePath(base, number)))
        return;
    if (!AvoidNameCollision)
        throw EDoubleFail(NameTakenReason);
    // With equal bounds no numbered name is tried, so the position never matters.
    if (MinSerialNumber == MaxSerialNumber)
        throw EDoubleFail(AllNamesTakenReason);
    if (SerialNumberPosition != spEnd && SerialNumberPosition != spBeginning)
        throw EAppError("The program does not support the position.");
    // The minimum stands for the un-numbered name, so numbers start above it.
    // Testing against the maximum before stepping keeps INT_MAX from overflowing.
    while (number != MaxSerialNumber) {
        ++number;
        if (CreateCandidate(CandidatePath(base, number)))
            return;
    }
    throw EDoubleFail(AllNamesTakenReason);
}

bool TDoubleExecutor::CreateCandidate(const std::string& candidate)
{
    // The creation is the test of the name: no other program can take it
    // between a test and the creation.
    std::vector<std::string> made;
    switch (CreateNewDirectory(candidate, &made)) {
    case ndCreated:
        CreatedPath = candidate;
        for (const std::string& directory : made) {
            // A run that cannot write its record makes its directories all
            // the same; only its moves wait for the record.
            if (Record)
                Record->Directory(directory);
        }
        return true;
    case ndTaken:
        return false;
    default:
        throw EDoubleFail(SystemErrorText(GetLastError()));
    }
}
