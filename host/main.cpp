// vantor: plays the game in a window, or headless for scripted runs and traces.
#define SDL_MAIN_HANDLED   // our own main on every system; SDL needs no start-up code of its own
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <new>

#include "session/CommandLine.h"
#include "frontend/headless/HeadlessFrontEnd.h"
#include "system/HostConsole.h"
#include "system/LibrarySearch.h"
#include "session/HostSession.h"
#include "frontend/sdl/WindowFrontEnd.h"
#include "session/SessionLoop.h"

namespace {

int Run(int argc, char** argv)
{
    HostOptions options;
    std::string error;
    if (!ParseCommandLine(argc, argv, options, error)) {
        ReportProblem(error);
        return EXIT_FAILURE;
    }
    if (options.help) {
        std::fputs(HelpText().c_str(), stdout);
        return EXIT_SUCCESS;
    }
    if (options.version) {
        std::printf("vantor %s\n", VANTOR_VERSION);
        return EXIT_SUCCESS;
    }
    if (options.headless) {
        CHeadlessFrontEnd headless(options);
        return RunSession(options, headless);
    }
    const WindowFrontEndPtr windowFrontEnd = MakeWindowFrontEnd();
    CSdlFrontEnd& window = *windowFrontEnd;
    const int status = RunSession(options, window);
    if (window.TeardownUnfinished()) {
        // The sound device or SDL is still closing on its thread; the game's files are closed,
        // so the process ends now rather than wait for it.
        if (status != EXIT_SUCCESS) {
            HostConsoleShowFailure(LastProblem());
        }
        std::fflush(nullptr);
        std::_Exit(status);
    }
    return status;
}

}  // namespace

int main(int argc, char** argv)
{
    LibrarySearchRestrict();   // before anything may load a library by name
    HostConsoleStart();
    // Nothing may end the program without a word: what the host did not foresee is said in one
    // line. The game module's own code never throws across its boundary.
    int status = EXIT_FAILURE;
    try {
        status = Run(argc, argv);
    } catch (const std::bad_alloc&) {
        ReportProblem("out of memory");
    } catch (const std::exception& problem) {
        ReportProblem(std::string("unexpected failure: ") + problem.what());
    } catch (...) {
        ReportProblem("unexpected failure");
    }
    if (status != EXIT_SUCCESS) {
        HostConsoleShowFailure(LastProblem());
    }
    return status;
}
