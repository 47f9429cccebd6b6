// Benchmark reference: nothing but the creation of each new directory; the
// sources are taken to be regular files without asking. Built as
// IdentityLoop, it also asks each directory made for its identity, as
// Tesselo's record of the run does, through the same reader.
// Usage: BareLoop OUTPUT SOURCE|@LISTFILE...
#include "BenchNames.h"

#ifdef BENCH_IDENTITY
#include "Tk_files.h"
#endif

#include <windows.h>

#include <cstdlib>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
#ifdef BENCH_IDENTITY
    TIdentityReader identities;
#endif
    for (const std::string& source : Sources(__argc, __argv)) {
        [[maybe_unused]] const std::string made = CreateNewName(__argv[1], source, true);
#ifdef BENCH_IDENTITY
        TFileIdentity identity;
        if (!made.empty())
            identities.Get(made, identity);
#endif
    }
    return 0;
}
