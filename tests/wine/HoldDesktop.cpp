// Holds the test run's desktop open. Wine starts the desktop's process for
// the first program that asks for the desktop window, that process keeps the
// program's error output, and it ends a second after the last program on the
// desktop. Asked here, with no output to keep, the desktop stays until this
// program's input ends; "ready" says that it is up.
#include <windows.h>

#include <cstdio>

int main()
{
    if (!GetDesktopWindow())
        return 1;
    std::puts("ready");
    std::fflush(stdout);
    while (std::getchar() != EOF) {
    }
    return 0;
}
