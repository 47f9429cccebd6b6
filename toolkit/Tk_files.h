// The one edge between the program's text and the file system. The program's
// paths are 8-bit text in its code page; every call that reaches the file
// system goes through its wide form, converted here. An absolute path that is
// too long for the plain form travels as \\?\ (\\?\UNC\ for a server path),
// which lifts the system's limit of MAX_PATH characters to 32,767; a relative
// or unnormalised path always goes as it is, since the prefix would switch
// off the system's reading of "..", "/" and trailing dots.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

// The path as the wide calls take it, ending in NUL.
std::vector<wchar_t> FileSystemPath(const std::string& path);

// The platform's full form of a path (GetFullPathNameW); "" when it cannot
// be formed or has no exact form in the program's code page.
std::string FullPathName(const std::string& path);
// The long form of an existing path (GetLongPathNameW); "" likewise.
std::string LongPathName(const std::string& path);
// LongPathName(path), given folderLongPath, the LongPathName of the folder
// that holds it (the part before its last '\'): for a full path short
// enough for the plain form, one look-up of the name alone settles most.
std::string LongPathNameIn(const std::string& folderLongPath, const std::string& path);
// The entries of one folder as one listing found them: each one's name as
// found on disk, its short name and its attributes. Under Wine a look-up of
// a single name may read the whole folder, so for many names of one folder
// the listing costs about what one look-up does. It knows only what it saw:
// what came into the folder later is not in it, so a name it lacks is asked
// of the file system; what left the folder it still shows.
class TFolderListing {
public:
    // Lists folder, the long form of a full path. A folder that cannot be
    // listed, or whose paths are too long for the plain form, gives a
    // listing that finds nothing.
    explicit TFolderListing(const std::string& folder);

    // True when the listing saw an entry that a look-up of name, or the
    // creation of something of that name, would meet: one with that name or
    // short name, in any letter case.
    bool Holds(const std::string& name) const;

private:
    friend std::string LongPathNameIn(const TFolderListing& listing, const std::string& path);
    friend DWORD FileAttributes(const TFolderListing& listing, const std::string& path);

    // The names end in NUL.
    struct TEntry {
        DWORD Attributes;
        std::vector<wchar_t> Name;
        std::vector<wchar_t> ShortName;
    };
    const TEntry* Find(const wchar_t* name) const;

    // The folder with a '\' at its end, ending in NUL.
    std::vector<wchar_t> FFolder;
    std::vector<TEntry> FEntries;
    // Each entry's place by the key of its name and by that of its short
    // name; Shared for a key that two entries share.
    std::unordered_map<std::string, size_t> FByKey;
    static constexpr size_t Shared = static_cast<size_t>(-1);
};

// LongPathNameIn(folder, path) where the listing is of folder, with the name
// found in the listing where that settles the long form as the look-up on
// disk would.
std::string LongPathNameIn(const TFolderListing& listing, const std::string& path);
// FileAttributes(path) for a path in the listed folder, from the listing
// where it has the path's name.
DWORD FileAttributes(const TFolderListing& listing, const std::string& path);
// The path as the file system compares names, which ignores letter case: two
// paths that differ only in it give the same key. A key, not a text: its
// bytes are the path's upper-cased UTF-16.
std::string FileNameKey(const std::string& path);
// The root of the volume that holds path, mount points seen (a drive's
// root, a share's, or a mounted folder); "" when it cannot be found.
std::string VolumePathName(const std::string& path);
// The keys of the folders that hold path, as FileNameKey gives them, the
// nearest first.
std::vector<std::string> FolderKeys(const std::string& path);
// INVALID_FILE_ATTRIBUTES when nothing can be found at the path.
DWORD FileAttributes(const std::string& path);
// CreateDirectoryW of the one directory; GetLastError tells why it failed.
bool CreateOneDirectory(const std::string& path);
// RemoveDirectoryW: only an empty directory goes.
bool RemoveEmptyDirectory(const std::string& path);
// A rename that replaces nothing and copies nothing (MoveFileExW without
// flags), so it stays on one volume; GetLastError tells why it failed.
bool RenameOnly(const std::string& from, const std::string& to);
// For the program's own files only: a rename that replaces the file at to,
// and a deletion.
bool RenameReplacing(const std::string& from, const std::string& to);
bool DeleteOwnFile(const std::string& path);
// What names one file-system object whatever its path: the volume's serial
// number and the object's file ID, which a rename on the volume keeps. Both
// 0 stand for an object whose identity is not known.
struct TFileIdentity {
    std::uint32_t Volume = 0;
    std::uint64_t File = 0;

    bool Known() const { return Volume != 0 || File != 0; }
    bool operator==(const TFileIdentity& other) const { return Volume == other.Volume && File == other.File; }
    bool operator!=(const TFileIdentity& other) const { return !(*this == other); }
};

// False when nothing can be opened at the path; GetLastError tells why.
bool GetFileIdentity(const std::string& path, TFileIdentity& identity);

// GetFileIdentity for many objects in a few folders, at a third of its cost
// under Wine, which asks the volume's device for its serial at every call:
// each folder's serial is asked with the first object in it, and after that
// each object's file ID alone. Only where the file ID alone gave the same as
// the whole call for that first object; elsewhere every object takes the
// whole call. For objects that are no links, which the program has just
// made: a link's target may lie on another volume than its folder.
class TIdentityReader {
public:
    bool Get(const std::string& path, TFileIdentity& identity);

private:
    struct TFolder {
        std::uint32_t Volume = 0;
        bool FileIdAlone = false;
    };
    std::unordered_map<std::wstring, TFolder> FFolders;
};
// Sets the time of the last change, in 100-nanosecond units.
bool SetLastWriteTime(const std::string& path, std::uint64_t time);
// The time of the last change of what is at the path, in 100-nanosecond
// units; false when nothing can be found there.
bool LastWriteTime(const std::string& path, std::uint64_t& time);
struct TFoundFile {
    std::string Name;
    // As the folder's listing has it, in 100-nanosecond units: for a file
    // that is open for writing, NTFS may not have brought it up to date.
    std::uint64_t LastWriteTime = 0;
};
// The entries in folder that match the pattern (wildcards as FindFirstFileW
// takes them), "." and ".." left out, from one listing.
std::vector<TFoundFile> MatchingFiles(const std::string& folder, const std::string& pattern);
// True when a process holds the file open and does not let it be deleted.
bool IsHeldOpen(const std::string& path);
// The system's message for an error code that a call left in GetLastError,
// in the user's language, as one line without its line break.
std::string SystemErrorText(DWORD code);
std::string CurrentDirectory();
// Windows cannot make a path longer than MAX_PATH the current directory
// unless long paths are switched on in the registry: false then.
bool ChangeCurrentDirectory(const std::string& directory);
// The full path of the running program.
std::string ModuleFileName();
