// Forms the name of one new directory from a source and creates it.
#pragma once

#include "App_doubleoptions.h"

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>

// The common base of the executor's failures; never raised by itself.
class EDoubleError : public Exception {
public:
    using Exception::Exception;
};

// No directory was made for this source; the run goes on with the next one.
// The reason, a sentence of its own, tells the user why.
class EDoubleFail : public EDoubleError {
public:
    explicit EDoubleFail(std::string reason)
        : EDoubleError("The program could not create a directory."), FReason(std::move(reason))
    {
    }

    const std::string& Reason() const noexcept { return FReason; }

private:
    std::string FReason;
};

// The reasons that the executor gives, which a plan foresees.
extern const char* const NameTakenReason;
extern const char* const AllNamesTakenReason;
extern const char* const AlreadyHeldReason;
extern const char* const OtherDriveReason;

class TLongPathCache;
class TRunRecord;

class TDoubleExecutor {
public:
    virtual ~TDoubleExecutor() = default;

    // Creates one new directory for SourcePath in OutputDirectory and sets
    // CreatedPath. Raises EDoubleFail when this source gets no directory, and
    // EAppError when the naming fields themselves are unusable.
    virtual void Execute();
    // The name that SourcePath's directory gets before any number: the
    // prefix, the source's name (a regular file's without its extension)
    // and the suffix, with no blanks at its ends.
    std::string FormName() const;
    // The path that base, a directory's path before any number, has with
    // number: base itself for MinSerialNumber, the numbered variant with the
    // prefix and suffix at SerialNumberPosition above it.
    std::string CandidatePath(const std::string& base, std::int32_t number) const;

    std::string SourcePath;
    std::string OutputDirectory;
    std::string OriginalNamePrefix;
    std::string OriginalNameSuffix;
    bool RemoveExtension = true;
    bool AvoidNameCollision = true;
    std::string SerialNumberPrefix;
    std::string SerialNumberSuffix;
    std::int32_t MinSerialNumber = 1;
    std::int32_t MaxSerialNumber = 100;
    TSerialNumberPosition SerialNumberPosition = spEnd;
    // Moves the source into its new directory, under its own name.
    bool MoveSource = false;
    // gsEachName: sources that form the same un-numbered target share the
    // directory that the first of them got in this executor's run.
    // gsAllSources: every source shares one directory, named DirectoryName
    // in OutputDirectory, whatever its own name.
    TGroupSources GroupSources = gsEachSource;
    std::string DirectoryName;
    // Where each directory made is written right after it is made, and each
    // move before it is made; a source is moved only once its move is
    // written. Without one, nothing is written and nothing moved.
    TRunRecord* Record = nullptr;
    // The cache that the run's sources were read through: it tells whether a
    // source is a regular file from its folder's listing, and learns of the
    // moves. Without one, the file system is asked.
    TLongPathCache* LongPaths = nullptr;
    // The serial number that a plan found free for this source's new
    // directory, MinSerialNumber for the name without one; none: the first
    // free name. The executor starts there and numbers on past a name that
    // was taken since, so the run makes what the plan showed.
    std::optional<std::int32_t> PlannedNumber;
    std::string CreatedPath;

private:
    std::string MakeBasePath(const std::string& directory) const;
    // Sets CreatedPath to the directory that base stands for: made now, or
    // shared with an earlier source. True when it was made now.
    bool TakeDirectory(const std::string& base);
    // Creates the first free name of base and its numbered variants.
    void CreateTargetDirectory(const std::string& base);
    // True when the directory was made, false when its name is taken.
    bool CreateCandidate(const std::string& candidate);
    void MoveIntoCreated();
    [[noreturn]] void FailMove(const std::string& reason);

    // The shared directories made so far, by the key of their un-numbered
    // target; only ever those this executor made.
    std::unordered_map<std::string, std::string> FShared;
    std::string FSharedKey;
    bool FMadeNow = false;
};
