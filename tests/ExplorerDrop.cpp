#include "ExplorerDrop.h"

#include <shlobj.h>
#include <tlhelp32.h>

#include <cstring>
#include <set>

const wchar_t* const DropTargetClass = L"{AEFD9727-B9A8-48D3-BBBD-1A9F5391B483}";
const wchar_t* const ThisPc = L"::{20D04FE0-3AEA-1069-A2D8-08002B30309D}";

namespace {

const std::wstring ClassKey = std::wstring(L"Software\\Classes\\CLSID\\") + DropTargetClass;

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

TExplorer::TExplorer(const std::wstring& exe)
    : FExeName(exe.substr(exe.rfind(L'\\') + 1)), FOle(SUCCEEDED(OleInitialize(nullptr)))
{
    const std::wstring command = L"\"" + exe + L"\"";
    for (HKEY root : ClassRoots)
        RegSetKeyValueW(root, (ClassKey + L"\\LocalServer32").c_str(), nullptr, REG_SZ, command.c_str(),
                        static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t)));
}

TExplorer::~TExplorer()
{
    for (HKEY root : ClassRoots)
        RegDeleteTreeW(root, ClassKey.c_str());
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

TDropped TExplorer::Drop(IDataObject* data, bool drop) const
{
    TDropped dropped;
    const std::set<DWORD> before = Processes(FExeName);
    CLSID id;
    CLSIDFromString(DropTargetClass, &id);
    IDropTarget* target = nullptr;
    dropped.Created = CoCreateInstance(id, nullptr, CLSCTX_LOCAL_SERVER, IID_IDropTarget, reinterpret_cast<void**>(&target));
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
    target->Release();
    return dropped;
}
