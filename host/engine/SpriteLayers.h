// The layers sprites are drawn in, bottom to top, and which of the game's entity classes draws
// in which: the one place where the host knows the game's class names. A sprite's layer comes
// from the class of the entity whose code made it (the engine tracks that), so a demon born late
// never covers the HUD.
#pragma once

// Bottom to top. Outside is for sprites made while no entity runs.
enum class SpriteLayer { Background, Outside, Scenery, Actors, Player, GameState, Count };

// The class the host makes itself at start-up; every other entity is made by the game.
constexpr const char* kGameStateClass = "GameState";

// The layer of the sprites an entity of this class makes; Scenery for a class not in the table
// or for none (null).
SpriteLayer LayerOfClass(const char* className);
