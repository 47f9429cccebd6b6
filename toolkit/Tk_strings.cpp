#include "Tk_strings.h"

#include <windows.h>

#include <climits>
#include <cstring>

std::string TrimNulAndBlanks(const std::string& text)
{
    size_t first = 0;
    size_t last = text.size();
    while (first < last && static_cast<unsigned char>(text[first]) <= ' ')
        ++first;
    while (last > first && static_cast<unsigned char>(text[last - 1]) <= ' ')
        --last;
    return text.substr(first, last - first);
}

namespace {

// Exactly length bytes, NUL bytes included, and no NUL added.
std::vector<wchar_t> ToWide(UINT codePage, const char* text, size_t length)
{
    std::vector<wchar_t> wide(length);
    if (length > 0)
        wide.resize(static_cast<size_t>(
            MultiByteToWideChar(codePage, 0, text, static_cast<int>(length), wide.data(), static_cast<int>(length))));
    return wide;
}

std::string FromWide(UINT codePage, const wchar_t* text, size_t length)
{
    std::string narrow(length * 3, '\0');
    if (length > 0)
        narrow.resize(static_cast<size_t>(WideCharToMultiByte(codePage, 0, text, static_cast<int>(length), &narrow[0],
                                                              static_cast<int>(narrow.size()), nullptr, nullptr)));
    return narrow;
}

bool IsUtf8CodePage()
{
    return GetACP() == CP_UTF8;
}

}

std::string AnsiUpperCase(const std::string& text)
{
    // CharUpperBuffA knows single and double bytes only; UTF-8 goes wide.
    if (IsUtf8CodePage()) {
        std::vector<wchar_t> wide = ToWide(CP_UTF8, text.data(), text.size());
        if (!wide.empty())
            CharUpperBuffW(wide.data(), static_cast<DWORD>(wide.size()));
        return FromWide(CP_UTF8, wide.data(), wide.size());
    }
    std::string result = text;
    if (!result.empty())
        CharUpperBuffA(&result[0], static_cast<DWORD>(result.size()));
    return result;
}

int AnsiCompareStr(const std::string& a, const std::string& b)
{
    // CompareStringA would decode with the user locale's code page, which
    // need not be the ANSI one. A failed comparison counts as equal, so that
    // sorting stays well defined.
    const std::vector<wchar_t> wideA = AnsiToWide(a);
    const std::vector<wchar_t> wideB = AnsiToWide(b);
    const int result = CompareStringW(LOCALE_USER_DEFAULT, 0, wideA.data(), -1, wideB.data(), -1);
    return result == 0 ? 0 : result - CSTR_EQUAL;
}

std::vector<wchar_t> AnsiToWide(const std::string& text)
{
    // The text's NUL goes along and ends the result.
    std::vector<wchar_t> wide = ToWide(CP_ACP, text.c_str(), text.size() + 1);
    if (wide.empty())
        wide.push_back(L'\0');
    return wide;
}

std::string WideToAnsi(const wchar_t* text)
{
    return FromWide(CP_ACP, text, static_cast<size_t>(lstrlenW(text)));
}

std::string FileTextToAnsi(const std::string& content)
{
    // Only a program that runs in UTF-8 meets files of two encodings.
    if (!IsUtf8CodePage())
        return content;
    const bool marked = content.compare(0, 3, "\xEF\xBB\xBF") == 0;
    const std::string text = marked ? content.substr(3) : content;
    if (marked || text.empty()
        || MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), static_cast<int>(text.size()), nullptr, 0))
        return text;
    // Not UTF-8: an older file, in the code page the system gives programs
    // that do not ask for UTF-8.
    DWORD legacy = 0;
    if (!GetLocaleInfoW(LOCALE_SYSTEM_DEFAULT, LOCALE_IDEFAULTANSICODEPAGE | LOCALE_RETURN_NUMBER,
                        reinterpret_cast<LPWSTR>(&legacy), sizeof legacy / sizeof(WCHAR)))
        return text;
    const std::vector<wchar_t> wide = ToWide(legacy, text.data(), text.size());
    return FromWide(CP_UTF8, wide.data(), wide.size());
}

size_t LastDelimiter(const char* delimiters, const std::string& text)
{
    const char* start = text.c_str();
    size_t found = std::string::npos;
    for (const char* p = start; *p; p = CharNextA(p)) {
        if (!IsDBCSLeadByte(static_cast<BYTE>(*p)) && std::strchr(delimiters, *p))
            found = static_cast<size_t>(p - start);
    }
    return found;
}

bool TryStrToInt(const std::string& text, int& value)
{
    const char* p = text.c_str();
    while (*p == ' ')
        ++p;
    const bool negative = *p == '-';
    if (*p == '-' || *p == '+')
        ++p;
    if (*p < '0' || *p > '9')
        return false;
    long long magnitude = 0;
    for (; *p >= '0' && *p <= '9'; ++p) {
        magnitude = magnitude * 10 + (*p - '0');
        if (magnitude > static_cast<long long>(INT_MAX) + 1)
            return false;
    }
    if (p != text.c_str() + text.size())
        return false;
    const long long signedValue = negative ? -magnitude : magnitude;
    if (signedValue > INT_MAX)
        return false;
    value = static_cast<int>(signedValue);
    return true;
}
