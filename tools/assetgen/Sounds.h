// The game's six sound effects, synthesized: short, punchy, in one arcade voice.
#pragma once

#include <cstdint>
#include <vector>

namespace sounds {

std::vector<int16_t> AmmoUp();     // a rising arpeggio: the shooter got its ammunition
std::vector<int16_t> Explosion();  // noise with a decaying rumble: a demon shot down
std::vector<int16_t> Shoot();      // a short falling zap: the gun fires
std::vector<int16_t> Fireball();   // a whoosh: a demon drops a fireball
std::vector<int16_t> Hurt();       // a falling, wobbling tone: Hiro is hit
std::vector<int16_t> Jump();       // a quick rising sweep: Hiro jumps

}  // namespace sounds
