#include "Tk_textfiles.h"

#include "Tk_exceptions.h"
#include "Tk_format.h"
#include "Tk_paths.h"
#include "Tk_strings.h"

#include <windows.h>

#include <algorithm>

namespace {

class TFileHandle {
public:
    explicit TFileHandle(HANDLE handle) : FHandle(handle) {}
    ~TFileHandle() { Close(); }
    TFileHandle(const TFileHandle&) = delete;
    TFileHandle& operator=(const TFileHandle&) = delete;

    bool Valid() const { return FHandle != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return FHandle; }
    bool Close()
    {
        if (!Valid())
            return true;
        const bool closed = CloseHandle(FHandle) != 0;
        FHandle = INVALID_HANDLE_VALUE;
        return closed;
    }

private:
    HANDLE FHandle;
};

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
bool KeepAttributes(const char* fileName, DWORD attributes)
{
    const DWORD kept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE
        | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
    return attributes == INVALID_FILE_ATTRIBUTES || SetFileAttributesA(fileName, attributes & kept);
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

bool ReadTextFile(const std::string& fileName, std::string& content)
{
    TFileHandle file(CreateFileA(fileName.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
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

void ReplaceTextFile(const std::string& fileName, const std::string& content)
{
    // Replacing would succeed on some file systems; the user's read-only flag
    // says no on all of them.
    const DWORD attributes = GetFileAttributesA(fileName.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        RaiseWriteError(fileName);

    std::string directory = ExtractFilePath(fileName);
    if (directory.empty())
        directory = ".";
    // In Unicode, whose limit is MAX_PATH characters, not bytes.
    wchar_t wideTemporary[MAX_PATH];
    if (!GetTempFileNameW(AnsiToWide(directory).data(), L"tss", 0, wideTemporary))
        RaiseWriteError(fileName);
    const std::string name = WideToAnsi(wideTemporary);
    const char* temporary = name.c_str();

    TFileHandle file(CreateFileA(temporary, GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    const bool written = file.Valid() && WriteAll(file.Get(), content) && FlushFileBuffers(file.Get());
    // Only a complete temporary file may take the place of the old one.
    if (!file.Close() || !written || !KeepAttributes(temporary, attributes)
        || !MoveFileExA(temporary, fileName.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileA(temporary);
        RaiseWriteError(fileName);
    }
}
