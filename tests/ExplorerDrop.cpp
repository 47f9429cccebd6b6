#include "ExplorerDrop.h"

#include <shlobj.h>
#include <tlhelp32.h>

#include <cstring>
#include <set>
#include <utility>

const wchar_t* const DropTargetClass = L"{AEFD9727-B9A8-48D3-BBBD-1A9F5391B483}";
const wchar_t* const MoveEachClass = L"{0AD49EF4-A0D4-40D5-8D36-1AB859BC2F38}";
const wchar_t* const MoveAllClass = L"{E14CBCC7-DA38-43C7-BF9D-051A8FEBFFE7}";
const wchar_t* const ThisPc = L"::{20D04FE0-3AEA-1069-A2D8-08002B30309D}";

namespace {

// Each class with the word that its server's command line adds.
const struct {
    const wchar_t* Id;
    const wchar_t* Word;
} Classes[] = {{DropTargetClass, L""}, {MoveEachClass, L" /MoveEach"}, {MoveAllClass, L" /MoveAll"}};

std::wstring ClassKey(const wchar_t* id)
{
    return std::wstring(L"Software\\Classes\\CLSID\\") + id;
}

// Wine 8 does not look up a class under HKCU\Software\Classes, where the
// installer puts it and where Windows finds it in its merged view of the
// classes: the stand-in registers it under HKLM as well.
const HKEY ClassRoots[] = {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE};

std::set<DWORD> Processes(const std::wstring& exeName)
{
    std::set<DWORD> found;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
        if (lstrcmpiW(entry.szExeFile, exeName.c_str()) == 0)
            found.insert(entry.th32ProcessID);
    }
    CloseHandle(snapshot);
    return found;
}

double Milliseconds(const LARGE_INTEGER& start, const LARGE_INTEGER& end)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(end.QuadPart - start.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

IShellFolder* BoundFolder(const std::wstring& path)
{
    IShellFolder* folder = nullptr;
    if (path.empty()) {
        SHGetDesktopFolder(&folder);
        return folder;
    }
    PIDLIST_ABSOLUTE list = nullptr;
    if (SUCCEEDED(SHParseDisplayName(path.c_str(), nullptr, &list, 0, nullptr)))
        SHBindToObject(nullptr, list, nullptr, IID_IShellFolder, reinterpret_cast<void**>(&folder));
    CoTaskMemFree(list);
    return folder;
}

}

TExplorer::TExplorer(const std::wstring& exe, const std::wstring& otherClass)
    : FExeName(exe.substr(exe.rfind(L'\\') + 1)), FOle(SUCCEEDED(OleInitialize(nullptr)))
{
    std::vector<std::pair<std::wstring, std::wstring>> commands;
    for (const auto& registered : Classes)
        commands.emplace_back(registered.Id, L"\"" + exe + L"\"" + registered.Word);
    if (!otherClass.empty())
        commands.emplace_back(otherClass, L"\"" + exe + L"\"");
    for (const auto& [id, command] : commands) {
        FClassKeys.push_back(ClassKey(id.c_str()));
        for (HKEY root : ClassRoots)
            RegSetKeyValueW(root, (FClassKeys.back() + L"\\LocalServer32").c_str(), nullptr, REG_SZ, command.c_str(),
                            static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t)));
    }
}

TExplorer::~TExplorer()
{
    for (const std::wstring& key : FClassKeys) {
        for (HKEY root : ClassRoots)
            RegDeleteTreeW(root, key.c_str());
    }
    if (FOle)
        OleUninitialize();
}

IDataObject* TExplorer::FolderItems(const std::wstring& folder, const std::vector<std::wstring>& names) const
{
    IShellFolder* parent = BoundFolder(folder);
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

IDataObject* TExplorer::FileList(const std::vector<std::wstring>& paths) const
{
    std::wstring files;
    for (const std::wstring& path : paths)
        files += path + L'\0';
    files += L'\0';
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + files.size() * sizeof(wchar_t));
    auto* header = static_cast<DROPFILES*>(GlobalLock(memory));
    header->pFiles = sizeof(DROPFILES);
    header->fWide = TRUE;
    std::memcpy(header + 1, files.data(), files.size() * sizeof(wchar_t));
    GlobalUnlock(memory);
    IDataObject* data = nullptr;
    if (OpenClipboard(nullptr)) {
        EmptyClipboard();
        SetClipboardData(CF_HDROP, memory);
        CloseClipboard();
        OleGetClipboard(&data);
    }
    return data;
}

TDropped TExplorer::Drop(IDataObject* data, bool drop, const wchar_t* classId) const
{
    TDropped dropped;
    const std::set<DWORD> before = Processes(FExeName);
    CLSID id;
    CLSIDFromString(classId, &id);
    IDropTarget* target = nullptr;
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    dropped.Created = CoCreateInstance(id, nullptr, CLSCTX_LOCAL_SERVER, IID_IDropTarget, reinterpret_cast<void**>(&target));
    QueryPerformanceCounter(&end);
    dropped.Creation = Milliseconds(start, end);
    for (DWORD process : Processes(FExeName)) {
        if (!before.count(process)) {
            dropped.ProcessId = process;
            dropped.Process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION | PROCESS_TERMINATE, FALSE, process);
        }
    }
    if (!target)
        return dropped;
    const POINTL point = {10, 10};
    dropped.Entered = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
    if (FAILED(target->DragEnter(data, MK_LBUTTON, point, &dropped.Entered)))
        dropped.Entered = DROPEFFECT_NONE;
    if (drop && dropped.Entered != DROPEFFECT_NONE) {
        dropped.Dropped = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
        const DWORD start = GetTickCount();
        if (FAILED(target->Drop(data, 0, point, &dropped.Dropped)))
            dropped.Dropped = DROPEFFECT_NONE;
        dropped.Milliseconds = GetTickCount() - start;
    } else {
        target->DragLeave();
    }
    QueryPerformanceCounter(&start);
    target->Release();
    QueryPerformanceCounter(&end);
    dropped.Release = Milliseconds(start, end);
    if (OnReleased)
        OnReleased();
    return dropped;
}
