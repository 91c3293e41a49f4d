// The front end that plays in a window on this system: an SDL2 window on a desktop, the page's
// canvas in a browser. Made here rather than in main because their lives differ: in a page the
// browser runs the frames after main has returned, so that front end is never freed.
#pragma once

#include <memory>

#include "frontend/sdl/SdlFrontEnd.h"

using WindowFrontEndPtr = std::unique_ptr<CSdlFrontEnd, void (*)(CSdlFrontEnd*)>;

WindowFrontEndPtr MakeWindowFrontEnd();
