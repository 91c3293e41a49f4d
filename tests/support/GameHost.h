// The recording host as the game's tests use it: the game module's own factory, and a disposal
// that runs the game state's destructor (it owns lists; every other entity is only memory).
#pragma once

#include "EntityFactory.h"
#include "GameState.h"
#include "RecordingHost.h"

class GameHost : public RecordingHost {
public:
    GameHost() : RecordingHost(CreateEntityByName, DisposeGameState) {}

    static void DisposeGameState(CVantorEntity* entity)
    {
        delete static_cast<CGameState*>(entity);
    }
};
