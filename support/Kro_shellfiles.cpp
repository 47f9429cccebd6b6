#include "Kro_shellfiles.h"

#include "Kro_autopointers.h"
#include "Tk_application.h"
#include "Tk_screen.h"

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

namespace {

int CALLBACK SelectStartFolder(HWND browser, UINT message, LPARAM, LPARAM data)
{
    if (message == BFFM_INITIALIZED && data)
        SendMessageA(browser, BFFM_SETSELECTIONA, TRUE, data);
    return 0;
}

}

bool BrowseForFolder(const std::string& title, std::string& directory)
{
    const DWORD attributes = GetFileAttributesA(directory.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY))
        directory.clear();

    IMalloc* allocator = nullptr;
    if (FAILED(SHGetMalloc(&allocator)) || !allocator)
        return false;
    char* buffer = static_cast<char*>(allocator->Alloc(MAX_PATH));
    if (!buffer) {
        allocator->Release();
        return false;
    }
    buffer[0] = '\0';

    BROWSEINFOA info = {};
    info.hwndOwner = Application.Handle();
    info.pszDisplayName = buffer;
    info.lpszTitle = title.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    if (!directory.empty()) {
        info.lpfn = SelectStartFolder;
        info.lParam = reinterpret_cast<LPARAM>(directory.c_str());
    }

    // The browser belongs to the application's hidden window, which would
    // keep the activation when the browser closes.
    HWND active = GetActiveWindow();
    PIDLIST_ABSOLUTE item;
    {
        const TDisabledWindows others;
        const TNormalPointer pointer;
        // No system message boxes for a drive without a medium while browsing.
        const UINT errorMode = SetErrorMode(SEM_FAILCRITICALERRORS);
        item = SHBrowseForFolderA(&info);
        SetErrorMode(errorMode);
    }
    if (active && IsWindow(active))
        SetForegroundWindow(active);

    bool chosen = false;
    if (item) {
        chosen = SHGetPathFromIDListA(item, buffer) != FALSE;
        allocator->Free(item);
        if (chosen)
            directory = buffer;
    }
    allocator->Free(buffer);
    allocator->Release();
    return chosen;
}
