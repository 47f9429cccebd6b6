// The source entries of a run: paths accepted only in canonical form.
#pragma once

#include "App_common.h"
#include "Kro_files.h"

#include <memory>
#include <string>
#include <vector>

// The canonical form of a source path: absolute, expanded, long, with a
// non-empty name. Raises EAppError for a path it refuses.
std::string NormalizeSourcePath(const std::string& raw);
// The same, with the long form through the run's cache.
std::string NormalizeSourcePath(const std::string& raw, TLongPathCache& longPaths);

class TDoubleEntry {
public:
    explicit TDoubleEntry(const std::string& raw) : Path(NormalizeSourcePath(raw)) {}
    TDoubleEntry(const std::string& raw, TLongPathCache& longPaths) : Path(NormalizeSourcePath(raw, longPaths)) {}

    const std::string Path;
};

using TDoubleEntryArray = std::vector<std::unique_ptr<TDoubleEntry>>;

class TDoubleEntriesModel : public TModel {
public:
    TDoubleEntriesModel() = default;

    int Count() const { return static_cast<int>(FEntries.size()); }
    // Raises EListError for an index outside 0 to Count - 1.
    const TDoubleEntry& Entries(int index) const;

    virtual void Changed();
    // Takes every entry of the array, in array order, and leaves it empty.
    virtual void AddEntries(TDoubleEntryArray& entries);
    virtual void Clear();
    // By path, in the user locale's order.
    virtual void Sort();

    TNotifyEvent OnChange;

private:
    TDoubleEntryArray FEntries;
};
