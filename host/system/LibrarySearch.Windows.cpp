// Windows looks for a library loaded by name (SDL's video, input and shader-compiler libraries)
// in the current directory and on PATH as well, unless told otherwise.
#include "system/LibrarySearch.h"

#include <windows.h>

void LibrarySearchRestrict()
{
    // It fails only on a Windows 7 without KB2533623, which the plug-in loader's search flags
    // need as well: that loader then names the problem.
    SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_APPLICATION_DIR | LOAD_LIBRARY_SEARCH_SYSTEM32);
}
