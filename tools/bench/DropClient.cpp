// Benchmark reference: Explorer's part of a drop on Tesselo. Hands the first
// n files of a folder (in name order) to the program's drop target as the
// folder's own data object, waits for the server to end and prints the
// milliseconds from just before the class is created to the server's end:
// what the program costs, without the time the data object took to build.
// Usage: DropClient TESSELO.EXE FOLDER N
#include <windows.h>
#include <ole2.h>
#include <shellapi.h>
#include <shlobj.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstdio>
#include <set>
#include <string>
#include <vector>

namespace {

const wchar_t* const ClassName = L"{AEFD9727-B9A8-48D3-BBBD-1A9F5391B483}";

// Where the installer registers the class, and HKLM too: Wine 8 does not
// look up per-user classes under HKCU\Software\Classes.
const HKEY ClassRoots[] = {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE};

std::set<DWORD> Processes(const wchar_t* exeName)
{
    std::set<DWORD> found;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
        if (lstrcmpiW(entry.szExeFile, exeName) == 0)
            found.insert(entry.th32ProcessID);
    }
    CloseHandle(snapshot);
    return found;
}

std::vector<std::wstring> FirstFiles(const std::wstring& folder, size_t count)
{
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.push_back(found.cFileName);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end());
    names.resize(std::min(count, names.size()));
    return names;
}

// The folder's data object of the names, as Explorer's view of it makes one.
IDataObject* FolderDataObject(const std::wstring& folder, const std::vector<std::wstring>& names)
{
    PIDLIST_ABSOLUTE list = nullptr;
    IShellFolder* parent = nullptr;
    if (SUCCEEDED(SHParseDisplayName(folder.c_str(), nullptr, &list, 0, nullptr)))
        SHBindToObject(nullptr, list, nullptr, IID_IShellFolder, reinterpret_cast<void**>(&parent));
    CoTaskMemFree(list);
    if (!parent)
        return nullptr;
    std::vector<PITEMID_CHILD> children;
    for (std::wstring name : names) {
        PIDLIST_RELATIVE child = nullptr;
        if (SUCCEEDED(parent->ParseDisplayName(nullptr, nullptr, &name[0], nullptr, &child, nullptr)))
            children.push_back(reinterpret_cast<PITEMID_CHILD>(child));
    }
    IDataObject* data = nullptr;
    if (children.size() == names.size())
        parent->GetUIObjectOf(nullptr, static_cast<UINT>(children.size()), const_cast<PCUITEMID_CHILD_ARRAY>(children.data()),
                              IID_IDataObject, nullptr, reinterpret_cast<void**>(&data));
    for (PITEMID_CHILD child : children)
        CoTaskMemFree(child);
    parent->Release();
    return data;
}

// The milliseconds from the class's creation to its server's end, or a
// negative number when the drop failed.
double DropAndWait(IDataObject* data, const wchar_t* exeName)
{
    CLSID id;
    CLSIDFromString(ClassName, &id);
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    const std::set<DWORD> before = Processes(exeName);
    QueryPerformanceCounter(&start);
    IDropTarget* target = nullptr;
    if (FAILED(CoCreateInstance(id, nullptr, CLSCTX_LOCAL_SERVER, IID_IDropTarget, reinterpret_cast<void**>(&target))))
        return -1;
    HANDLE server = nullptr;
    for (DWORD process : Processes(exeName)) {
        if (!before.count(process))
            server = OpenProcess(SYNCHRONIZE, FALSE, process);
    }
    const POINTL point = {10, 10};
    DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
    bool dropped = SUCCEEDED(target->DragEnter(data, MK_LBUTTON, point, &effect)) && effect != DROPEFFECT_NONE;
    if (dropped) {
        effect = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
        dropped = SUCCEEDED(target->Drop(data, 0, point, &effect)) && effect != DROPEFFECT_NONE;
    }
    target->Release();
    if (!server)
        return -1;
    WaitForSingleObject(server, INFINITE);
    QueryPerformanceCounter(&end);
    CloseHandle(server);
    return dropped ? (end.QuadPart - start.QuadPart) * 1000.0 / frequency.QuadPart : -1;
}

}

int main()
{
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (count != 4) {
        std::fputs("Usage: DropClient TESSELO.EXE FOLDER N\n", stderr);
        return 2;
    }
    const std::wstring exe = arguments[1];
    const std::wstring folder = arguments[2];
    const size_t n = static_cast<size_t>(_wtoi(arguments[3]));
    LocalFree(arguments);

    if (FAILED(OleInitialize(nullptr)))
        return 1;
    const std::wstring classKey = std::wstring(L"Software\\Classes\\CLSID\\") + ClassName;
    const std::wstring command = L"\"" + exe + L"\"";
    for (HKEY root : ClassRoots)
        RegSetKeyValueW(root, (classKey + L"\\LocalServer32").c_str(), nullptr, REG_SZ, command.c_str(),
                        static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t)));

    double milliseconds = -1;
    const std::vector<std::wstring> names = FirstFiles(folder, n);
    IDataObject* data = names.size() == n ? FolderDataObject(folder, names) : nullptr;
    if (data) {
        milliseconds = DropAndWait(data, exe.substr(exe.rfind(L'\\') + 1).c_str());
        data->Release();
    }

    for (HKEY root : ClassRoots)
        RegDeleteTreeW(root, classKey.c_str());
    OleUninitialize();
    if (milliseconds < 0) {
        std::fputs("The drop failed.\n", stderr);
        return 1;
    }
    std::printf("%.1f\n", milliseconds);
    return 0;
}
