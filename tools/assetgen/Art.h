// Every picture of the game, each drawn by its own function. Sprites are drawn as the host
// shows them: centred on the entity's position, so their sizes fix where things meet (feet on
// the floor, hands on a carried box, the gun's muzzle where its bullets start).
#pragma once

#include "Canvas.h"
#include "VantorScreen.h"

namespace art {

constexpr int kSpriteSize = 32;
constexpr int kDemonSize = 64;
constexpr int kFloorTop = 448;           // where the ground band begins
constexpr int kMuzzleColumn = 10;        // the gun's bore centre: 6 pixels left of the sprite's centre

// Hiro, 32 by 32, facing right.
CCanvas HiroStanding();
CCanvas HiroWalking();
CCanvas HiroCarrying();
CCanvas HiroCarryingWalking();

// The gun on its carriage, 32 by 32, the muzzle and a flat roof on the top edge; idle and just
// fired.
CCanvas ShooterIdle();
CCanvas ShooterFiring();
CCanvas AmmoBox();                        // 32 by 32, the crate standing on the bottom row
CCanvas Bullet();                         // 8 by 14, nose up; also the HUD's ammunition icon
CCanvas Fireball();                       // 32 by 32, falling: the ball low, flames above

// The demon, 64 by 64: wings raised, then wings beating down with the jaws open.
CCanvas DemonGlide();
CCanvas DemonChew();

CCanvas Background();                     // 640 by 480, opaque

CCanvas GameOver();                       // 400 by 100
CCanvas Retry();                          // 200 by 60
CCanvas Quit();                           // 200 by 60
CCanvas Paused();                         // 240 by 100
CCanvas HowToPlay();                      // 560 by 372, the first-time player's card
CCanvas Arrow();                          // 64 by 48, pointing right
CCanvas WordBubble();                     // 64 by 40, "FIRE!", its tail down left toward Hiro
CCanvas Digit(int digit);                 // 32 by 32
CCanvas WindowIcon();                     // 32 by 32, for the window
// The desktop icon, size by size, drawn at that size (Hiro's pixels scaled by whole numbers, so
// he stays crisp); sizes from 32 up, multiples of 32 look best.
CCanvas Icon(int size);

}  // namespace art
