#include "Tk_files.h"

#include "Tk_format.h"
#include "Tk_handles.h"
#include "Tk_strings.h"

#include <winternl.h>

#include <cstring>
#include <cwchar>

namespace {

// CreateDirectoryW's plain limit; the other calls take 12 more.
const size_t PlainLimit = MAX_PATH - 12;

bool IsSeparator(wchar_t c)
{
    return c == L'\\';
}

// An absolute path in the form the system would make of it anyway: drive
// or server first, no "/", no empty, "." or ".." component, no component
// ending in a dot or a blank, which the plain form would drop.
bool IsNormalisedAbsolute(const std::vector<wchar_t>& path, size_t length)
{
    size_t start;
    if (length >= 3 && path[1] == L':' && IsSeparator(path[2]))
        start = 3;
    else if (length >= 3 && IsSeparator(path[0]) && IsSeparator(path[1]) && path[2] != L'?' && path[2] != L'.')
        start = 2;
    else
        return false;
    for (size_t i = start; i <= length; ++i) {
        if (path[i] == L'/')
            return false;
        if (i < length && !IsSeparator(path[i]))
            continue;
        const size_t size = i - start;
        const wchar_t last = size ? path[i - 1] : L'\0';
        if (size == 0 ? i < length : (last == L'.' || last == L' '))
            return false;
        start = i + 1;
    }
    return true;
}

// The program's text of a path that a wide call gave, without the prefix
// that a long path came back with.
std::string ProgramText(const wchar_t* path)
{
    const wchar_t* start = path;
    std::vector<wchar_t> server;
    if (std::wcsncmp(path, L"\\\\?\\UNC\\", 8) == 0) {
        server.assign(path + 6, path + std::wcslen(path) + 1);
        server[0] = L'\\';
        start = server.data();
    } else if (std::wcsncmp(path, L"\\\\?\\", 4) == 0) {
        start = path + 4;
    }
    std::string result;
    return WideToAnsi(start, result) ? result : std::string();
}

// FileNameKey of the first length characters of a wide text.
std::string WideNameKey(const wchar_t* text, size_t length)
{
    // The invariant upper case, without any locale's linguistic rules, as
    // file systems fold names (LCMapStringEx, "Handling Sorting in Your
    // Applications").
    const int size = static_cast<int>(length);
    std::vector<wchar_t> upper(length + 1);
    const wchar_t* key = text;
    if (size > 0
        && LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, text, size, upper.data(), size, nullptr, nullptr, 0)
            == size)
        key = upper.data();
    return std::string(reinterpret_cast<const char*>(key), length * sizeof(wchar_t));
}

std::string WideNameKey(const wchar_t* text)
{
    return WideNameKey(text, std::wcslen(text));
}

// The name of a path whose long form one look-up of that name below its
// folder's long form may settle: a drive path short enough for the plain
// form, in normalised form, with no stream or other ':' after the drive, and
// a name without wildcards. nullptr for any other path.
const wchar_t* NameToLookUp(const std::vector<wchar_t>& wide)
{
    const size_t length = wide.size() - 1;
    if (length >= PlainLimit || !IsNormalisedAbsolute(wide, length) || wide[1] != L':'
        || std::wcschr(wide.data() + 2, L':'))
        return nullptr;
    const wchar_t* name = std::wcsrchr(wide.data(), L'\\') + 1;
    return *name && !std::wcspbrk(name, L"*?") ? name : nullptr;
}

// The entry's name on disk where the look-up of name that found it settles
// the long form: the name exactly as found, or its short name in any letter
// case. nullptr otherwise.
const wchar_t* SettledName(const wchar_t* name, const wchar_t* found, const wchar_t* shortName)
{
    if (std::wcscmp(name, found) == 0
        || (shortName[0] && CompareStringOrdinal(name, -1, shortName, -1, TRUE) == CSTR_EQUAL))
        return found;
    return nullptr;
}

// The text of a wide call that returns its length, or the size it needs,
// NUL included, when the buffer is too small, or 0 on failure.
template <class Get>
std::string WideCallText(Get get)
{
    std::vector<wchar_t> buffer(MAX_PATH);
    DWORD length = get(buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length >= buffer.size()) {
        buffer.assign(length, L'\0');
        length = get(buffer.data(), static_cast<DWORD>(buffer.size()));
        // Grown again in the meantime: give up rather than chase it.
        if (length >= buffer.size())
            length = 0;
    }
    if (length == 0)
        return std::string();
    buffer.resize(length);
    buffer.push_back(L'\0');
    return ProgramText(buffer.data());
}

}

std::vector<wchar_t> FileSystemPath(const std::string& path)
{
    std::vector<wchar_t> wide = AnsiToWide(path);
    const size_t length = wide.size() - 1;
    if (length < PlainLimit || !IsNormalisedAbsolute(wide, length))
        return wide;
    if (wide[1] == L':') {
        wide.insert(wide.begin(), {L'\\', L'\\', L'?', L'\\'});
    } else {
        wide.erase(wide.begin(), wide.begin() + 2);
        wide.insert(wide.begin(), {L'\\', L'\\', L'?', L'\\', L'U', L'N', L'C', L'\\'});
    }
    return wide;
}

std::string FullPathName(const std::string& path)
{
    // A string operation without the plain form's limit; the path may be
    // relative, so it goes as it is.
    const std::vector<wchar_t> wide = AnsiToWide(path);
    return WideCallText([&](wchar_t* buffer, DWORD size) { return GetFullPathNameW(wide.data(), size, buffer, nullptr); });
}

std::string LongPathName(const std::string& path)
{
    const std::vector<wchar_t> wide = FileSystemPath(path);
    const std::string longPath =
        WideCallText([&](wchar_t* buffer, DWORD size) { return GetLongPathNameW(wide.data(), buffer, size); });
    // Wine gives a path that begins with two backslashes back as it is, the
    // \\?\ form included, whether anything is there or not; Windows looks
    // every component up. Only a long path pays for the second question.
    if (!longPath.empty() && wide[0] == L'\\' && path[0] != '\\'
        && GetFileAttributesW(wide.data()) == INVALID_FILE_ATTRIBUTES)
        return std::string();
    return longPath;
}

std::string FileNameKey(const std::string& path)
{
    const std::vector<wchar_t> wide = AnsiToWide(path);
    return WideNameKey(wide.data(), wide.size() - 1);
}

std::vector<std::string> FolderKeys(const std::string& path)
{
    const std::vector<wchar_t> wide = AnsiToWide(path);
    const std::string key = WideNameKey(wide.data(), wide.size() - 1);
    std::vector<std::string> keys;
    // A '\' is one UTF-16 unit of its own, in the path and in its key.
    for (size_t i = wide.size() - 1; i-- > 1;) {
        if (wide[i] == L'\\')
            keys.push_back(key.substr(0, i * sizeof(wchar_t)));
    }
    return keys;
}

namespace {

// A name's long path below its folder's long form, as it is put together.
struct TLongPathBelow {
    // The path as given, and its name in it.
    std::vector<wchar_t> Wide;
    const wchar_t* Name = nullptr;
    // The folder's long form, '\', and the name as given.
    std::vector<wchar_t> LongPath;
    size_t NameStart = 0;
};

// GetLongPathNameW looks each component up below the long form of the ones
// before it, on Windows as under Wine: a legal 8.3 name becomes the name
// found on disk, any other stays as given, letter case included. Windows
// does not document which names it counts as 8.3, so only the cases where
// that does not matter are settled below: the name exactly as found, and a
// short name (SettledName). The rest, a missing name among them, takes the
// whole call, and so does a path whose given or long form is too long for
// the plain form: Wine gives a \\?\ path back as it is where Windows looks
// it up, and Windows' own look-ups may meet MAX_PATH.
bool StartLongPathBelow(const std::vector<wchar_t>& folderLongPath, const std::string& path, TLongPathBelow& below)
{
    below.Wide = AnsiToWide(path);
    below.Name = NameToLookUp(below.Wide);
    below.LongPath = folderLongPath;
    below.LongPath.pop_back();
    if (below.LongPath.empty() || !below.Name)
        return false;
    if (below.LongPath.back() != L'\\')
        below.LongPath.push_back(L'\\');
    below.NameStart = below.LongPath.size();
    const wchar_t* end = below.Wide.data() + below.Wide.size();
    below.LongPath.insert(below.LongPath.end(), below.Name, end);
    return below.LongPath.size() <= PlainLimit;
}

// The long path with the name found, or the whole call's where none was.
std::string FinishLongPathBelow(TLongPathBelow& below, const wchar_t* found, const std::string& path)
{
    if (!found)
        return LongPathName(path);
    below.LongPath.resize(below.NameStart);
    below.LongPath.insert(below.LongPath.end(), found, found + std::wcslen(found) + 1);
    return ProgramText(below.LongPath.data());
}

}

std::string LongPathNameIn(const std::string& folderLongPath, const std::string& path)
{
    TLongPathBelow below;
    if (!StartLongPathBelow(AnsiToWide(folderLongPath), path, below))
        return LongPathName(path);
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW(below.LongPath.data(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return LongPathName(path);
    FindClose(search);
    return FinishLongPathBelow(below, SettledName(below.Name, found.cFileName, found.cAlternateFileName), path);
}

TFolderListing::TFolderListing(const std::string& folder) : FFolder(AnsiToWide(folder))
{
    FFolder.pop_back();
    if (FFolder.empty() || FFolder.back() != L'\\')
        FFolder.push_back(L'\\');
    FFolder.push_back(L'\0');
    // No path of a name in it would be short enough for the plain form.
    if (FFolder.size() + 1 > PlainLimit)
        return;
    std::vector<wchar_t> pattern = FFolder;
    pattern.back() = L'*';
    pattern.push_back(L'\0');
    // The standard level for the short names; large fetches, since every
    // entry is wanted.
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileExW(pattern.data(), FindExInfoStandard, &found, FindExSearchNameMatch, nullptr,
                                           FIND_FIRST_EX_LARGE_FETCH);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        if (std::wcscmp(found.cFileName, L".") == 0 || std::wcscmp(found.cFileName, L"..") == 0)
            continue;
        const size_t place = FEntries.size();
        const auto withNul = [](const wchar_t* name) { return std::vector<wchar_t>(name, name + std::wcslen(name) + 1); };
        FEntries.push_back({found.dwFileAttributes, withNul(found.cFileName), withNul(found.cAlternateFileName)});
        for (const wchar_t* name : {found.cFileName, found.cAlternateFileName}) {
            if (!*name)
                continue;
            // A short name may have the same key as its own long name.
            const auto added = FByKey.emplace(WideNameKey(name), place);
            if (!added.second && added.first->second != place)
                added.first->second = Shared;
        }
    } while (FindNextFileW(search, &found));
    const DWORD error = GetLastError();
    FindClose(search);
    // A listing cut short might lack the other entry that a name matches.
    if (error != ERROR_NO_MORE_FILES)
        FByKey.clear();
}

// The entry that a look-up of name on disk, which matches names and short
// names in any letter case, would find, where the listing has only one such
// entry and it settles the long form.
const TFolderListing::TEntry* TFolderListing::Find(const wchar_t* name) const
{
    const auto found = FByKey.find(WideNameKey(name));
    if (found == FByKey.end() || found->second == Shared)
        return nullptr;
    const TEntry& entry = FEntries[found->second];
    return SettledName(name, entry.Name.data(), entry.ShortName.data()) ? &entry : nullptr;
}

bool TFolderListing::Holds(const std::string& name) const
{
    return FByKey.count(FileNameKey(name)) > 0;
}

std::string LongPathNameIn(const TFolderListing& listing, const std::string& path)
{
    TLongPathBelow below;
    const TFolderListing::TEntry* entry = nullptr;
    if (StartLongPathBelow(listing.FFolder, path, below))
        entry = listing.Find(below.Name);
    return FinishLongPathBelow(below, entry ? entry->Name.data() : nullptr, path);
}

DWORD FileAttributes(const TFolderListing& listing, const std::string& path)
{
    const std::vector<wchar_t> wide = AnsiToWide(path);
    const wchar_t* name = NameToLookUp(wide);
    const size_t folderLength = listing.FFolder.size() - 1;
    if (name && static_cast<size_t>(name - wide.data()) == folderLength
        && std::wmemcmp(wide.data(), listing.FFolder.data(), folderLength) == 0) {
        if (const TFolderListing::TEntry* entry = listing.Find(name))
            return entry->Attributes;
    }
    return FileAttributes(path);
}

DWORD FileAttributes(const std::string& path)
{
    return GetFileAttributesW(FileSystemPath(path).data());
}

bool CreateOneDirectory(const std::string& path)
{
    return CreateDirectoryW(FileSystemPath(path).data(), nullptr) != 0;
}

bool RemoveEmptyDirectory(const std::string& path)
{
    return RemoveDirectoryW(FileSystemPath(path).data()) != 0;
}

bool RenameOnly(const std::string& from, const std::string& to)
{
    return MoveFileExW(FileSystemPath(from).data(), FileSystemPath(to).data(), 0) != 0;
}

bool RenameReplacing(const std::string& from, const std::string& to)
{
    return MoveFileExW(FileSystemPath(from).data(), FileSystemPath(to).data(), MOVEFILE_REPLACE_EXISTING) != 0;
}

bool DeleteOwnFile(const std::string& path)
{
    return DeleteFileW(FileSystemPath(path).data()) != 0;
}

bool LastWriteTime(const std::string& path, std::uint64_t& time)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(FileSystemPath(path).data(), GetFileExInfoStandard, &data))
        return false;
    time = static_cast<std::uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32 | data.ftLastWriteTime.dwLowDateTime;
    return true;
}

namespace {

HANDLE OpenForIdentity(const std::vector<wchar_t>& path)
{
    // No access asked, only the object's information; backup semantics let
    // a directory be opened too.
    return CreateFileW(path.data(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                       FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

bool WholeIdentity(HANDLE file, TFileIdentity& identity)
{
    BY_HANDLE_FILE_INFORMATION information;
    if (!GetFileInformationByHandle(file, &information))
        return false;
    identity.Volume = information.dwVolumeSerialNumber;
    identity.File = static_cast<std::uint64_t>(information.nFileIndexHigh) << 32 | information.nFileIndexLow;
    return true;
}

// The file ID alone: NtQueryInformationFile with FileInternalInformation,
// which needs no access right ("FILE_INTERNAL_INFORMATION structure", the
// driver kit's reference). Win32 has no call for it without the volume.
bool FileIdAlone(HANDLE file, std::uint64_t& id)
{
    using TQuery = LONG(WINAPI*)(HANDLE, IO_STATUS_BLOCK*, void*, ULONG, int);
    const int FileInternalInformation = 6;
    static const TQuery query = reinterpret_cast<TQuery>(
        reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationFile")));
    IO_STATUS_BLOCK status;
    LARGE_INTEGER index;
    if (!query || query(file, &status, &index, sizeof index, FileInternalInformation) < 0)
        return false;
    id = static_cast<std::uint64_t>(index.QuadPart);
    return true;
}

}

bool GetFileIdentity(const std::string& path, TFileIdentity& identity)
{
    const TFileHandle file(OpenForIdentity(FileSystemPath(path)));
    return file.Valid() && WholeIdentity(file.Get(), identity);
}

bool TIdentityReader::Get(const std::string& path, TFileIdentity& identity)
{
    const std::vector<wchar_t> wide = FileSystemPath(path);
    const TFileHandle file(OpenForIdentity(wide));
    if (!file.Valid())
        return false;
    // The folder as the system is given it; another spelling of the same
    // folder only asks its serial once more.
    const wchar_t* const lastDelimiter = std::wcsrchr(wide.data(), L'\\');
    const std::wstring folder(wide.data(), lastDelimiter ? lastDelimiter - wide.data() : 0);
    const auto known = FFolders.find(folder);
    std::uint64_t id = 0;
    if (known != FFolders.end() && known->second.FileIdAlone && FileIdAlone(file.Get(), id)) {
        identity.Volume = known->second.Volume;
        identity.File = id;
        return true;
    }
    if (!WholeIdentity(file.Get(), identity))
        return false;
    if (known == FFolders.end())
        FFolders[folder] = TFolder{identity.Volume, FileIdAlone(file.Get(), id) && id == identity.File};
    return true;
}

bool SetLastWriteTime(const std::string& path, std::uint64_t time)
{
    TFileHandle file(CreateFileW(FileSystemPath(path).data(), FILE_WRITE_ATTRIBUTES,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                 FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    const FILETIME written = {static_cast<DWORD>(time), static_cast<DWORD>(time >> 32)};
    return file.Valid() && SetFileTime(file.Get(), nullptr, nullptr, &written);
}

std::string VolumePathName(const std::string& path)
{
    const std::vector<wchar_t> wide = FileSystemPath(path);
    std::vector<wchar_t> root(wide.size() + 1);
    if (!GetVolumePathNameW(wide.data(), root.data(), static_cast<DWORD>(root.size())))
        return std::string();
    // The same volume gives the same text, given in the long form or not.
    return ProgramText(root.data());
}

std::vector<TFoundFile> MatchingFiles(const std::string& folder, const std::string& pattern)
{
    std::vector<TFoundFile> files;
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileExW(FileSystemPath(folder + "\\" + pattern).data(), FindExInfoBasic, &found,
                                           FindExSearchNameMatch, nullptr, 0);
    if (search == INVALID_HANDLE_VALUE)
        return files;
    do {
        TFoundFile file;
        if (std::wcscmp(found.cFileName, L".") != 0 && std::wcscmp(found.cFileName, L"..") != 0
            && WideToAnsi(found.cFileName, file.Name)) {
            file.LastWriteTime = static_cast<std::uint64_t>(found.ftLastWriteTime.dwHighDateTime) << 32
                | found.ftLastWriteTime.dwLowDateTime;
            files.push_back(file);
        }
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return files;
}

bool IsHeldOpen(const std::string& path)
{
    const HANDLE file = CreateFileW(FileSystemPath(path).data(), DELETE,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, 0,
                                    nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return GetLastError() == ERROR_SHARING_VIOLATION;
    CloseHandle(file);
    return false;
}

std::string SystemErrorText(DWORD code)
{
    wchar_t* buffer = nullptr;
    const DWORD flags = FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS;
    DWORD length = FormatMessageW(flags, nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    const TOwnedLocal owner(buffer);
    // Windows ends its messages in CR LF, Wine in CR CR LF.
    while (length > 0 && (buffer[length - 1] == L'\r' || buffer[length - 1] == L'\n'))
        --length;
    if (length == 0)
        return Format("The system has no message for the error %lu.", code);
    buffer[length] = L'\0';
    // A character that the code page lacks becomes "?": the text is only shown.
    std::string text;
    WideToAnsi(buffer, text);
    return text;
}

std::string CurrentDirectory()
{
    return WideCallText([](wchar_t* buffer, DWORD size) { return GetCurrentDirectoryW(size, buffer); });
}

bool ChangeCurrentDirectory(const std::string& directory)
{
    return SetCurrentDirectoryW(AnsiToWide(directory).data()) != 0;
}

std::string ModuleFileName()
{
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0)
            return std::string();
        if (length < buffer.size())
            return ProgramText(buffer.data());
        buffer.resize(buffer.size() * 2);
    }
}
