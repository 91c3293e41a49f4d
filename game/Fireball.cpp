// A fireball falling from a demon.
#include "Fireball.h"

#include "GameState.h"

CFireball::CFireball() : sprite(nullptr), pendingRemoval(false) {}

bool CFireball::Attach(CVantorEngine* newEngine)
{
    engine = newEngine;
    return true;
}

void CFireball::Update()
{
}
