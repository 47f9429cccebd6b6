// The shell's special folders.
#pragma once

#include "Tk_exceptions.h"

#include <string>

class EShellFileError : public Exception {
public:
    using Exception::Exception;
};

// The file-system path of a special folder (a CSIDL number); the folder is
// not created when it is missing.
std::string GetSpecialFolderPath(int folder);

// The directory that holds the items of the user's desktop.
std::string GetDesktopDirectory();

// The user's documents directory.
std::string GetPersonalDirectory();
