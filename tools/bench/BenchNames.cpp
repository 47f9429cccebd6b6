#include "BenchNames.h"

#include "Tk_paths.h"

#include <windows.h>

void CreateNewName(const std::string& output, const std::string& source, bool regularFile)
{
    const std::string name = ExtractFileName(source);
    const std::string path = IncludeTrailingPathDelimiter(output) + (regularFile ? ChangeFileExt(name, std::string()) : name);
    if (!CreateDirectoryA(path.c_str(), nullptr) && GetLastError() == ERROR_ALREADY_EXISTS)
        CreateDirectoryA((path + " (2)").c_str(), nullptr);
}
