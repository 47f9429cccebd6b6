#include "App_common.h"

#include "App_version.h"

#include "Tk_paths.h"

#include <windows.h>

std::string GetExecutableDirectory()
{
    std::string path(MAX_PATH, '\0');
    for (;;) {
        const DWORD length = GetModuleFileNameA(nullptr, &path[0], static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    return ExtractFilePath(path);
}

// Built in this order during static initialisation.
const std::string SettingsFileName = GetExecutableDirectory() + "Settings.ini";
const std::string HelpFileName = GetExecutableDirectory() + "Help\\index.html";
const std::string AboutText =
    "Tesselo Version " TESSELO_VERSION_TEXT "\r\n"
    "\r\n"
    TESSELO_COPYRIGHT;
