// The options that decide where new directories go and how they are named.
#pragma once

#include "App_common.h"

#include <cstdint>
#include <string>

// Both enumerations are one byte wide and may hold any byte value read from
// the settings file; their users reject the values they cannot handle.
enum TOutputDirectory : std::uint8_t {
    odAtSource = 0,
    odDesktop = 1,
    odAsk = 2,
    odOther = 3,
};

enum TSerialNumberPosition : std::uint8_t {
    spBeginning = 0,
    spEnd = 1,
};

// How many directories a run makes. Kept in full, not in one byte: a value
// that no version knows is refused, never read as another one.
enum TGroupSources : std::int32_t {
    gsEachSource = 0,
    gsEachName = 1,
    gsAllSources = 2,
};

class TDoubleOptions {
public:
    // The defaults; OtherOutputDirectory asks the shell for the documents
    // folder and raises EShellFileError when it cannot get it.
    TDoubleOptions();
    virtual ~TDoubleOptions() = default;
    TDoubleOptions(const TDoubleOptions&) = default;
    TDoubleOptions& operator=(const TDoubleOptions&) = default;

    virtual bool operator==(const TDoubleOptions& other) const;
    virtual bool operator!=(const TDoubleOptions& other) const;

    TOutputDirectory OutputDirectory;
    std::string OtherOutputDirectory;
    std::string OriginalNamePrefix;
    std::string OriginalNameSuffix;
    bool RemoveExtension;
    bool AvoidNameCollision;
    std::string SerialNumberPrefix;
    std::string SerialNumberSuffix;
    std::int32_t MinSerialNumber;
    std::int32_t MaxSerialNumber;
    TSerialNumberPosition SerialNumberPosition;
    bool SortEntries;
    bool MoveSources;
    TGroupSources GroupSources;
    // Shows the run's directories and moves before it makes anything.
    bool ShowPreview;
};

class TDoubleOptionsModel : public TModel {
public:
    TDoubleOptionsModel() = default;

    const TDoubleOptions& Options() const { return FOptions; }
    // Copies value and calls Changed once, unless it equals the options held.
    void SetOptions(const TDoubleOptions& value);
    virtual void Changed();

    TNotifyEvent OnChange;

private:
    TDoubleOptions FOptions;
};
