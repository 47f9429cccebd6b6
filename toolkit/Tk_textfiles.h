// Reading and replacing one whole text file.
#pragma once

#include <string>

// Reads the whole file into text, as the program's text whatever encoding
// the file was saved in (see FileTextToAnsi). False when there is no file at
// the path; EInOutError naming the file when one exists but cannot be read,
// is no text, or holds a character that the program's code page lacks.
bool ReadTextFile(const std::string& fileName, std::string& text);

// Replaces the file with content in one step: the text goes to a temporary
// file in the same directory, which then takes the file's place. A read-only
// file is not replaced. On any failure the old file stays as it was and
// EInOutError names the file.
void ReplaceTextFile(const std::string& fileName, const std::string& content);
