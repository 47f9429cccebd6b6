#include "Tk_textfiles.h"

#include "Tk_exceptions.h"
#include "Tk_files.h"
#include "Tk_format.h"
#include "Tk_handles.h"
#include "Tk_paths.h"
#include "Tk_strings.h"

#include <windows.h>

#include <algorithm>
#include <vector>

namespace {

[[noreturn]] void RaiseReadError(const std::string& fileName)
{
    throw EInOutError(Format("The program could not read the file \"%s\".", fileName));
}

[[noreturn]] void RaiseWriteError(const std::string& fileName)
{
    throw EInOutError(Format("The program could not write the file \"%s\".", fileName));
}

// The new file keeps what the user set on the old one (no attributes: there
// was none), hidden for one.
bool KeepAttributes(const wchar_t* fileName, DWORD attributes)
{
    const DWORD kept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE
        | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
    return attributes == INVALID_FILE_ATTRIBUTES || SetFileAttributesW(fileName, attributes & kept);
}

// The complete temporary file takes the old file's place. ReplaceFileW keeps
// what a rename would drop: the old file's security descriptor, creation
// time and streams. Where it cannot be used (no old file, a file system
// without it), a rename over the old file does the same in one step.
bool PutInPlace(const wchar_t* temporary, const wchar_t* fileName, DWORD attributes)
{
    // Only a regular file is replaced: Wine would put a directory aside.
    const bool regular = attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
    if (regular && ReplaceFileW(fileName, temporary, nullptr, 0, nullptr, nullptr))
        return true;
    return MoveFileExW(temporary, fileName, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool WriteAll(HANDLE file, const std::string& content)
{
    size_t written = 0;
    while (written < content.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(content.size() - written, 1 << 20));
        DWORD done = 0;
        if (!WriteFile(file, content.data() + written, chunk, &done, nullptr) || done == 0)
            return false;
        written += done;
    }
    return true;
}

}

bool ReadFileBytes(const std::string& fileName, std::string& content)
{
    TFileHandle file(CreateFileW(FileSystemPath(fileName).data(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                 nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
            return false;
        RaiseReadError(fileName);
    }
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file.Get(), &size) || static_cast<unsigned long long>(size.QuadPart) >= content.max_size())
        RaiseReadError(fileName);
    content.assign(static_cast<size_t>(size.QuadPart), '\0');
    size_t done = 0;
    while (done < content.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(content.size() - done, 1 << 20));
        DWORD read = 0;
        if (!ReadFile(file.Get(), &content[done], chunk, &read, nullptr))
            RaiseReadError(fileName);
        if (read == 0)
            break;
        done += read;
    }
    content.resize(done);
    return true;
}

bool ReadTextFile(const std::string& fileName, std::string& text)
{
    std::string content;
    if (!ReadFileBytes(fileName, content))
        return false;
    switch (FileTextToAnsi(content, text)) {
    case ftText:
        return true;
    case ftNotText:
        throw EInOutError(Format(
            "The program cannot read the file \"%s\" because it is not text in the system's code page, UTF-8 or UTF-16.",
            fileName));
    default:
        throw EInOutError(Format(
            "The program cannot read the file \"%s\" because it holds characters that the system's code page lacks.",
            fileName));
    }
}

// A new, empty file beside the one to replace, made here rather than by
// GetTempFileNameW, which stops at MAX_PATH. Its name (without the NUL) goes
// to name.
HANDLE CreateTemporaryFile(const std::string& fileName, std::vector<wchar_t>& name)
{
    const std::string directory = ExtractFilePath(fileName);
    const DWORD seed = GetTickCount() ^ (GetCurrentProcessId() << 16);
    for (DWORD attempt = 0; attempt < 100; ++attempt) {
        name = FileSystemPath(directory + Format("tss%04X.tmp", (seed + attempt) & 0xFFFF));
        HANDLE file = CreateFileW(name.data(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS)
            return file;
    }
    return INVALID_HANDLE_VALUE;
}

void ReplaceTextFile(const std::string& fileName, const std::string& content)
{
    const std::vector<wchar_t> wideName = FileSystemPath(fileName);
    // Replacing would succeed on some file systems; the user's read-only flag
    // says no on all of them.
    const DWORD attributes = GetFileAttributesW(wideName.data());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        RaiseWriteError(fileName);

    std::vector<wchar_t> name;
    TFileHandle file(CreateTemporaryFile(fileName, name));
    if (!file.Valid())
        RaiseWriteError(fileName);
    const wchar_t* temporary = name.data();
    const bool written = WriteAll(file.Get(), content) && FlushFileBuffers(file.Get());
    // Only a complete temporary file may take the place of the old one.
    if (!file.Close() || !written || !KeepAttributes(temporary, attributes) || !PutInPlace(temporary, wideName.data(), attributes)) {
        // Where the replacement failed halfway, the old file may be gone from
        // its name: then the new text stays in the temporary file.
        if (attributes == INVALID_FILE_ATTRIBUTES || GetFileAttributesW(wideName.data()) != INVALID_FILE_ATTRIBUTES)
            DeleteFileW(temporary);
        RaiseWriteError(fileName);
    }
}

TTextLog::TTextLog(const std::string& fileName)
    : FFileName(fileName),
      FFile(CreateFileW(FileSystemPath(fileName).data(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                        FILE_ATTRIBUTE_NORMAL, nullptr))
{
    if (!FFile.Valid())
        RaiseWriteError(fileName);
}

void TTextLog::Append(const std::string& line)
{
    // Written straight through to the system, which keeps it when the
    // process ends: no buffer of ours can be lost.
    if (!FFile.Valid() || !WriteAll(FFile.Get(), line + "\r\n"))
        RaiseWriteError(FFileName);
}

void TTextLog::Close()
{
    if (!FFile.Close())
        RaiseWriteError(FFileName);
}
