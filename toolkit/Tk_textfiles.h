// Reading and replacing one whole text file, and writing one line by line.
#pragma once

#include "Tk_handles.h"

#include <string>

// Reads the whole file's bytes as they are. False when there is no file at
// the path; EInOutError naming the file when one exists but cannot be read.
bool ReadFileBytes(const std::string& fileName, std::string& content);

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

// A file that the program writes line by line as it works. Other processes
// may read it meanwhile, but neither write nor delete it, which IsHeldOpen
// tells them. Every line is in the file when Append returns, so a process
// that is ended at any point leaves all it appended. The lines go byte for
// byte as given, each ending in CR LF.
class TTextLog {
public:
    // Makes the file anew; EInOutError names it when it cannot.
    explicit TTextLog(const std::string& fileName);
    TTextLog(const TTextLog&) = delete;
    TTextLog& operator=(const TTextLog&) = delete;

    // EInOutError names the file when the line could not be written whole.
    void Append(const std::string& line);
    // EInOutError when the file could not be closed.
    void Close();

private:
    std::string FFileName;
    TFileHandle FFile;
};
