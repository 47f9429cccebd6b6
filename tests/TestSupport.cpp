#include "TestSupport.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cwchar>
#include <stdexcept>
#include <vector>

const std::string TrailBackslash = "\x95\x5C";
const std::string TrailBar = "\x83\x7C";

void RemoveMatching(const std::wstring& folder, const std::wstring& pattern)
{
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"\\" + pattern).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..")
            continue;
        const std::wstring child = folder + L'\\' + name;
        SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            RemoveMatching(child, L"*");
            RemoveDirectoryW(child.c_str());
        } else {
            DeleteFileW(child.c_str());
        }
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

std::wstring Wide(const std::string& text, UINT codePage)
{
    std::wstring wide(text.size() + 1, L'\0');
    wide.resize(static_cast<size_t>(MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()),
                                                        &wide[0], static_cast<int>(wide.size()))));
    return wide;
}

std::string Narrow(const std::wstring& text, UINT codePage)
{
    std::string narrow(text.size() * 4 + 1, '\0');
    narrow.resize(static_cast<size_t>(WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()),
                                                          &narrow[0], static_cast<int>(narrow.size()), nullptr, nullptr)));
    return narrow;
}

std::wstring TestPath(const std::string& path)
{
    const std::wstring wide = Wide(path);
    return wide.size() >= 240 && path[1] == ':' ? L"\\\\?\\" + wide : wide;
}

TTempDir::TTempDir()
{
    static unsigned counter = 0;
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    for (;;) {
        FPath = std::string(temp) + "tesselo-" + std::to_string(GetCurrentProcessId()) + '-' + std::to_string(++counter);
        if (CreateDirectoryA(FPath.c_str(), nullptr))
            break;
        if (GetLastError() != ERROR_ALREADY_EXISTS)
            throw std::runtime_error("cannot create a scratch directory");
    }
}

TTempDir::~TTempDir()
{
    // The directory is the one entry of its parent that its own name matches.
    const size_t cut = FPath.rfind('\\');
    RemoveMatching(L"\\\\?\\" + Wide(FPath.substr(0, cut)), Wide(FPath.substr(cut + 1)));
}

TInDirectory::TInDirectory(const std::string& path)
{
    wchar_t before[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, before);
    FBefore = before;
    EXPECT_TRUE(SetCurrentDirectoryW(Wide(path).c_str())) << path;
}

TInDirectory::~TInDirectory()
{
    SetCurrentDirectoryW(FBefore.c_str());
}

std::string ShortFormBelow(const TTempDir& dir, const std::string& path)
{
    // In the \\?\ form, so that the path may be of any length.
    std::vector<wchar_t> shortPath(32768);
    std::vector<wchar_t> shortDir(32768);
    EXPECT_NE(GetShortPathNameW((L"\\\\?\\" + Wide(path)).c_str(), shortPath.data(), 32768), 0u) << path;
    EXPECT_NE(GetShortPathNameW((L"\\\\?\\" + Wide(dir.Path())).c_str(), shortDir.data(), 32768), 0u) << dir.Path();
    return dir.Path() + Narrow(shortPath.data() + std::wcslen(shortDir.data()));
}

void WriteFileText(const std::string& path, const std::string& content)
{
    WriteFileText(TestPath(path), content);
}

void WriteFileText(const std::wstring& path, const std::string& content)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << Narrow(path);
    DWORD written = 0;
    ::WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    CloseHandle(file);
    ASSERT_EQ(written, content.size()) << Narrow(path);
}

std::string ReadFileText(const std::string& path)
{
    HANDLE file = CreateFileW(TestPath(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        throw std::runtime_error("cannot open " + path);
    std::string content;
    char buffer[65536];
    DWORD read = 0;
    while (::ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0)
        content.append(buffer, read);
    CloseHandle(file);
    return content;
}

void MakeDirectory(const std::string& path)
{
    ASSERT_TRUE(CreateDirectoryW(TestPath(path).c_str(), nullptr)) << path;
}

bool IsDirectory(const std::string& path)
{
    const DWORD attributes = GetFileAttributesW(TestPath(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string RandomText(std::mt19937& random, int maxLength)
{
    static const char* const pieces[] = {" ", "\t", "\"", "\"\"", "a", "Z", "(", ")", "=", "[", "]", ";", "\\", "\xB1", "\xFF"};
    static const std::string doubleBytes[] = {TrailBackslash, TrailBar, "\x81\x40", "\x88\xA0", "\xEA\xA2"};
    std::string text;
    const int length = std::uniform_int_distribution<int>(0, maxLength)(random);
    for (int i = 0; i < length; ++i) {
        if (IsDoubleByteCodePage() && random() % 3 == 0)
            text += doubleBytes[random() % std::size(doubleBytes)];
        else
            text += pieces[random() % std::size(pieces)];
    }
    return text;
}

bool IsDoubleByteCodePage()
{
    return GetACP() == 932;
}
