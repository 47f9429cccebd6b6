// What the tests share: scratch directories and files, text in Unicode,
// and the double-byte characters that catch byte-wise walks.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <random>
#include <string>

// A fresh directory under the temporary folder; it and everything the test
// put into it go when the object goes.
class TTempDir {
public:
    TTempDir();
    ~TTempDir();
    TTempDir(const TTempDir&) = delete;
    TTempDir& operator=(const TTempDir&) = delete;

    // The directory, without a trailing backslash.
    const std::string& Path() const { return FPath; }
    // Path() + "\" + name.
    std::string operator/(const std::string& name) const { return FPath + '\\' + name; }

private:
    std::string FPath;
};

// Removes what in folder matches the pattern (wildcards as FindFirstFile
// takes them), with everything it holds, read-only or not. Give a folder in
// the \\?\ form to reach paths of any length.
void RemoveMatching(const std::wstring& folder, const std::wstring& pattern);

// Makes a directory the current one, and the one before current again when
// the object goes (before a scratch directory made earlier goes).
class TInDirectory {
public:
    explicit TInDirectory(const std::string& path);
    ~TInDirectory();
    TInDirectory(const TInDirectory&) = delete;
    TInDirectory& operator=(const TInDirectory&) = delete;

private:
    std::wstring FBefore;
};

// The path, of any length, with the names below dir in their short form. Wine finds a short
// name by reading the whole folder, and the shared Temp folder above dir
// changes while other tests run beside this one.
std::string ShortFormBelow(const TTempDir& dir, const std::string& path);

// The clipboard's text in a format, CF_TEXT (char) or CF_UNICODETEXT (wchar_t).
template <class TChar>
std::basic_string<TChar> ClipboardData(UINT format)
{
    std::basic_string<TChar> text;
    if (!OpenClipboard(nullptr))
        return text;
    if (HANDLE data = GetClipboardData(format)) {
        if (const TChar* locked = static_cast<const TChar*>(GlobalLock(data))) {
            text = locked;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

// The message of the exception of class E (or one derived) that action
// throws; "" and a failure when it throws none.
template <class E, class TAction>
std::string ThrownMessage(TAction action)
{
    try {
        action();
    } catch (const E& e) {
        return e.Message();
    }
    ADD_FAILURE() << "nothing was thrown";
    return std::string();
}

// Text between our code page (or another) and Unicode.
std::wstring Wide(const std::string& text, UINT codePage = CP_ACP);
std::string Narrow(const std::wstring& text, UINT codePage = CP_ACP);

void WriteFileText(const std::string& path, const std::string& content);
void WriteFileText(const std::wstring& path, const std::string& content);
std::string ReadFileText(const std::string& path);
// The path in Unicode, in the \\?\ form when it is absolute and long, so that
// the tests can make, read and remove paths of any length.
std::wstring TestPath(const std::string& path);

void MakeDirectory(const std::string& path);
bool IsDirectory(const std::string& path);

// True under code page 932, where the double-byte cases are meaningful.
bool IsDoubleByteCodePage();

// Code page 932's 0x95 0x5C: a character whose trail byte is a backslash.
extern const std::string TrailBackslash;
// Code page 932's 0x83 0x7C: a character whose trail byte is '|'.
extern const std::string TrailBar;

// A text of up to maxLength characters for round-trip tests: blanks at any
// place, quotes, brackets, high bytes and, under code page 932, double-byte
// characters (never a lone lead byte, a NUL or a line break).
std::string RandomText(std::mt19937& random, int maxLength);

// Skips the test unless the code page is 932.
#define REQUIRE_DOUBLE_BYTE_CODE_PAGE()                                   \
    do {                                                                  \
        if (!IsDoubleByteCodePage())                                      \
            GTEST_SKIP() << "needs the double-byte code page 932";        \
    } while (0)
