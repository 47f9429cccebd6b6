#include "ProgramDriver.h"

#include "ExplorerDrop.h"

#include "TestSupport.h"
#include "TestWindows.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace {

const DWORD TimeLimit = 30000;

struct TFind {
    DWORD Process;
    HWND Front;
};

// The window the user can act on: visible, with an area, and enabled (a
// dialog under a message box is disabled).
BOOL CALLBACK FindFront(HWND window, LPARAM data)
{
    TFind& find = *reinterpret_cast<TFind*>(data);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    RECT bounds;
    if (process == find.Process && IsWindowVisible(window) && IsWindowEnabled(window) && GetWindowRect(window, &bounds)
        && bounds.right > bounds.left && bounds.bottom > bounds.top) {
        find.Front = window;
        return FALSE;
    }
    return TRUE;
}

// Another process's list view, read through memory in that process: the
// list writes each cell into the buffer its caller names.
std::vector<std::vector<std::wstring>> ListViewRows(HWND list)
{
    std::vector<std::vector<std::wstring>> rows;
    DWORD processId = 0;
    GetWindowThreadProcessId(list, &processId);
    const HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
    if (!process)
        return rows;
    const size_t textMax = 4096;
    char* remote = static_cast<char*>(
        VirtualAllocEx(process, nullptr, sizeof(LVITEMW) + textMax * sizeof(wchar_t), MEM_COMMIT, PAGE_READWRITE));
    const int count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    const HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
    const int columns = static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
    std::vector<wchar_t> text(textMax);
    for (int row = 0; remote && row < count; ++row) {
        rows.emplace_back();
        for (int column = 0; column < columns; ++column) {
            LVITEMW item = {};
            item.iSubItem = column;
            item.pszText = reinterpret_cast<wchar_t*>(remote + sizeof(LVITEMW));
            item.cchTextMax = static_cast<int>(textMax);
            WriteProcessMemory(process, remote, &item, sizeof item, nullptr);
            const size_t length = static_cast<size_t>(
                SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(remote)));
            ReadProcessMemory(process, item.pszText, text.data(), (length + 1) * sizeof(wchar_t), nullptr);
            rows.back().emplace_back(text.data(), length);
        }
    }
    if (remote)
        VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
    return rows;
}

TWindowSeen Describe(HWND window)
{
    TWindowSeen seen;
    seen.Caption = WindowText(window);
    seen.Kind = seen.Caption;
    if (IsMessageBox(window)) {
        seen.Kind = "box";
        seen.Text = MessageBoxText(window);
        // Which icon it shows cannot be told from another process: the
        // dialog tests check that.
        const HWND icon = MessageBoxIcon(window);
        seen.Icon = icon && IsWindowVisible(icon) && SendMessageW(icon, STM_GETICON, 0, 0) ? "shown" : "none";
        seen.OkOnly = HasOkOnly(window);
    } else if (BrowserTree(window)) {
        seen.Kind = "browser";
    }
    for (HWND edit : Children(window, "Edit"))
        seen.WideFields.push_back(WideWindowText(edit));
    for (HWND label : Children(window, "Static"))
        seen.Labels.push_back(WindowText(label));
    for (HWND button : Children(window, "Button"))
        seen.Buttons.push_back(WindowText(button));
    seen.ProgressBar = !Children(window, PROGRESS_CLASSA).empty();
    for (HWND list : Children(window, WC_LISTVIEWA)) {
        seen.Kind = "preview";
        seen.WideRows = ListViewRows(list);
        // The last label, the summary under the list.
        seen.Text = WindowText(Children(window, "Static").back());
    }
    for (HWND list : Children(window, "ListBox")) {
        const int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
        // Wine hands another process a list's text as UTF-16 whichever way it
        // is asked, so ask for that and convert as the program would.
        for (int i = 0; i < count; ++i) {
            std::wstring line(static_cast<size_t>(SendMessageW(list, LB_GETTEXTLEN, i, 0)) + 1, L'\0');
            line.resize(static_cast<size_t>(SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(&line[0]))));
            seen.WideLines.push_back(line);
        }
        // The last label, the line under the list.
        seen.Text = WindowText(Children(window, "Static").back());
    }
    return seen;
}

void SendKeys(const std::vector<WORD>& keys, bool ctrl)
{
    std::vector<INPUT> inputs;
    auto add = [&](WORD key, DWORD flags) {
        INPUT input = {};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key;
        input.ki.dwFlags = flags;
        inputs.push_back(input);
    };
    for (WORD key : keys) {
        if (ctrl)
            add(VK_CONTROL, 0);
        add(key, 0);
        add(key, KEYEVENTF_KEYUP);
        if (ctrl)
            add(VK_CONTROL, KEYEVENTF_KEYUP);
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

// Keys go to the window in front; it must be the foreground one first.
void BringToFront(HWND window)
{
    SetForegroundWindow(window);
    for (int i = 0; i < 50 && GetForegroundWindow() != window; ++i)
        Sleep(20);
    Sleep(100);
}

// A folder browser selects its start folder while it fills its tree, which
// takes its time under load: the selection must have come and stayed.
HTREEITEM SettledSelection(HWND tree)
{
    HTREEITEM last = nullptr;
    for (int stable = 0, i = 0; i < 100 && stable < 5; ++i) {
        Sleep(100);
        const HTREEITEM now = TreeSelection(tree);
        stable = now && now == last ? stable + 1 : 0;
        last = now;
    }
    return last;
}

}

std::string WindowsPathOf(const std::string& unixPath)
{
    std::string path = "Z:" + unixPath;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

bool IsAnsiProgram()
{
    const char* program = std::getenv("TESSELO_PROGRAM");
    return program && std::string(program) == "ansi";
}

std::string TesseloExe()
{
    return WindowsPathOf(IsAnsiProgram() ? TESSELO_ANSI_EXE_PATH : TESSELO_EXE_PATH);
}

std::vector<std::wstring> WideDirectoryNames(const std::wstring& directory)
{
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((directory + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        const std::wstring name = found.cFileName;
        if (name != L"." && name != L"..")
            names.push_back(name);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::string> DirectoryNames(const std::string& directory)
{
    std::vector<std::string> names;
    for (const std::wstring& name : WideDirectoryNames(TestPath(directory)))
        names.push_back(Narrow(name));
    std::sort(names.begin(), names.end());
    return names;
}

TProgramCopy::TProgramCopy()
    : Folder(Root / ("my " + (IsDoubleByteCodePage() ? TrailBackslash + "\x83\x5C" : "\xE9") + " program"))
{
    for (const std::string& folder : {Folder, Src, Out})
        MakeDirectory(folder);
    EXPECT_TRUE(CopyFileA(TesseloExe().c_str(), Exe.c_str(), TRUE)) << Exe;
}

TProgramRun RunProgram(const std::string& exe, const std::wstring& arguments, const std::vector<TAnswer>& answers,
                       const std::string& directory)
{
    TProgramRun run;
    std::wstring commandLine = L"\"" + Wide(exe) + L"\" " + arguments;
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    auto start = [&] {
        return CreateProcessW(Wide(exe).c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                              Wide(directory).c_str(), &startup, &process);
    };
    // Wine fails a start with ERROR_INTERNAL_ERROR when the new process ends
    // before it has reported itself started, before any code of the program
    // runs. A loop that only starts Tesselo.exe did so once in 650 starts of
    // fresh copies and once in 4,000 of the built one, with nothing on the
    // error output and no signal in the kernel's log: start it once more.
    if (!start() && (GetLastError() != ERROR_INTERNAL_ERROR || !start())) {
        ADD_FAILURE() << "cannot start " << exe << ": error " << GetLastError();
        return run;
    }
    CloseHandle(process.hThread);
    run = WatchProgram(process.hProcess, process.dwProcessId, answers);
    CloseHandle(process.hProcess);
    return run;
}

TProgramRun WatchProgram(HANDLE process, DWORD processId, const std::vector<TAnswer>& answers)
{
    TProgramRun run;
    const DWORD deadline = GetTickCount() + TimeLimit;
    for (HWND handled = nullptr; WaitForSingleObject(process, 30) == WAIT_TIMEOUT;) {
        if (GetTickCount() > deadline) {
            ADD_FAILURE() << "the program did not end; windows seen: " << run.Seen.size();
            TerminateProcess(process, 1);
            WaitForSingleObject(process, INFINITE);
            break;
        }
        TFind find = {processId, nullptr};
        EnumWindows(FindFront, reinterpret_cast<LPARAM>(&find));
        if (!find.Front || find.Front == handled)
            continue;
        handled = find.Front;
        Sleep(50); // let the window finish showing
        TWindowSeen seen = Describe(handled);
        if (run.Seen.size() < answers.size()) {
            answers[run.Seen.size()](handled, seen);
        } else {
            ADD_FAILURE() << "unexpected window \"" << seen.Caption << "\": " << seen.Text;
            PostMessageA(handled, WM_CLOSE, 0, 0);
        }
        run.Seen.push_back(seen);
    }
    run.Ended = GetExitCodeProcess(process, &run.ExitCode) && run.ExitCode != STILL_ACTIVE;
    EXPECT_GE(run.Seen.size(), answers.size()) << "windows expected but not shown";
    return run;
}

TProgramRun DropOnProgram(const std::string& exe, const std::vector<std::wstring>& paths,
                          const std::vector<TAnswer>& answers, const wchar_t* classId,
                          std::function<void()> onReleased)
{
    std::wstring folder;
    std::vector<std::wstring> names;
    for (const std::wstring& path : paths) {
        folder = path.substr(0, path.rfind(L'\\'));
        names.push_back(path.substr(folder.size() + 1));
    }
    TExplorer explorer(Wide(exe));
    explorer.OnReleased = std::move(onReleased);
    // Wine's shell parses no path beyond MAX_PATH, where Explorer on Windows
    // hands over its ID list all the same: such paths go as a list of files.
    IDataObject* data = folder.size() < MAX_PATH - 12 ? explorer.FolderItems(folder, names) : explorer.FileList(paths);
    if (!data) {
        ADD_FAILURE() << "no data object for " << Narrow(folder);
        return TProgramRun();
    }
    const TDropped dropped = explorer.Drop(data, true, classId ? classId : DropTargetClass);
    data->Release();
    EXPECT_HRESULT_SUCCEEDED(dropped.Created);
    EXPECT_EQ(dropped.Dropped, static_cast<DWORD>(DROPEFFECT_COPY));
    if (!dropped.Process)
        return TProgramRun();
    const TProgramRun run = WatchProgram(dropped.Process, dropped.ProcessId, answers);
    CloseHandle(dropped.Process);
    return run;
}

TAnswer Press(int command)
{
    return [command](HWND window, TWindowSeen&) { PostMessageA(window, WM_COMMAND, command, 0); };
}

TAnswer ChoosePreview(int grouping, bool move, const std::wstring& name)
{
    return [=](HWND window, TWindowSeen& seen) {
        const HWND combo = Children(window, "ComboBox").at(0);
        SendMessageW(combo, CB_SETCURSEL, grouping, 0);
        SendMessageW(window, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
        // The buttons: the check box, then OK and Cancel.
        const HWND check = Children(window, "Button").at(0);
        if ((SendMessageW(check, BM_GETCHECK, 0, 0) == BST_CHECKED) != move)
            SendMessageW(check, BM_CLICK, 0, 0);
        SendMessageW(Children(window, "Edit").at(0), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
        seen.WideRows = ListViewRows(Children(window, WC_LISTVIEWA).at(0));
        PostMessageA(window, WM_COMMAND, IDOK, 0);
    };
}

TAnswer ChooseCommand(int command)
{
    return [command](HWND window, TWindowSeen&) {
        const std::vector<HWND> radios = Children(window, "Button");
        // The radio buttons come first, before Execute and Cancel.
        SendMessageA(radios.at(static_cast<size_t>(command)), BM_CLICK, 0, 0);
        PostMessageA(window, WM_COMMAND, IDOK, 0);
    };
}

TAnswer EditOption(int field, const std::wstring& text)
{
    return [field, text](HWND window, TWindowSeen&) {
        SendMessageW(Children(window, "Edit").at(static_cast<size_t>(field)), WM_SETTEXT, 0,
                     reinterpret_cast<LPARAM>(text.c_str()));
        PostMessageA(window, WM_COMMAND, IDOK, 0);
    };
}

TAnswer CopyAll()
{
    return [](HWND window, TWindowSeen& seen) {
        BringToFront(window);
        const DWORD before = GetClipboardSequenceNumber();
        SendKeys({'A', 'C'}, true);
        for (int i = 0; i < 100 && GetClipboardSequenceNumber() == before; ++i)
            Sleep(20);
        seen.WideClipboard = ClipboardData<wchar_t>(CF_UNICODETEXT);
        seen.PlainClipboard = ClipboardData<char>(CF_TEXT);
        PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
    };
}

TAnswer Watch()
{
    return [](HWND, TWindowSeen&) {};
}

TAnswer TypeKeysThenOk(const std::vector<WORD>& keys)
{
    return [keys](HWND window, TWindowSeen&) {
        HWND tree = BrowserTree(window);
        const HTREEITEM start = tree ? SettledSelection(tree) : nullptr;
        BringToFront(window);
        SendKeys(keys, false);
        for (int i = 0; i < 50 && tree && TreeSelection(tree) == start; ++i)
            Sleep(20);
        Sleep(100);
        PostMessageA(window, WM_COMMAND, IDOK, 0);
    };
}
