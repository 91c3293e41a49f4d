// The browser page around the web build of the game: what the host tells it, and the high score
// kept in the browser's storage between visits.
#pragma once

#include <functional>

namespace WebPage {

// Runs step once per animation frame from the page's own loop until it returns false, then
// finished, and shows the page's end screen with its status. Returns at once.
void RunFrames(std::function<bool()> step, std::function<int()> finished);

// Looks at the work directory's "highscore" file (every few calls, or now) and copies the
// directory to the browser's persistent storage when the game has written it since the last look.
void KeepSavedGames(bool lookNow = false);

}  // namespace WebPage
