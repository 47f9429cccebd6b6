// Prints a shortcut's target, arguments and working directory as IShellLinkW
// reads them, one "name=value" line each in UTF-8, for check-installer.sh.
// Fails when it cannot read the shortcut.
#include <windows.h>
#include <shlobj.h>

#include <cstdio>

namespace {

void Print(const char* name, const wchar_t* value)
{
    char text[4 * MAX_PATH] = "";
    WideCharToMultiByte(CP_UTF8, 0, value, -1, text, sizeof text, nullptr, nullptr);
    std::printf("%s=%s\n", name, text);
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    IShellLinkW* link = nullptr;
    IPersistFile* file = nullptr;
    wchar_t target[MAX_PATH], arguments[MAX_PATH], directory[MAX_PATH];
    if (argc != 2 || FAILED(CoInitialize(nullptr)) ||
        FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&link))) ||
        FAILED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) ||
        FAILED(file->Load(argv[1], STGM_READ)) || FAILED(link->GetPath(target, MAX_PATH, nullptr, 0)) ||
        FAILED(link->GetArguments(arguments, MAX_PATH)) || FAILED(link->GetWorkingDirectory(directory, MAX_PATH)))
        return 1;
    Print("Target", target);
    Print("Arguments", arguments);
    Print("WorkingDirectory", directory);
    return 0;
}
