// Benchmark reference: nothing but the creation of each new directory; the
// sources are taken to be regular files without asking.
// Usage: BareLoop OUTPUT SOURCE|@LISTFILE...
#include "BenchNames.h"

#include <windows.h>

#include <cstdlib>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    for (const std::string& source : Sources(__argc, __argv))
        CreateNewName(__argv[1], source, true);
    return 0;
}
