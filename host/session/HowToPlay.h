// The how-to-play card: shown over the held game on a player's first start and whenever the
// player asks (H), closed by any key once it is let go. While it shows, the game is held as on a
// lost focus (host-paused frames, no input reaches the game); when it closes, the hold is lifted
// by a pause toggle in the recorded input, so a replay plays exactly the frames that were played.
#pragma once

#include <filesystem>

#include "formats/FrameInput.h"

// Where the card being closed once is remembered, beside the high score (the work directory).
inline constexpr const char* kHowToPlaySeenFile = "how-to-play.seen";

// What the card does to a frame.
enum class CardFrame {
    Free,       // no card: the frame plays as it came
    Held,       // the card shows: the game is held and its input kept back
    Resuming,   // the card closes with this frame: the card still shows, the game goes on after it
};

// What a frame brings the card.
struct CardEvents {
    bool keyPressed = false;   // any key, button or tap the front end saw
    bool asked = false;        // the card's own key
    bool focusLost = false;
    bool gamePaused = false;   // the game's pause before the frame
};

class CHowToPlay {
public:
    // Whether the player of this work directory has closed the card before.
    static bool Seen();

    // Shows the card from the next frame; gamePaused: the game was paused already and stays so.
    void Open(bool gamePaused);
    bool Showing() const { return state != State::Closed; }
    // A frame's part: changes input to what the game may see, and says what the frame is.
    CardFrame Frame(const CardEvents& events, FrameInput& input);

private:
    enum class State { Closed, Showing, Closing };

    State state = State::Closed;
    bool keepPaused = false;
    bool heldBefore = false;   // input was kept back the frame before: a key still down
};
