#include "Tk_format.h"

#include <cstdarg>
#include <cstdio>

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
