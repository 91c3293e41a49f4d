// The actions the host itself acts on, by the names the input plug-in posts them under.
#pragma once

inline constexpr const char* kQuitAction = "quit";
inline constexpr const char* kPauseToggleAction = "pause-toggle";
inline constexpr const char* kFullscreenToggleAction = "fullscreen-toggle";
