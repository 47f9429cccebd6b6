#include "Tk_paths.h"

#include "Tk_strings.h"

#include <windows.h>

std::string ExtractFileName(const std::string& path)
{
    const size_t delimiter = LastDelimiter("\\:", path);
    return delimiter == std::string::npos ? path : path.substr(delimiter + 1);
}

std::string ExtractFilePath(const std::string& path)
{
    const size_t delimiter = LastDelimiter("\\:", path);
    return delimiter == std::string::npos ? std::string() : path.substr(0, delimiter + 1);
}

std::string ExtractFileDir(const std::string& path)
{
    const size_t delimiter = LastDelimiter("\\:", path);
    if (delimiter == std::string::npos)
        return std::string();
    // The character before the delimiter, which may be a double-byte one.
    const char* start = path.c_str();
    const char* before = CharPrevA(start, start + delimiter);
    const bool keep = before + 1 == start + delimiter && (*before == '\\' || *before == ':');
    return path.substr(0, keep ? delimiter + 1 : delimiter);
}

std::string ChangeFileExt(const std::string& path, const std::string& extension)
{
    size_t delimiter = LastDelimiter(".\\:", path);
    if (delimiter == std::string::npos || path[delimiter] != '.')
        delimiter = path.size();
    return path.substr(0, delimiter) + extension;
}

namespace {

bool EndsWithPathDelimiter(const std::string& path)
{
    return !path.empty() && LastDelimiter("\\", path) == path.size() - 1;
}

}

std::string IncludeTrailingPathDelimiter(const std::string& path)
{
    return EndsWithPathDelimiter(path) ? path : path + '\\';
}

std::string ExcludeTrailingPathDelimiter(const std::string& path)
{
    return EndsWithPathDelimiter(path) ? path.substr(0, path.size() - 1) : path;
}

std::string ExpandFileName(const std::string& path)
{
    return PlatformText([&](char* buffer, DWORD size) { return GetFullPathNameA(path.c_str(), size, buffer, nullptr); });
}

bool DirectoryExists(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool ForceDirectories(const std::string& directory)
{
    const std::string path = ExcludeTrailingPathDelimiter(directory);
    if (path.empty())
        return false;
    // A drive ("C:") or the network prefix cannot be created; stop there.
    if (path.size() < 3 || DirectoryExists(path) || ExtractFilePath(path) == path)
        return true;
    if (!ForceDirectories(ExtractFilePath(path)))
        return false;
    // Someone else may make the same parent between the test and the call.
    return CreateDirectoryA(path.c_str(), nullptr) || DirectoryExists(path);
}

bool CreateNewDirectory(const std::string& directory)
{
    const std::string path = ExcludeTrailingPathDelimiter(directory);
    return !path.empty() && ForceDirectories(ExtractFilePath(path)) && CreateDirectoryA(path.c_str(), nullptr);
}

std::string GetCurrentDir()
{
    return PlatformText([](char* buffer, DWORD size) { return GetCurrentDirectoryA(size, buffer); });
}

bool SetCurrentDir(const std::string& directory)
{
    return SetCurrentDirectoryA(directory.c_str()) != 0;
}
