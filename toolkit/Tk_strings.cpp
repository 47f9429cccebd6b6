#include "Tk_strings.h"

#include <windows.h>

#include <algorithm>
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


}

bool IsUtf8CodePage()
{
    return GetACP() == CP_UTF8;
}

std::string AnsiToUtf8(const std::string& text)
{
    if (IsUtf8CodePage())
        return text;
    const std::vector<wchar_t> wide = ToWide(CP_ACP, text.data(), text.size());
    return FromWide(CP_UTF8, wide.data(), wide.size());
}

bool Utf8ToAnsi(const std::string& utf8, std::string& text)
{
    std::vector<wchar_t> wide(utf8.size() + 1);
    const int length = utf8.empty() ? 0
                                    : MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(),
                                                          static_cast<int>(utf8.size()), wide.data(),
                                                          static_cast<int>(wide.size()));
    if (length == 0 && !utf8.empty())
        return false;
    wide[static_cast<size_t>(length)] = L'\0';
    return WideToAnsi(wide.data(), text);
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

namespace {

// False when a character has no exact form in the code page. UTF-8 holds
// every character; there only a broken surrogate pair fails, and the
// best-fit flag is not allowed.
bool FromWideExactly(UINT codePage, const wchar_t* text, size_t length, std::string& narrow)
{
    narrow.assign(length * 3, '\0');
    if (length == 0)
        return true;
    const bool utf8 = codePage == CP_UTF8;
    BOOL usedDefault = FALSE;
    const int size =
        WideCharToMultiByte(codePage, utf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS, text, static_cast<int>(length),
                            &narrow[0], static_cast<int>(narrow.size()), nullptr, utf8 ? nullptr : &usedDefault);
    narrow.resize(static_cast<size_t>(size));
    return size > 0 && !usedDefault;
}

// False for bytes that are invalid in the code page.
bool ToWideStrictly(UINT codePage, const std::string& text, std::vector<wchar_t>& wide)
{
    wide.assign(text.size(), L'\0');
    if (text.empty())
        return true;
    const int size = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text.data(), static_cast<int>(text.size()),
                                         wide.data(), static_cast<int>(wide.size()));
    wide.resize(static_cast<size_t>(size));
    return size > 0;
}

// UTF-16 in the byte order given, without its mark; false for an odd number
// of bytes or a surrogate without its partner.
bool FromUtf16(const std::string& bytes, bool bigEndian, std::vector<wchar_t>& wide)
{
    if (bytes.size() % 2 != 0)
        return false;
    wide.clear();
    for (size_t i = 0; i < bytes.size(); i += 2) {
        const unsigned first = static_cast<unsigned char>(bytes[i]);
        const unsigned second = static_cast<unsigned char>(bytes[i + 1]);
        wide.push_back(static_cast<wchar_t>(bigEndian ? first << 8 | second : second << 8 | first));
    }
    for (size_t i = 0; i < wide.size(); ++i) {
        if (IS_HIGH_SURROGATE(wide[i]) && i + 1 < wide.size() && IS_LOW_SURROGATE(wide[i + 1]))
            ++i;
        else if (IS_HIGH_SURROGATE(wide[i]) || IS_LOW_SURROGATE(wide[i]))
            return false;
    }
    return true;
}

bool IsAscii(const std::string& text)
{
    for (const char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    }
    return true;
}

bool StartsWith(const std::string& text, const char* mark)
{
    return text.compare(0, std::strlen(mark), mark) == 0;
}

// The code page of a file without a mark that is not UTF-8: the one the
// system gives programs that do not ask for UTF-8.
UINT LegacyCodePage()
{
    DWORD legacy = 0;
    if (!GetLocaleInfoW(LOCALE_SYSTEM_DEFAULT, LOCALE_IDEFAULTANSICODEPAGE | LOCALE_RETURN_NUMBER,
                        reinterpret_cast<LPWSTR>(&legacy), sizeof legacy / sizeof(WCHAR)))
        return GetACP();
    return legacy;
}

}

bool WideToAnsi(const wchar_t* text, std::string& ansi)
{
    return FromWideExactly(GetACP(), text, static_cast<size_t>(lstrlenW(text)), ansi);
}

TFileText FileTextToAnsi(const std::string& content, std::string& text)
{
    const UINT ansi = GetACP();
    std::vector<wchar_t> wide;
    bool decoded;
    if (StartsWith(content, "\xEF\xBB\xBF")) {
        decoded = ToWideStrictly(CP_UTF8, content.substr(3), wide);
    } else if (StartsWith(content, "\xFF\xFE") || StartsWith(content, "\xFE\xFF")) {
        decoded = FromUtf16(content.substr(2), content[0] == '\xFE', wide);
    } else if (content.find('\0') != std::string::npos) {
        return ftNotText;
    } else {
        // Plain ASCII, and text in the program's own code page, stay exactly
        // as they are: a round trip through Unicode may change bytes that
        // stand for the same character twice, as in code page 932.
        if (IsAscii(content)) {
            text = content;
            return ftText;
        }
        const UINT codePage = ToWideStrictly(CP_UTF8, content, wide) ? CP_UTF8 : LegacyCodePage();
        if (codePage == ansi) {
            if (codePage != CP_UTF8 && !ToWideStrictly(codePage, content, wide))
                return ftNotText;
            text = content;
            return ftText;
        }
        decoded = codePage == CP_UTF8 || ToWideStrictly(codePage, content, wide);
    }
    if (!decoded || std::find(wide.begin(), wide.end(), L'\0') != wide.end())
        return ftNotText;
    return FromWideExactly(ansi, wide.data(), wide.size(), text) ? ftText : ftLacking;
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
