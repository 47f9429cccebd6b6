// Benchmark reference: nothing but the creation of each new directory; the
// sources are taken to be regular files without asking.
// Usage: BareLoop OUTPUT SOURCE...
#include "BenchNames.h"

#include <windows.h>

#include <cstdlib>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    for (int i = 2; i < __argc; ++i)
        CreateNewName(__argv[1], __argv[i], true);
    return 0;
}
