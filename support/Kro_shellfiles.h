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

// The shell's folder browser, modal to the program, for file-system folders
// only. directory names the folder to preselect; a folder that does not exist
// is dropped (the text becomes empty). True when the user confirmed a folder,
// whose path directory then holds.
bool BrowseForFolder(const std::string& title, std::string& directory);

// The folder browser for an output directory, starting at start. The chosen
// folder becomes the last used one, the current directory (a folder that
// cannot become it is still given back); a cancel is the silent abort.
std::string ChooseOutputDirectory(const std::string& start);
