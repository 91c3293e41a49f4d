// The program's directory in the web build. In a browser the page's files sit at the root of its
// virtual file system; under Node.js (the tests' build, on the machine's own files) they are
// beside the program's .js file.
#include "system/HostPaths.h"

#include <emscripten.h>

#include <cstdlib>

EM_JS(char*, ProgramDirectory, (), {
    var where = typeof process === 'object' && typeof __dirname === 'string' ? __dirname : '/';
    return allocateUTF8(where);
});

std::filesystem::path ExecutableDirectory()
{
    char* where = ProgramDirectory();
    const std::filesystem::path directory = where != nullptr ? where : "/";
    std::free(where);
    return directory;
}
