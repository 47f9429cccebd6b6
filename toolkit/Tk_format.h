// printf-style formatting into a std::string.
#pragma once

#include <string>

std::string FormatC(const char* format, ...) __attribute__((format(gnu_printf, 1, 2)));

namespace tk_format_detail {
inline const char* Arg(const std::string& text) { return text.c_str(); }
template <class T> T Arg(T value) { return value; }
}

// Format("The path \"%s\" ...", path): std::string arguments stand for "%s".
template <class... Args>
std::string Format(const char* format, const Args&... args)
{
    return FormatC(format, tk_format_detail::Arg(args)...);
}

// A count as the user's locale writes it, its digits grouped: "10,000" in
// English, "10.000" in German.
std::string GroupedNumber(unsigned long long number);
// "1 directory", "1,234 directories": the count as GroupedNumber writes it,
// with the noun for one or for many.
std::string Counted(unsigned long long count, const char* one, const char* many);

// A moment (UTC, in 100-nanosecond units since 1601) as the user's locale
// writes it in local time: its long date, a comma, and the time without
// seconds.
std::string LocalDateTime(unsigned long long time);
