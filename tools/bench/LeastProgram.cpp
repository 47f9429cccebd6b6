// Benchmark reference: the least program that does Tesselo's job, one call
// for each step of a source: its full path, its long form, whether it is a
// file, and the creation of its directory.
// Usage: LeastProgram OUTPUT SOURCE|@LISTFILE...
#include "BenchNames.h"

#include <windows.h>

#include <cstdlib>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    for (const std::string& source : Sources(__argc, __argv)) {
        char full[MAX_PATH];
        char longPath[MAX_PATH];
        if (!GetFullPathNameA(source.c_str(), MAX_PATH, full, nullptr) || !GetLongPathNameA(full, longPath, MAX_PATH))
            continue;
        const DWORD attributes = GetFileAttributesA(longPath);
        if (attributes != INVALID_FILE_ATTRIBUTES)
            CreateNewName(__argv[1], longPath, !(attributes & FILE_ATTRIBUTE_DIRECTORY));
    }
    return 0;
}
