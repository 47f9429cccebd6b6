// Benchmark helper: starts a program from inside Wine and prints the ms from
// just before CreateProcess to the end of its process, so that Wine's loader
// started from Linux, the same for every program, does not hide the
// difference between two small ones.
// Usage: Starter PROGRAM [ARGUMENT...]
#include <windows.h>

#include <cstdio>

namespace {

// The command line after the starter's own name, as it was given.
wchar_t* Rest(wchar_t* line)
{
    bool quoted = false;
    for (; *line && (quoted || (*line != L' ' && *line != L'\t')); ++line) {
        if (*line == L'"')
            quoted = !quoted;
    }
    while (*line == L' ' || *line == L'\t')
        ++line;
    return line;
}

}

int main()
{
    wchar_t* command = Rest(GetCommandLineW());
    if (!*command) {
        std::fputs("Usage: Starter PROGRAM [ARGUMENT...]\n", stderr);
        return 2;
    }
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process;
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    if (!CreateProcessW(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        std::fprintf(stderr, "CreateProcess failed: %lu\n", GetLastError());
        return 1;
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    QueryPerformanceCounter(&end);
    DWORD code = 1;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    std::printf("%.1f\n", (end.QuadPart - start.QuadPart) * 1000.0 / frequency.QuadPart);
    return code == 0 ? 0 : 1;
}
