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

std::string AnsiUpperCase(const std::string& text)
{
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
    const int size = static_cast<int>(text.size()) + 1;
    std::vector<wchar_t> wide(static_cast<size_t>(MultiByteToWideChar(CP_ACP, 0, text.c_str(), size, nullptr, 0)));
    if (wide.empty())
        wide.push_back(L'\0');
    else
        MultiByteToWideChar(CP_ACP, 0, text.c_str(), size, wide.data(), static_cast<int>(wide.size()));
    return wide;
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
