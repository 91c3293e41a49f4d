// The game's screen: 640 by 480 logical pixels, whatever the window's size. The host draws into
// it, the game lays its HUD out on it, and the art generator paints its backdrops to fit.
#pragma once

inline constexpr int kScreenWidth = 640;
inline constexpr int kScreenHeight = 480;
