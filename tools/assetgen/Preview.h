// Pictures for people judging the art, never loaded by the game: a contact sheet of every
// image, and mock screens with the sprites where the game places them.
#pragma once

#include "Canvas.h"

namespace preview {

CCanvas ContactSheet();
CCanvas PlayScene();      // mid-game: Hiro carrying a box, the gun firing, demons, HUD
CCanvas MenuScene();      // the game-over menu over a stopped game
CCanvas PauseScene();     // the pause overlay as the host dims the screen
CCanvas HowToPlayScene(); // the first-time player's card over the dimmed game

}  // namespace preview
