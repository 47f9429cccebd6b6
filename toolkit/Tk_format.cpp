#include "Tk_format.h"

#include "Tk_strings.h"

#include <windows.h>

#include <cstdarg>
#include <cstdio>
#include <cwchar>
#include <vector>

std::string FormatC(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    va_list measure;
    va_copy(measure, args);
    const int length = std::vsnprintf(nullptr, 0, format, measure);
    va_end(measure);
    std::string result;
    if (length > 0) {
        result.resize(static_cast<size_t>(length));
        std::vsnprintf(&result[0], result.size() + 1, format, args);
    }
    va_end(args);
    return result;
}

std::string GroupedNumber(unsigned long long number)
{
    const std::string digits = std::to_string(number);
    const std::vector<wchar_t> wide = AnsiToWide(digits);
    wchar_t text[64] = {};
    wchar_t decimal[8] = {};
    if (!GetNumberFormatW(LOCALE_USER_DEFAULT, 0, wide.data(), nullptr, text, 64)
        || !GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, decimal, 8))
        return digits;
    // The locale's own form has decimals, which a count does not.
    if (wchar_t* point = decimal[0] ? std::wcsstr(text, decimal) : nullptr)
        *point = L'\0';
    std::string grouped;
    return WideToAnsi(text, grouped) ? grouped : digits;
}

std::string Counted(unsigned long long count, const char* one, const char* many)
{
    return GroupedNumber(count) + " " + (count == 1 ? one : many);
}

std::string LocalDateTime(unsigned long long time)
{
    const FILETIME utc = {static_cast<DWORD>(time), static_cast<DWORD>(time >> 32)};
    SYSTEMTIME universal;
    SYSTEMTIME local;
    wchar_t text[192] = {};
    const int date = FileTimeToSystemTime(&utc, &universal) && SystemTimeToTzSpecificLocalTime(nullptr, &universal, &local)
        ? GetDateFormatW(LOCALE_USER_DEFAULT, DATE_LONGDATE, &local, nullptr, text, 128)
        : 0;
    if (date == 0)
        return std::string();
    // The date's count holds its NUL, where the separator goes.
    std::wcscpy(text + date - 1, L", ");
    if (!GetTimeFormatW(LOCALE_USER_DEFAULT, TIME_NOSECONDS, &local, nullptr, text + date + 1, 192 - date - 1))
        return std::string();
    // Wide text of the system's own, exact in the code page but for a rare
    // month name; a "?" there harms no path.
    std::string narrow;
    WideToAnsi(text, narrow);
    return narrow;
}
