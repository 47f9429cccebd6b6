#include "Kro_shellfiles.h"

#include "Kro_autopointers.h"
#include "Tk_application.h"
#include "Tk_format.h"
#include "Tk_handles.h"
#include "Tk_paths.h"
#include "Tk_screen.h"
#include "Tk_strings.h"
#include "Tk_texts.h"

#include <windows.h>
#include <shlobj.h>

#include <memory>

namespace {

// A path that the shell gave, in the program's text. A character that the
// code page lacks would become a look-alike or "?", and the path another one.
std::string ProgramPath(const wchar_t* path)
{
    std::string text;
    if (!WideToAnsi(path, text))
        throw EShellFileError(Format(
            "The program cannot use the folder \"%s\" because the system's code page lacks some of its characters.",
            text));
    return text;
}

}

// The shell's paths are asked in Unicode: their limit is MAX_PATH characters,
// which in UTF-8 may take three times as many bytes.
std::string GetSpecialFolderPath(int folder)
{
    TAutoArray<wchar_t> buffer(new wchar_t[MAX_PATH]());
    if (!SHGetSpecialFolderPathW(nullptr, buffer.Get(), folder, FALSE))
        throw EShellFileError("The program could not get the path of the special file.");
    return ProgramPath(buffer.Get());
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

// Memory that the shell's allocator gave, given back to it.
struct TShellFree {
    IMalloc* Allocator;
    void operator()(void* memory) const { Allocator->Free(memory); }
};

// What the browser needs once it is up: the folder to preselect, if any,
// the rectangle to centre on, and its taskbar button.
struct TBrowserStart {
    const char* Directory;
    RECT Area;
    TTaskbarButton Button;
};

// A folder that can take directories: the shell also shows a zip file as a
// folder, and a path that the code page cannot hold would name another one.
bool CanTakeDirectories(PCIDLIST_ABSOLUTE item)
{
    wchar_t path[MAX_PATH] = {};
    std::string text;
    return SHGetPathFromIDListW(item, path) && WideToAnsi(path, text) && GetPathKind(text) == pkDirectory;
}

int CALLBACK BrowserEvent(HWND browser, UINT message, LPARAM parameter, LPARAM data)
{
    if (message == BFFM_SELCHANGED) {
        SendMessageW(browser, BFFM_ENABLEOK, 0, CanTakeDirectories(reinterpret_cast<PCIDLIST_ABSOLUTE>(parameter)));
    } else if (message == BFFM_INITIALIZED) {
        TBrowserStart& start = *reinterpret_cast<TBrowserStart*>(data);
        // Its owner, the hidden window, would leave it in the screen's corner.
        CenterWindow(browser, start.Area);
        start.Button.AddTo(browser);
        start.Button.ShowIconsOn(browser);
        // Once now, and once more when the browser has finished starting:
        // the first may not take (Wine) or not scroll into view (Windows).
        if (start.Directory) {
            SendMessageA(browser, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(start.Directory));
            PostMessageA(browser, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(start.Directory));
        }
    }
    return 0;
}

// The program's active window (not the hidden one, which takes the activation
// when a box it owns closes), or else the work area of the monitor where
// the user works.
RECT BrowserArea(HWND active)
{
    RECT area;
    if (active && IsWindowVisible(active) && GetWindowRect(active, &area))
        return area;
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoA(UsersMonitor(), &monitor);
    return monitor.rcWork;
}

}

bool BrowseForFolder(const std::string& title, std::string& directory)
{
    if (GetPathKind(directory) != pkDirectory)
        directory.clear();

    Application.InitializeOle();
    IMalloc* shellAllocator = nullptr;
    if (FAILED(SHGetMalloc(&shellAllocator)) || !shellAllocator)
        return false;
    const TComPointer<IMalloc> allocator(shellAllocator);
    const std::unique_ptr<char, TShellFree> buffer(static_cast<char*>(allocator->Alloc(MAX_PATH)),
                                                   TShellFree{shellAllocator});
    if (!buffer)
        return false;
    buffer.get()[0] = '\0';

    Application.ShowMainWindow();
    // The browser belongs to the application's hidden window, which would
    // keep the activation when the browser closes.
    HWND active = GetActiveWindow();
    TBrowserStart start = {directory.empty() ? nullptr : directory.c_str(), BrowserArea(active), {}};
    BROWSEINFOA info = {};
    info.hwndOwner = Application.Handle();
    info.pszDisplayName = buffer.get();
    // The caller words the title in English; the user reads it in the
    // interface language.
    const std::string shownTitle = Translated(title);
    info.lpszTitle = shownTitle.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    info.lpfn = BrowserEvent;
    info.lParam = reinterpret_cast<LPARAM>(&start);

    std::unique_ptr<ITEMIDLIST, TShellFree> item(nullptr, TShellFree{shellAllocator});
    {
        const TDisabledWindows others;
        const TNormalPointer pointer;
        // No system message boxes for a drive without a medium while browsing.
        const UINT errorMode = SetErrorMode(SEM_FAILCRITICALERRORS);
        // The browser is Windows' to scale: under Per Monitor v2, common
        // dialogs such as the shell's folder browser are DPI-scaled
        // automatically ("High DPI Desktop Application Development on
        // Windows").
        item.reset(SHBrowseForFolderA(&info));
        SetErrorMode(errorMode);
    }
    if (active && IsWindow(active))
        SetForegroundWindow(active);

    TAutoArray<wchar_t> path(new wchar_t[MAX_PATH]());
    if (!item || !SHGetPathFromIDListW(item.get(), path.Get()))
        return false;
    directory = ProgramPath(path.Get());
    // The OK button is off for anything else; this holds where the browser
    // confirms a folder without a selection change first.
    if (GetPathKind(directory) != pkDirectory)
        throw EShellFileError(Format("The program cannot use the folder \"%s\" because it is not a directory.", directory));
    return true;
}

std::string ChooseOutputDirectory(const std::string& start)
{
    std::string directory = start;
    if (!BrowseForFolder("Choose the output directory.", directory))
        Abort();
    SetCurrentDir(directory);
    return directory;
}
