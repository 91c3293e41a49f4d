// A bullet rising from the shooter.
#include "Bullet.h"

#include "GameState.h"

CBullet::CBullet() : sprite(nullptr), pendingRemoval(false) {}

bool CBullet::Attach(CVantorEngine* newEngine)
{
    engine = newEngine;
    return true;
}

void CBullet::Update()
{
}
