#include "Kro_strings.h"

#include <windows.h>

namespace {

bool IsValidQuote(char q)
{
    return q != '\0' && !IsDBCSLeadByte(static_cast<BYTE>(q));
}

}

std::string QuoteString(const std::string& text, char q)
{
    if (!IsValidQuote(q))
        throw EStringError("The program cannot quote the string.");
    std::string result;
    result.reserve(text.size() + 2);
    result += q;
    const char* start = text.c_str();
    for (const char* p = start; *p;) {
        // p is always at the start of a character, and q is never a lead
        // byte, so a trail byte equal to q is never doubled.
        const char* next = CharNextA(p);
        result.append(p, next);
        if (*p == q)
            result += q;
        p = next;
    }
    result += q;
    return result;
}

std::string DequoteString(const std::string& text, char q)
{
    if (!IsValidQuote(q) || text.empty() || text[0] != q)
        throw EStringError("The program cannot dequote the string.");
    std::string result;
    result.reserve(text.size());
    for (const char* p = text.c_str() + 1; *p;) {
        const char* next = CharNextA(p);
        if (*p == q) {
            if (*next != q)
                break; // the closing quote
            ++next;    // a doubled quote stands for one
        }
        result.append(p, *p == q ? p + 1 : next);
        p = next;
    }
    return result;
}
