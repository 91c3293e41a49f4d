// What both front ends share at start-up: the two plug-ins loaded from the directory that the
// executable's place gives (beside it in a build tree, lib/vantor when installed), the services
// and engine, the input object and the game state. Every step is checked and a
// failure is described in one plain sentence.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "engine/GraphicsService.h"
#include "engine/HostEngine.h"
#include "system/HostPaths.h"
#include "system/PluginLibrary.h"
#include "engine/SoundOutput.h"
#include "engine/SoundService.h"
#include "VantorInput.h"

class CHostSession {
public:
    explicit CHostSession(const std::filesystem::path& executableDirectory);
    explicit CHostSession(const HostLayout& layout);
    CHostSession(const CHostSession&) = delete;
    CHostSession& operator=(const CHostSession&) = delete;

    // Loads Pellam and VantorDirectInput and finds their factories.
    bool LoadPlugins(std::string& error);
    // Makes the input object and initialises it with the engine (the window must exist).
    bool StartInput(std::string& error);
    // Makes the game state and attaches it; on failure names the asset that failed to load.
    bool StartGame(std::string& error);
    // Whether the game's pictures and sounds are where the plug-ins expect them; false with a
    // line for the player. Asked before anything reads them, so that it is the first word.
    bool CheckData(std::string& error) const;
    // Sends sounds to this output from now on (the silent one until a front end sets another).
    void SetSoundOutput(CSoundOutput& output) { sound.SetOutput(output); }
    void UseSilence() { sound.SetOutput(silence); }

    const std::filesystem::path& DataDirectory() const { return dataDirectory; }
    // The game module's file, and the library once loaded.
    std::filesystem::path GameModuleFile() const;
    CPluginLibrary& GameLibrary() { return gameLibrary; }
    CHostEngine& Engine() { return engine; }
    CGraphicsService& Graphics() { return graphics; }
    CSoundService& Sound() { return sound; }

private:
    using EntityFactory = CVantorEntity* (*)(const char*);
    using InputFactory = CVantorInput* (*)();

    std::filesystem::path pluginDirectory;
    std::filesystem::path dataDirectory;
    CPluginLibrary gameLibrary;
    CPluginLibrary inputLibrary;
    EntityFactory entityFactory = nullptr;
    InputFactory inputFactory = nullptr;
    CSilentSoundOutput silence;
    CGraphicsService graphics;
    CSoundService sound;
    CHostEngine engine;
    CVantorInput* input = nullptr;     // owned by the plug-in, kept for the whole run
    CVantorEntity* gameState = nullptr;
    std::vector<std::string> loadFailures;
    bool started = false;
};

// Prints "vantor: <message>" on the error stream.
void ReportProblem(const std::string& message);
// The last message ReportProblem printed, without the program's name that starts its line (a
// message box has the name in its title), or empty.
const std::string& LastProblem();
