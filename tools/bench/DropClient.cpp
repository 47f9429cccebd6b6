// Benchmark reference: Explorer's part of a drop on Tesselo, through the
// tests' stand-in for Explorer. Hands the first n files of a folder (in name
// order) to the program's drop target as the folder's own data object, waits
// for the server to end and prints the milliseconds from just before the
// class is created to the server's end: what the program costs, without the
// time the data object took to build.
// Usage: DropClient TESSELO.EXE FOLDER N
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
    if (count != 4) {
        std::fputs("Usage: DropClient TESSELO.EXE FOLDER N\n", stderr);
        return 2;
    }
    const std::wstring exe = arguments[1];
    const std::wstring folder = arguments[2];
    const size_t n = static_cast<size_t>(_wtoi(arguments[3]));
    LocalFree(arguments);

    double milliseconds = -1;
    {
        const TExplorer explorer(exe);
        const std::vector<std::wstring> names = FirstFiles(folder, n);
        IDataObject* data = names.size() == n ? explorer.FolderItems(folder, names) : nullptr;
        if (data) {
            LARGE_INTEGER frequency, start, end;
            QueryPerformanceFrequency(&frequency);
            QueryPerformanceCounter(&start);
            const TDropped dropped = explorer.Drop(data);
            data->Release();
            if (dropped.Process) {
                WaitForSingleObject(dropped.Process, INFINITE);
                QueryPerformanceCounter(&end);
                CloseHandle(dropped.Process);
                if (dropped.Dropped != DROPEFFECT_NONE)
                    milliseconds = (end.QuadPart - start.QuadPart) * 1000.0 / frequency.QuadPart;
            }
        }
    }
    if (milliseconds < 0) {
        std::fputs("The drop failed.\n", stderr);
        return 1;
    }
    std::printf("%.1f\n", milliseconds);
    return 0;
}
