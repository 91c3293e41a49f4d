// The window front end on a desktop (Windows, Linux): main's, freed when main is done with it.
#include "frontend/sdl/WindowFrontEnd.h"

WindowFrontEndPtr MakeWindowFrontEnd()
{
    return {new CSdlFrontEnd(WindowPlace::Desktop), [](CSdlFrontEnd* frontEnd) { delete frontEnd; }};
}
