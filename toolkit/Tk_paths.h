// Path helpers of the toolkit. Every one of them steps by whole characters of
// the ANSI code page, so a trail byte equal to '\' is never a delimiter.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The part after the last '\' or ':'; the whole path if there is none.
std::string ExtractFileName(const std::string& path);

// The part up to and including the last '\' or ':'; empty if there is none.
std::string ExtractFilePath(const std::string& path);

// The directory that holds path: the part before the last '\' or ':',
// keeping that delimiter where it follows a ':' or '\' (C:\a.txt gives C:\).
std::string ExtractFileDir(const std::string& path);

// Replaces the extension: the name is cut before its last '.', provided that
// no '\' or ':' follows it, and extension is appended.
std::string ChangeFileExt(const std::string& path, const std::string& extension);

// Appends '\' unless the last character already is one.
std::string IncludeTrailingPathDelimiter(const std::string& path);

// Drops a final '\' character.
std::string ExcludeTrailingPathDelimiter(const std::string& path);

// The absolute form of path against the current directory of its drive,
// with "." and ".." resolved. Nothing is asked of the file system. Empty when
// the platform cannot expand the path.
std::string ExpandFileName(const std::string& path);

// What the file system has at a path; pkFile is anything but a directory.
enum TPathKind { pkNothing, pkFile, pkDirectory };
TPathKind GetPathKind(const std::string& path);

// Creates the directory and every missing directory above it. True when the
// directory exists afterwards; when false, GetLastError tells why the last
// directory tried could not be made. made, when given, gets each directory
// made here, the outermost first.
bool ForceDirectories(const std::string& directory, std::vector<std::string>* made = nullptr);

enum TNewDirectory { ndCreated, ndTaken, ndFailed };

// Creates the directory with every missing parent. Unlike ForceDirectories,
// it must be made here: ndTaken when any object, file or directory, already
// has the name, ndFailed when it cannot be made for another reason, which
// GetLastError then tells: the error of the directory, or of the parent,
// that could not be made. made, when given, gets each directory made, the
// outermost first: the missing parents, then the directory.
TNewDirectory CreateNewDirectory(const std::string& directory, std::vector<std::string>* made = nullptr);

std::string GetCurrentDir();
bool SetCurrentDir(const std::string& directory);
