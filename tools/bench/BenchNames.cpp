#include "BenchNames.h"

#include "Tk_paths.h"

#include <windows.h>

std::string CreateNewName(const std::string& output, const std::string& source, bool regularFile)
{
    const std::string name = ExtractFileName(source);
    const std::string path = IncludeTrailingPathDelimiter(output) + (regularFile ? ChangeFileExt(name, std::string()) : name);
    if (CreateDirectoryA(path.c_str(), nullptr))
        return path;
    if (GetLastError() == ERROR_ALREADY_EXISTS && CreateDirectoryA((path + " (2)").c_str(), nullptr))
        return path + " (2)";
    return std::string();
}

namespace {

void AddLines(const char* file, std::vector<std::string>& sources)
{
    HANDLE handle = CreateFileA(file, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return;
    std::string text(GetFileSize(handle, nullptr), '\0');
    DWORD read = 0;
    if (!ReadFile(handle, &text[0], static_cast<DWORD>(text.size()), &read, nullptr))
        read = 0;
    CloseHandle(handle);
    text.resize(read);
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        size_t last = end;
        if (last > start && text[last - 1] == '\r')
            --last;
        if (last > start)
            sources.emplace_back(text, start, last - start);
        start = end + 1;
    }
}

}

std::vector<std::string> Sources(int count, char** arguments)
{
    std::vector<std::string> sources;
    for (int i = 2; i < count; ++i) {
        if (arguments[i][0] == '@')
            AddLines(arguments[i] + 1, sources);
        else
            sources.emplace_back(arguments[i]);
    }
    return sources;
}
