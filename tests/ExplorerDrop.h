// Explorer's side of a drop on the program, of its Send To and of its verb:
// the class registered as the installer registers it, and the parent
// folder's own data object handed to the class, created as a local server,
// through DragEnter and Drop. The end-to-end tests and the benchmark's drop
// client both stand in for Explorer with it.
#pragma once

#include <windows.h>
#include <ole2.h>

#include <functional>
#include <string>
#include <vector>

// The drop targets' classes as the installer names them: the one of Send To,
// App Paths and "Create directories", and those of the menu's two commands
// that move.
extern const wchar_t* const DropTargetClass;
extern const wchar_t* const MoveEachClass;
extern const wchar_t* const MoveAllClass;
// "This PC" among the desktop's items: an item outside the file system.
extern const wchar_t* const ThisPc;

// What came of a drop.
struct TDropped {
    HRESULT Created = E_FAIL;        // the class's creation
    DWORD Entered = DROPEFFECT_NONE; // DragEnter's effect
    DWORD Dropped = DROPEFFECT_NONE; // Drop's, when DragEnter took the data
    DWORD Milliseconds = 0;          // the time Drop kept the caller waiting
    double Creation = 0;             // ms that the class's creation took
    double Release = 0;              // ms that the final release of the target took
    HANDLE Process = nullptr;        // the server COM started, owned by the caller
    DWORD ProcessId = 0;
};

// While it lives, the classes start exe as their local server; so does
// otherClass, a class of the caller's own, when one is given.
class TExplorer {
public:
    explicit TExplorer(const std::wstring& exe, const std::wstring& otherClass = std::wstring());
    ~TExplorer();
    TExplorer(const TExplorer&) = delete;
    TExplorer& operator=(const TExplorer&) = delete;

    // The items of folder named, as Explorer's view of that folder hands them
    // over; with no folder, the desktop's. Null when one cannot be found.
    IDataObject* FolderItems(const std::wstring& folder, const std::vector<std::wstring>& names) const;
    // Only a list of files (CF_HDROP), as programs other than Explorer
    // hand over, put on the clipboard and read back as a data object.
    IDataObject* FileList(const std::vector<std::wstring>& paths) const;

    // Creates the class, enters with the data and drops it when it was
    // taken; with drop false, lets the target go after DragEnter.
    TDropped Drop(IDataObject* data, bool drop = true, const wchar_t* classId = DropTargetClass) const;

    // Called the moment the release of the target has returned, to look at
    // what the server has done by then.
    std::function<void()> OnReleased;

private:
    std::vector<std::wstring> FClassKeys;
    std::wstring FExeName;
    bool FOle;
};
