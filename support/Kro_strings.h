// Quoting and dequoting of text with a chosen quote character.
#pragma once

#include "Tk_exceptions.h"

#include <string>

class EStringError : public Exception {
public:
    using Exception::Exception;
};

// q, the text with every q written twice, q. Raises for a NUL or lead-byte q.
std::string QuoteString(const std::string& text, char q);

// The text between the opening and the closing q, doubled q reduced to one;
// everything after the opening q when there is no closing one. Raises when
// the text does not begin with q, and for a NUL or lead-byte q.
std::string DequoteString(const std::string& text, char q);
