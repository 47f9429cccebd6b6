#include "App_doubleentries.h"

#include "Tk_format.h"
#include "Tk_paths.h"
#include "Tk_strings.h"

#include <algorithm>

namespace {

template <class TGetLongPath>
std::string Normalized(const std::string& raw, TGetLongPath getLongPath)
{
    if (!IsAbsolutePath(raw))
        throw EAppError(Format("The program cannot accept the path \"%s\" because it is not in absolute form.", raw));
    std::string expanded = ExpandFileName(raw);
    // Beyond the system's 32,767 characters, or with a character the code
    // page cannot hold once expanded: refused below, with the path given.
    if (expanded.empty())
        expanded = raw;
    std::string path;
    try {
        path = getLongPath(expanded);
    } catch (const EFileError&) {
        throw EAppError(Format("The program cannot accept the path \"%s\" because its long form is unavailable.", expanded));
    }
    if (ExtractFileName(path).empty())
        throw EAppError(Format("The program cannot accept the path \"%s\" because its name is empty.", path));
    return path;
}

}

std::string NormalizeSourcePath(const std::string& raw)
{
    return Normalized(raw, [](const std::string& path) { return GetLongPath(path); });
}

std::string NormalizeSourcePath(const std::string& raw, TLongPathCache& longPaths)
{
    return Normalized(raw, [&](const std::string& path) { return longPaths.GetLongPath(path); });
}

const TDoubleEntry& TDoubleEntriesModel::Entries(int index) const
{
    if (index < 0 || index >= Count())
        throw EListError(Format("The list index %d is out of bounds.", index));
    return *FEntries[static_cast<size_t>(index)];
}

void TDoubleEntriesModel::Changed()
{
    if (OnChange)
        OnChange(*this);
}

void TDoubleEntriesModel::AddEntries(TDoubleEntryArray& entries)
{
    FEntries.reserve(FEntries.size() + entries.size());
    for (std::unique_ptr<TDoubleEntry>& entry : entries)
        FEntries.push_back(std::move(entry));
    entries.clear();
    Changed();
}

void TDoubleEntriesModel::Clear()
{
    FEntries.clear();
    Changed();
}

void TDoubleEntriesModel::Sort()
{
    std::sort(FEntries.begin(), FEntries.end(),
              [](const std::unique_ptr<TDoubleEntry>& a, const std::unique_ptr<TDoubleEntry>& b) {
                  return AnsiCompareStr(a->Path, b->Path) < 0;
              });
    Changed();
}
