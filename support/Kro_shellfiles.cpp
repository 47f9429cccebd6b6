#include "Kro_shellfiles.h"

#include "Kro_autopointers.h"

#include <windows.h>
#include <shlobj.h>

std::string GetSpecialFolderPath(int folder)
{
    TAutoArray<char> buffer(new char[MAX_PATH]());
    if (!SHGetSpecialFolderPathA(nullptr, buffer.Get(), folder, FALSE))
        throw EShellFileError("The program could not get the path of the special file.");
    return std::string(buffer.Get());
}

std::string GetDesktopDirectory()
{
    return GetSpecialFolderPath(CSIDL_DESKTOPDIRECTORY);
}

std::string GetPersonalDirectory()
{
    return GetSpecialFolderPath(CSIDL_PERSONAL);
}
