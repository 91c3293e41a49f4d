// The window front end of the web build: the page's, never freed, as the browser runs the
// frames after main has returned and the page lives on after the session.
#include "frontend/sdl/WindowFrontEnd.h"

#include "frontend/web/WebFrontEnd.h"

WindowFrontEndPtr MakeWindowFrontEnd()
{
    return {new CWebFrontEnd(), [](CSdlFrontEnd*) {}};
}
