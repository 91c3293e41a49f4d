// The game inside the RetroArch core: one session at a time, played a frame per retro_run, with
// its work directory entered only during the core's calls. Reset and a loaded save state start a
// fresh session; the game's Quit ends the session and asks the frontend to close the core.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "frontend/libretro/LibretroFrontEnd.h"
#include "frontend/libretro/WorkDirectoryVisit.h"
#include "session/CommandLine.h"
#include "session/Session.h"

class CCoreGame {
public:
    // home: the directory holding data/; saves: where the high score and best.replay live.
    CCoreGame(const RetroCallbacks& callbacks, std::filesystem::path home, std::filesystem::path saves);
    ~CCoreGame();
    CCoreGame(const CCoreGame&) = delete;
    CCoreGame& operator=(const CCoreGame&) = delete;

    // The first session; false (reported) when the game cannot start.
    bool Start();
    void SetButtonsAsMask(bool value) { frontEnd.SetButtonsAsMask(value); }
    // One frame, picture and sound.
    void Run();
    // A new game from the start.
    bool Reset();
    bool Save(void* state, std::size_t size);
    // Plays the state's recording into a fresh game, silently; false (the game as it was) when
    // the state cannot be read.
    bool Load(const void* state, std::size_t size);

private:
    bool StartSession(std::unique_ptr<CReplayReader> earlier);
    void EndSession();

    const RetroCallbacks& callbacks;
    CLibretroFrontEnd frontEnd;
    HostOptions options;
    std::filesystem::path home;
    CWorkDirectory workDirectory;
    std::unique_ptr<CSession> session;
};
