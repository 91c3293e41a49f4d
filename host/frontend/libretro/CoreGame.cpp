// The game inside the RetroArch core.
#include "frontend/libretro/CoreGame.h"

#include "frontend/libretro/SaveState.h"
#include "session/HostSession.h"

CCoreGame::CCoreGame(const RetroCallbacks& givenCallbacks, std::filesystem::path givenHome,
                     std::filesystem::path saves)
    : callbacks(givenCallbacks), frontEnd(givenCallbacks), home(std::move(givenHome))
{
    options.workDirectory = std::move(saves);
    options.dt = CLibretroFrontEnd::kFrameTime;
}

CCoreGame::~CCoreGame()
{
    const CWorkDirectoryVisit visit(workDirectory);
    EndSession();
}

bool CCoreGame::Start()
{
    return StartSession(nullptr);
}

bool CCoreGame::StartSession(std::unique_ptr<CReplayReader> earlier)
{
    // Entering the work directory is part of the session's start; the frontend's own directory
    // is back once the start is over, as after every call.
    const CWorkDirectoryVisit visit(workDirectory);
    auto next = std::make_unique<CSession>(options, frontEnd, home);
    std::int64_t catchUp = 0;
    if (earlier != nullptr) {
        catchUp = earlier->FrameCount();
        next->ResumeFrom(std::move(earlier));
    }
    if (!next->Start()) {
        return false;
    }
    session = std::move(next);
    if (!workDirectory.Hold(options.workDirectory)) {
        ReportProblem("warning: cannot hold on to " + options.workDirectory.string());
    }
    frontEnd.SetCatchingUp(true);
    for (std::int64_t i = 0; i < catchUp && session != nullptr; ++i) {
        if (!session->Step()) {
            EndSession();
        }
    }
    frontEnd.SetCatchingUp(false);
    return true;
}

void CCoreGame::EndSession()
{
    if (session != nullptr) {
        session->Finish();
        session.reset();
    }
}

void CCoreGame::Run()
{
    if (session == nullptr) {
        frontEnd.SendIdleFrame();
        return;
    }
    const CWorkDirectoryVisit visit(workDirectory);
    const bool goesOn = session->Step();
    frontEnd.SendSound();
    if (!goesOn) {
        EndSession();
        if (callbacks.environment != nullptr) {
            callbacks.environment(RETRO_ENVIRONMENT_SHUTDOWN, nullptr);
        }
    }
}

bool CCoreGame::Reset()
{
    {
        const CWorkDirectoryVisit visit(workDirectory);
        EndSession();
    }
    return StartSession(nullptr);
}

bool CCoreGame::Save(void* state, std::size_t size)
{
    const CReplayEncoder* recording = session != nullptr ? session->Recording() : nullptr;
    if (recording == nullptr) {
        return false;
    }
    std::string error;
    if (!SaveState::Encode(*recording, static_cast<std::uint8_t*>(state), size, error)) {
        ReportProblem("cannot save the state: " + error);
        return false;
    }
    return true;
}

bool CCoreGame::Load(const void* state, std::size_t size)
{
    auto earlier = std::make_unique<CReplayReader>();
    std::string error;
    if (!SaveState::Decode(static_cast<const std::uint8_t*>(state), size, *earlier, error)) {
        ReportProblem("cannot load the state: " + error);
        return false;
    }
    {
        const CWorkDirectoryVisit visit(workDirectory);
        EndSession();
    }
    return StartSession(std::move(earlier));
}
