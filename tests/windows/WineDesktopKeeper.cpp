// Keeps Wine's desktop process alive while the test programs come and go. Wine starts it for the
// first program that needs the desktop and ends it about a second after the last such program
// has gone; starting it again costs each windowed test several seconds, some runs twenty. This
// program uses the desktop and waits until its wineserver is stopped.
#include <windows.h>

int main()
{
    GetDesktopWindow();
    Sleep(INFINITE);
    return 0;
}
