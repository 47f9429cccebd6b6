// Benchmark reference: Explorer's part of a drop, through the tests' stand-in
// for Explorer. Hands the first n files of a folder (in name order) to a
// drop target as the folder's own data object: Tesselo's, or with CLASS,
// that class's, registered for EXE while the client runs (the bare server's). Waits for the
// server to end and prints three times in ms: from just before the class is
// created to the server's end (what the server costs, without the time the
// data object took to build), the creation alone, and the client's final
// release of the target.
// Usage: DropClient EXE FOLDER N [CLASS]
#include "ExplorerDrop.h"

#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

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

}

int main()
{
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (count != 4 && count != 5) {
        std::fputs("Usage: DropClient EXE FOLDER N [CLASS]\n", stderr);
        return 2;
    }
    const std::wstring exe = arguments[1];
    const std::wstring folder = arguments[2];
    const size_t n = static_cast<size_t>(_wtoi(arguments[3]));
    const std::wstring otherClass = count == 5 ? arguments[4] : std::wstring();
    LocalFree(arguments);

    double milliseconds = -1;
    TDropped dropped;
    {
        const TExplorer explorer(exe, otherClass);
        const std::vector<std::wstring> names = FirstFiles(folder, n);
        IDataObject* data = names.size() == n ? explorer.FolderItems(folder, names) : nullptr;
        if (data) {
            LARGE_INTEGER frequency, start, end;
            QueryPerformanceFrequency(&frequency);
            QueryPerformanceCounter(&start);
            dropped = explorer.Drop(data, true, otherClass.empty() ? DropTargetClass : otherClass.c_str());
            data->Release();
            if (dropped.Process) {
                WaitForSingleObject(dropped.Process, INFINITE);
                QueryPerformanceCounter(&end);
                CloseHandle(dropped.Process);
                if (dropped.Dropped != DROPEFFECT_NONE)
                    milliseconds = static_cast<double>(end.QuadPart - start.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
            }
        }
    }
    if (milliseconds < 0) {
        std::fputs("The drop failed.\n", stderr);
        return 1;
    }
    std::printf("%.1f %.1f %.1f\n", milliseconds, dropped.Creation, dropped.Release);
    return 0;
}
