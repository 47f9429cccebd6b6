#include "Tk_paths.h"

#include "Tk_files.h"
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
    return FullPathName(path);
}

TPathKind GetPathKind(const std::string& path)
{
    const DWORD attributes = FileAttributes(path);
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return pkNothing;
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? pkDirectory : pkFile;
}

namespace {

// Creates the one directory and, when made is given, adds it there.
bool CreateMadeDirectory(const std::string& path, std::vector<std::string>* made)
{
    if (!CreateOneDirectory(path))
        return false;
    if (made)
        made->push_back(path);
    return true;
}

}

// The creation comes first and the attributes are asked only when it fails:
// on a name that is not there yet the file system's lookup is the costly
// part, and the creation's own failure mostly says what a test would.
bool ForceDirectories(const std::string& directory, std::vector<std::string>* made)
{
    const std::string path = ExcludeTrailingPathDelimiter(directory);
    if (path.empty())
        return false;
    // A drive ("C:") or the network prefix cannot be created; stop there.
    if ((path.size() == 2 && path[1] == ':') || ExtractFilePath(path) == path)
        return true;
    if (CreateMadeDirectory(path, made))
        return true;
    if (GetLastError() != ERROR_PATH_NOT_FOUND && GetPathKind(path) == pkDirectory)
        return true;
    if (!ForceDirectories(ExtractFilePath(path), made))
        return false;
    if (CreateMadeDirectory(path, made))
        return true;
    // Someone else may make the same directory between the two calls. The
    // attributes' question must not take the creation's error from the caller.
    const DWORD error = GetLastError();
    if (GetPathKind(path) == pkDirectory)
        return true;
    SetLastError(error);
    return false;
}

TNewDirectory CreateNewDirectory(const std::string& directory, std::vector<std::string>* made)
{
    if (CreateOneDirectory(directory)) {
        // Wine reports a directory named NUL (or NUL.txt) as made and makes
        // nothing: the device has the name.
        if (GetPathKind(directory) != pkDirectory)
            return ndTaken;
        if (made)
            made->push_back(directory);
        return ndCreated;
    }
    const DWORD error = GetLastError();
    // With a trailing delimiter the refusal may come from a regular file of
    // that name, which holds no directory either.
    if (error == ERROR_ALREADY_EXISTS && !EndsWithPathDelimiter(directory))
        return ndTaken;
    // A drive root refuses with another error although it is there. Missing
    // parents leave nothing at the path, and no question to ask.
    if (error != ERROR_PATH_NOT_FOUND && GetPathKind(directory) != pkNothing)
        return ndTaken;
    const std::string path = ExcludeTrailingPathDelimiter(directory);
    if (!ForceDirectories(ExtractFilePath(path), made) || !CreateMadeDirectory(path, made))
        return ndFailed;
    return ndCreated;
}

std::string GetCurrentDir()
{
    return CurrentDirectory();
}

bool SetCurrentDir(const std::string& directory)
{
    return ChangeCurrentDirectory(directory);
}
