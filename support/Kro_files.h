// File-system and path functions of the support library. Every walk over a
// text steps by whole characters of the ANSI code page.
#pragma once

#include "Tk_exceptions.h"
#include "Tk_files.h"

#include <map>
#include <string>

class EFileError : public Exception {
public:
    using Exception::Exception;
};

// True when a file or directory is at the path.
bool PathExists(const std::string& path);

// True when something is at the path and it is not a directory.
bool RegularFileExists(const std::string& path);

// The long form of an existing path, the platform's own; EFileError when
// the path holds a wildcard or the platform cannot give the long form.
std::string GetLongPath(const std::string& path);

// The long forms of one run's paths, and whether its sources are regular
// files. Every component of a path is a look-up on disk, on a network share
// a round trip each, and the sources of a run mostly share their folder:
// each folder's long form is looked up once, and then only each name's own.
// Under Wine a look-up of one name may read its whole folder, so a folder
// that a second source comes from is listed, and the listing answers for
// the names it has. Listings are taken by GetLongPath, which the run asks
// before it makes or moves anything: what the run makes is in no listing,
// and what it moves it tells the cache.
class TLongPathCache {
public:
    // What the free GetLongPath gives for the path.
    std::string GetLongPath(const std::string& path);
    // What the free RegularFileExists gives for a path that GetLongPath gave.
    bool RegularFileExists(const std::string& path) const;
    // The run has moved something: from now on the file system answers.
    void Moved();

private:
    // By the folder as given; "" where it has no long form.
    std::map<std::string, std::string> FFolders;
    // By the folder's long form.
    std::map<std::string, TFolderListing> FListed;
    bool FMoved = false;
};

// True when the path holds '*' or '?'.
bool HasWildcards(const std::string& path);

// True when the path has a drive part: its second character is ':', or it
// begins with two backslashes.
bool IsAbsolutePath(const std::string& path);

// Blanks are the characters 1 to 32; NUL ends the text.
std::string TrimLeadingBlanks(const std::string& text);
std::string TrimTrailingBlanks(const std::string& text);
std::string TrimBlanks(const std::string& text);

// 1-based byte position of the first character that a file name may not
// hold (codes 1 to 31 and " * / : < > ? \ |); 0 when there is none.
size_t FindInvalidFileNameChar(const std::string& text);

// True when Windows would change or refuse the name of a directory: one
// that ends in a dot or a blank, which Windows drops, or a device name such
// as CON or COM1, alone or before an extension, which names the device.
bool IsReservedFileName(const std::string& name);
