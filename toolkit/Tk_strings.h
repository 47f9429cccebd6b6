// Text helpers of the toolkit: ANSI code page aware where they walk characters.
#pragma once

#include <string>
#include <vector>

// Removes bytes 0 to 32 at both ends (control characters and blanks), NUL
// bytes included: unlike TrimBlanks, which stops at a NUL, this trims what a
// file line holds.
std::string TrimNulAndBlanks(const std::string& text);

// True when the program's ANSI code page is UTF-8, as its manifest asks on
// Windows 10 1903 and later.
bool IsUtf8CodePage();

// The system's upper-casing of the ANSI code page's text, as the user locale
// defines it.
std::string AnsiUpperCase(const std::string& text);

// The user locale's linguistic comparison, case-sensitive: < 0, 0 or > 0.
// The texts are read in the ANSI code page, whatever the user locale's is.
int AnsiCompareStr(const std::string& a, const std::string& b);

// The text converted from the ANSI code page, ending in NUL: the one place
// where the program's text meets Unicode. A vector, as the library's
// instantiation of std::wstring alone would add 24 KiB to the program.
std::vector<wchar_t> AnsiToWide(const std::string& text);

// The NUL-terminated Unicode text in the ANSI code page. False when a
// character has no exact form there: the system would put a look-alike or
// "?" in its place (under code page 932 a yen sign becomes '\\'), which in a
// path names another file. Then ansi holds the text with a "?" for each such
// character, fit for a message and for nothing else.
bool WideToAnsi(const wchar_t* text, std::string& ansi);

// The text in UTF-8, whatever the program's code page.
std::string AnsiToUtf8(const std::string& text);
// UTF-8 text in the program's code page; false when it is no valid UTF-8 or
// holds a character that the code page lacks.
bool Utf8ToAnsi(const std::string& utf8, std::string& text);

enum TFileText { ftText, ftNotText, ftLacking };

// A text file's content as the program's text. A byte-order mark says UTF-8
// or UTF-16 (either byte order); without one, valid UTF-8 is UTF-8 and
// anything else is in the code page the system gives programs that do not
// ask for UTF-8. ftNotText for NUL bytes, bytes that are invalid in the
// encoding, or a mark that the rest does not match; ftLacking when a
// character has no exact form in the ANSI code page. Text already in the
// ANSI code page comes back byte for byte.
TFileText FileTextToAnsi(const std::string& content, std::string& text);

// Byte index of the last character of text that is one of the single-byte
// delimiters, or npos. It steps by whole characters, so the trail byte of a
// double-byte character is never taken for a delimiter.
size_t LastDelimiter(const char* delimiters, const std::string& text);

// Decimal text of a 32-bit integer: leading blanks, an optional sign, digits,
// nothing after them. False for anything else, the empty text included, and
// for a number outside the signed 32-bit range.
bool TryStrToInt(const std::string& text, int& value);
