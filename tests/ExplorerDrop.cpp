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
// classes: the tests register it under HKLM as well.
const HKEY ClassRoots[] = {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE};

std::set<DWORD> ProgramProcesses()
{
    std::set<DWORD> found;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
        if (lstrcmpiW(entry.szExeFile, L"Tesselo.exe") == 0)
            found.insert(entry.th32ProcessID);
    }
    CloseHandle(snapshot);
    return found;
}

IShellFolder* BoundFolder(PCIDLIST_ABSOLUTE list)
{
    IShellFolder* folder = nullptr;
    EXPECT_HRESULT_SUCCEEDED(SHBindToObject(nullptr, list, nullptr, IID_IShellFolder, reinterpret_cast<void**>(&folder)));
    return folder;
}

IDataObject* UiObject(IShellFolder* folder, const std::vector<PITEMID_CHILD>& children)
{
    IDataObject* data = nullptr;
    EXPECT_HRESULT_SUCCEEDED(folder->GetUIObjectOf(nullptr, static_cast<UINT>(children.size()),
                                                   const_cast<PCUITEMID_CHILD_ARRAY>(children.data()), IID_IDataObject,
                                                   nullptr, reinterpret_cast<void**>(&data)));
    return data;
}

}

TExplorer::TExplorer(const std::string& exe) : FOle(SUCCEEDED(OleInitialize(nullptr)))
{
    const std::wstring command = L"\"" + Wide(exe) + L"\"";
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
    IShellFolder* parent = nullptr;
    if (folder.empty()) {
        SHGetDesktopFolder(&parent);
    } else {
        PIDLIST_ABSOLUTE list = nullptr;
        EXPECT_HRESULT_SUCCEEDED(SHParseDisplayName(folder.c_str(), nullptr, &list, 0, nullptr)) << Narrow(folder);
        parent = list ? BoundFolder(list) : nullptr;
        CoTaskMemFree(list);
    }
    if (!parent)
        return nullptr;
    std::vector<PITEMID_CHILD> children;
    for (const std::wstring& name : names) {
        PIDLIST_RELATIVE child = nullptr;
        std::wstring text = name;
        EXPECT_HRESULT_SUCCEEDED(parent->ParseDisplayName(nullptr, nullptr, &text[0], nullptr, &child, nullptr))
            << Narrow(name);
        if (child)
            children.push_back(reinterpret_cast<PITEMID_CHILD>(child));
    }
    IDataObject* data = UiObject(parent, children);
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
    EXPECT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    SetClipboardData(CF_HDROP, memory);
    CloseClipboard();
    IDataObject* data = nullptr;
    EXPECT_HRESULT_SUCCEEDED(OleGetClipboard(&data));
    return data;
}

TDropped TExplorer::Drop(IDataObject* data, bool drop) const
{
    TDropped dropped;
    const std::set<DWORD> before = ProgramProcesses();
    CLSID id;
    CLSIDFromString(DropTargetClass, &id);
    IDropTarget* target = nullptr;
    const HRESULT created = CoCreateInstance(id, nullptr, CLSCTX_LOCAL_SERVER, IID_IDropTarget, reinterpret_cast<void**>(&target));
    EXPECT_HRESULT_SUCCEEDED(created);
    for (DWORD process : ProgramProcesses()) {
        if (!before.count(process)) {
            dropped.ProcessId = process;
            dropped.Process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION | PROCESS_TERMINATE, FALSE, process);
        }
    }
    if (!target)
        return dropped;
    const POINTL point = {10, 10};
    dropped.Entered = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
    EXPECT_HRESULT_SUCCEEDED(target->DragEnter(data, MK_LBUTTON, point, &dropped.Entered));
    if (drop && dropped.Entered != DROPEFFECT_NONE) {
        dropped.Dropped = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
        const DWORD start = GetTickCount();
        EXPECT_HRESULT_SUCCEEDED(target->Drop(data, 0, point, &dropped.Dropped));
        dropped.Milliseconds = GetTickCount() - start;
    } else {
        target->DragLeave();
    }
    target->Release();
    return dropped;
}

TProgramRun DropOnProgram(const std::string& exe, const std::vector<std::wstring>& paths,
                          const std::vector<TAnswer>& answers)
{
    std::wstring folder;
    std::vector<std::wstring> names;
    for (const std::wstring& path : paths) {
        folder = path.substr(0, path.rfind(L'\\'));
        names.push_back(path.substr(folder.size() + 1));
    }
    const TExplorer explorer(exe);
    // Wine's shell parses no path beyond MAX_PATH, where Explorer on Windows
    // hands over its ID list all the same: such paths go as a list of files.
    IDataObject* data = folder.size() < MAX_PATH - 12 ? explorer.FolderItems(folder, names) : explorer.FileList(paths);
    const TDropped dropped = data ? explorer.Drop(data) : TDropped();
    if (data)
        data->Release();
    EXPECT_EQ(dropped.Dropped, static_cast<DWORD>(DROPEFFECT_COPY));
    if (!dropped.Process)
        return TProgramRun();
    const TProgramRun run = WatchProgram(dropped.Process, dropped.ProcessId, answers);
    CloseHandle(dropped.Process);
    return run;
}
