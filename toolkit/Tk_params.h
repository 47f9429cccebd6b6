// The program's command-line arguments.
#pragma once

#include <string>
#include <vector>

// Splits a command line into its words: blanks and control characters
// separate them, a pair of double quotes groups text and is itself dropped,
// and there is no escape character. A word that comes out empty, as from "",
// is no word at all.
std::vector<std::string> SplitCommandLine(const char* commandLine);

// The arguments of a whole command line, after the program's own name, which
// Windows reads by a rule of its own: a quoted name ends at its closing
// quote, an unquoted one at the first blank or control character.
std::vector<std::string> ArgumentsOf(const char* commandLine);

// The arguments of this process's command line.
std::vector<std::string> ParamStrings();
