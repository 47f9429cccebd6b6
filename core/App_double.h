// Forms the name of one new directory from a source and creates it.
#pragma once

#include "App_doubleoptions.h"

#include <cstdint>
#include <string>
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

class TRunRecord;

class TDoubleExecutor {
public:
    virtual ~TDoubleExecutor() = default;

    // Creates one new directory for SourcePath in OutputDirectory and sets
    // CreatedPath. Raises EDoubleFail when this source gets no directory, and
    // EAppError when the naming fields themselves are unusable.
    virtual void Execute();

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
    // Where each directory made is written right after it is made, and each
    // move before it is made; a source is moved only once its move is
    // written. Without one, nothing is written and nothing moved.
    TRunRecord* Record = nullptr;
    std::string CreatedPath;

private:
    std::string MakeBasePath(const std::string& directory) const;
    // Creates the first free name of base and its numbered variants.
    void CreateTargetDirectory(const std::string& base);
    // True when the directory was made, false when its name is taken.
    bool CreateCandidate(const std::string& candidate);
    void MoveIntoCreated();
    [[noreturn]] void FailMove(const std::string& reason);
};
