#include "App_common.h"

#include "App_version.h"

#include "Tk_files.h"
#include "Tk_paths.h"

#include <windows.h>

std::string GetExecutableDirectory()
{
    return ExtractFilePath(ModuleFileName());
}

// Built in this order during static initialisation.
const std::string SettingsFileName = GetExecutableDirectory() + "Settings.ini";
const std::string RunRecordFileName = GetExecutableDirectory() + "LastRun.txt";
const std::string RunsFolderName = GetExecutableDirectory() + "Runs";
const std::string HelpFileName = GetExecutableDirectory() + "Help\\index.html";
const std::string JapaneseHelpFileName = GetExecutableDirectory() + "Help\\ja\\index.html";
const std::string AboutText =
    "Tesselo Version " TESSELO_VERSION_TEXT "\r\n"
    "\r\n"
    TESSELO_COPYRIGHT;
