#include "Kro_files.h"

#include "Tk_files.h"
#include "Tk_paths.h"

#include <windows.h>

#include <cstring>

namespace {

bool IsBlank(char c)
{
    const unsigned char code = static_cast<unsigned char>(c);
    return code >= 1 && code <= 32;
}

}

bool PathExists(const std::string& path)
{
    return GetPathKind(path) != pkNothing;
}

bool RegularFileExists(const std::string& path)
{
    return GetPathKind(path) == pkFile;
}

namespace {

const char* const NoLongPath = "The program could not get the long path of the file.";

}

std::string GetLongPath(const std::string& path)
{
    const std::string longPath = HasWildcards(path) ? std::string() : LongPathName(path);
    if (longPath.empty())
        throw EFileError(NoLongPath);
    return longPath;
}

std::string TLongPathCache::GetLongPath(const std::string& path)
{
    if (HasWildcards(path))
        throw EFileError(NoLongPath);
    const std::string folder = ExtractFileDir(path);
    auto found = FFolders.find(folder);
    const bool first = found == FFolders.end();
    if (first)
        found = FFolders.emplace(folder, LongPathName(folder)).first;
    const std::string& folderLongPath = found->second;
    // The first source of a folder takes the one look-up of its name: a
    // single source in a large folder must not pay for listing it. A device
    // name is no entry of its folder, whatever a listing shows.
    const std::string longPath =
        first || FMoved || folderLongPath.empty() || IsReservedFileName(ExtractFileName(path))
            ? LongPathNameIn(folderLongPath, path)
            : LongPathNameIn(FListed.try_emplace(folderLongPath, folderLongPath).first->second, path);
    if (longPath.empty())
        throw EFileError(NoLongPath);
    return longPath;
}

bool TLongPathCache::RegularFileExists(const std::string& path) const
{
    const auto listed = FListed.find(ExtractFileDir(path));
    const DWORD attributes = listed == FListed.end() || IsReservedFileName(ExtractFileName(path))
                                 ? FileAttributes(path)
                                 : FileAttributes(listed->second, path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// A move changes what the listings saw, in the folder it leaves and below
// the folder it moves. The source's own name is there on disk as found, in
// its own letter case, which the file system finds without reading its
// whole folder: asking it costs little.
void TLongPathCache::Moved()
{
    FMoved = true;
    FListed.clear();
}

bool HasWildcards(const std::string& path)
{
    for (const char* p = path.c_str(); *p; p = CharNextA(p)) {
        if (*p == '*' || *p == '?')
            return true;
    }
    return false;
}

bool IsAbsolutePath(const std::string& path)
{
    return path.size() >= 2 && (path[1] == ':' || (path[0] == '\\' && path[1] == '\\'));
}

std::string TrimLeadingBlanks(const std::string& text)
{
    const char* start = text.c_str();
    const char* p = start;
    while (IsBlank(*p))
        p = CharNextA(p);
    return std::string(p);
}

std::string TrimTrailingBlanks(const std::string& text)
{
    // One walk forward, remembering where the last non-blank character ends.
    const char* start = text.c_str();
    const char* end = start;
    for (const char* p = start; *p;) {
        const char* next = CharNextA(p);
        if (!IsBlank(*p))
            end = next;
        p = next;
    }
    return std::string(start, end);
}

std::string TrimBlanks(const std::string& text)
{
    return TrimTrailingBlanks(TrimLeadingBlanks(text));
}

size_t FindInvalidFileNameChar(const std::string& text)
{
    const char* start = text.c_str();
    for (const char* p = start; *p; p = CharNextA(p)) {
        const unsigned char code = static_cast<unsigned char>(*p);
        if (code < 32 || std::strchr("\"*/:<>?\\|", *p))
            return static_cast<size_t>(p - start) + 1;
    }
    return 0;
}

bool IsReservedFileName(const std::string& name)
{
    if (name.empty())
        return false;
    const char* last = CharPrevA(name.c_str(), name.c_str() + name.size());
    if (*last == '.' || *last == ' ')
        return true;
    // The device is named by the part before the first dot, blanks at its
    // end ignored: "con .txt" is CON too.
    const size_t dot = name.find('.');
    std::string stem = TrimTrailingBlanks(name.substr(0, dot));
    for (char& c : stem) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    for (const char* device : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"}) {
        if (stem == device)
            return true;
    }
    return stem.size() == 4 && (stem.compare(0, 3, "COM") == 0 || stem.compare(0, 3, "LPT") == 0)
        && stem[3] >= '1' && stem[3] <= '9';
}
