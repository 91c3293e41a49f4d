// Keeps Wine's desktop process alive while the test programs come and go. Wine starts it for the
// first program that needs the desktop and ends it about a second after the last such program
// has gone; starting it again costs each windowed test several seconds, some runs twenty. This
// program uses the desktop, says "ready" on its output once it has it, and waits until its
// wineserver is stopped.
#include <windows.h>

#include <cstdio>

int main()
{
    if (GetDesktopWindow() == nullptr) {
        std::fputs("no desktop window\n", stderr);
        return 1;
    }
    std::puts("ready");
    std::fflush(stdout);
    Sleep(INFINITE);
    return 0;
}
