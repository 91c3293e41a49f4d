// vantor: plays the game in a window, or headless for scripted runs and traces.
#define SDL_MAIN_HANDLED   // our own main on every system; SDL needs no start-up code of its own
#include <cstdio>
#include <cstdlib>

#include "CommandLine.h"
#include "HeadlessFrontEnd.h"
#include "HostConsole.h"
#include "HostSession.h"
#include "SdlFrontEnd.h"
#include "SessionLoop.h"

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
    CSdlFrontEnd window;
    return RunSession(options, window);
}

}  // namespace

int main(int argc, char** argv)
{
    HostConsoleStart();
    const int status = Run(argc, argv);
    if (status != EXIT_SUCCESS) {
        HostConsoleShowFailure(LastProblem());
    }
    return status;
}
