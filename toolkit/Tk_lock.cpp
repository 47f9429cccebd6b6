#include "Tk_lock.h"

#include "Tk_exceptions.h"
#include "Tk_strings.h"

TNamedLock::TNamedLock(const std::string& name)
    : FMutex(CreateMutexW(nullptr, FALSE, AnsiToWide(name).data()))
{
    if (!FMutex)
        throw Exception("The program could not get the lock of its records.");
    // A holder that ended without letting go leaves the lock abandoned, and
    // it is ours then: what it guards is only ever replaced whole.
    const DWORD waited = WaitForSingleObject(FMutex, INFINITE);
    if (waited != WAIT_OBJECT_0 && waited != WAIT_ABANDONED) {
        CloseHandle(FMutex);
        throw Exception("The program could not get the lock of its records.");
    }
}

TNamedLock::~TNamedLock()
{
    ReleaseMutex(FMutex);
    CloseHandle(FMutex);
}
