// The program's command-line arguments.
#pragma once

#include <string>
#include <vector>

// Splits a command line into its words: blanks and control characters
// separate them, a pair of double quotes groups text and is itself dropped,
// and there is no escape character. A word that comes out empty, as from "",
// is no word at all.
std::vector<std::string> SplitCommandLine(const char* commandLine);

// The arguments after the program's own name.
std::vector<std::string> ParamStrings();
