// Host directories on POSIX systems.
#include "system/HostPaths.h"

#include <unistd.h>
#if defined(__EMSCRIPTEN__)
#include <emscripten.h>
#endif

#include <cstdio>
#include <cstdlib>

#include "DurableFile.h"
#include "HighScoreFormat.h"

std::FILE* OpenFile(const std::filesystem::path& file, const char* mode)
{
    return std::fopen(file.c_str(), mode);
}

#if defined(__EMSCRIPTEN__)
// In a browser the page's files sit at the root of its virtual file system; under Node.js (the
// tests' build, on the machine's own files) they are beside the program's .js file.
EM_JS(char*, ProgramDirectory, (), {
    var where = typeof process === 'object' && typeof __dirname === 'string' ? __dirname : '/';
    return allocateUTF8(where);
});
#endif

std::filesystem::path ExecutableDirectory()
{
#if defined(__EMSCRIPTEN__)
    char* where = ProgramDirectory();
    const std::filesystem::path directory = where != nullptr ? where : "/";
    std::free(where);
    return directory;
#else
    std::error_code code;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", code);
    return code ? std::filesystem::path() : self.parent_path();
#endif
}

std::filesystem::path UserDataDirectory()
{
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    if (dataHome != nullptr && dataHome[0] == '/') {
        return std::filesystem::path(dataHome) / "vantor";
    }
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] != '\0') {
        return std::filesystem::path(home) / ".local" / "share" / "vantor";
    }
    return {};
}

void WarnIfWorkDirectoryReadOnly()
{
    // What the game's save will find there, by the save's own rules (DurableFile).
    std::error_code code;
    const std::filesystem::path here = std::filesystem::current_path(code);
    const std::string shown = (here / kHighScorePath).string();
    switch (DurableFile::Inspect(kHighScorePath)) {
    case DurableFile::Kind::NotAFile:
        std::fprintf(stderr, "vantor: warning: %s is not a regular file; it is left alone and "
                             "the high score is neither read nor saved\n", shown.c_str());
        return;
    case DurableFile::Kind::ReadOnly:
        std::fprintf(stderr, "vantor: warning: %s is read-only; the high score will not be saved\n",
                     shown.c_str());
        return;
    case DurableFile::Kind::Missing:
    case DurableFile::Kind::Writable:
        break;
    }
    // The save goes beside the file, or beside the target of a link.
    const std::filesystem::path target = DurableFile::FollowLinks(kHighScorePath);
    const std::filesystem::path directory = target.has_parent_path() ? target.parent_path() : here;
    if (::access(directory.c_str(), W_OK) != 0) {
        std::fprintf(stderr, "vantor: warning: cannot write in %s; the high score will not be saved\n",
                     directory.c_str());
    }
}
