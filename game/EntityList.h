// Removal of an entity from one of the game state's lists, by pointer value only: safe after the
// entity was handed back to the host.
#pragma once

#include <list>

#include "VantorEngine.h"

template <typename T>
void RemoveFromList(std::list<T*>& list, const T* entity)
{
    for (auto it = list.begin(); it != list.end();) {
        if (*it == entity) {
            it = list.erase(it);
        } else {
            ++it;
        }
    }
}

// Ends a listed entity (bullet, demon, fireball) the one safe way: its sprite goes, the host takes
// it back, and only then, from locals, its pointer leaves the game state's list. Nothing of the
// entity is read after DestroyEntity, since the host may free it at once.
template <typename T, typename State>
void EndListedEntity(T* entity, std::list<T*> State::*list)
{
    entity->engine->GetGraphics()->DestroySprite(entity->sprite);
    State* state = entity->gameState;
    CVantorEngine* host = entity->engine;
    host->DestroyEntity(entity);
    RemoveFromList(state->*list, entity);
}
