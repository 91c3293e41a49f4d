// Running a session with a front end: the session is shared with the frames, which a browser page
// runs after RunSession has returned.
#include "session/SessionLoop.h"

#include <cstdlib>
#include <memory>

#include "session/Session.h"
#include "system/HostPaths.h"

int RunSession(const HostOptions& options, CFrontEnd& frontEnd)
{
    return RunSession(options, frontEnd, ExecutableDirectory());
}

int RunSession(const HostOptions& options, CFrontEnd& frontEnd, const std::filesystem::path& executableDirectory)
{
    auto session = std::make_shared<CSession>(options, frontEnd, executableDirectory);
    if (!session->Start()) {
        return EXIT_FAILURE;
    }
    auto status = std::make_shared<int>(EXIT_SUCCESS);
    frontEnd.RunFrames([session] { return session->Step(); },
                       [session, status] {
                           *status = session->Finish();
                           return *status;
                       });
    return *status;
}
