// A lock that the program's processes share: the runs and undos of one
// program folder, each a process of its own, take turns on its files.
#pragma once

#include "Tk_handles.h"

#include <string>

class TNamedLock {
public:
    // Waits for the lock of that name, made for the session when no process
    // holds it yet. Exception when the system gives no lock.
    explicit TNamedLock(const std::string& name);
    ~TNamedLock();
    TNamedLock(const TNamedLock&) = delete;
    TNamedLock& operator=(const TNamedLock&) = delete;

private:
    HANDLE FMutex;
};
