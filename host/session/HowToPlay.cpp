// The how-to-play card's frames.
#include "session/HowToPlay.h"

#include <algorithm>
#include <cstring>
#include <system_error>

#include "DurableFile.h"
#include "engine/HostActions.h"

namespace {

bool IsFullscreenToggle(const ActionRecord& record)
{
    return std::strcmp(record.name, kFullscreenToggleAction) == 0;
}

// Everything but the window's own switch is kept back from the game while the card shows.
bool KeepOnlyFullscreenToggles(FrameInput& input)
{
    const auto kept = std::remove_if(input.actions.begin(), input.actions.end(),
                                     [](const ActionRecord& record) { return !IsFullscreenToggle(record); });
    const bool heldBack = kept != input.actions.end();
    input.actions.erase(kept, input.actions.end());
    return heldBack;
}

ActionRecord PauseToggle()
{
    ActionRecord record{};
    std::strncpy(record.name, kPauseToggleAction, sizeof record.name - 1);
    return record;
}

void RememberSeen()
{
    // Made new or left as it is, never opened through whatever stands at the name. Not remembered
    // (a read-only directory, already warned about): the card shows next time too.
    bool taken = false;
    if (std::FILE* seen = DurableFile::CreateExclusive(kHowToPlaySeenFile, taken)) {
        std::fclose(seen);
    }
}

}  // namespace

bool CHowToPlay::Seen()
{
    std::error_code error;
    return std::filesystem::exists(kHowToPlaySeenFile, error);
}

void CHowToPlay::Open(bool gamePaused)
{
    state = State::Showing;
    keepPaused = gamePaused;
    // Whatever is down as the card comes up was pressed for the game, not to close the card.
    heldBefore = true;
}

CardFrame CHowToPlay::Frame(const CardEvents& events, FrameInput& input)
{
    if (state == State::Closed && !events.asked) {
        return CardFrame::Free;
    }
    const bool heldBack = KeepOnlyFullscreenToggles(input);
    const bool pressed = heldBack && !heldBefore;
    heldBefore = heldBack;
    if (state == State::Closed) {
        // The frame that asked is held already: the key never reaches the game.
        Open(events.gamePaused);
        keepPaused = keepPaused || events.focusLost;
        return CardFrame::Held;
    }
    // A focus lost under the card leaves the game paused behind it, as it would without the card.
    keepPaused = keepPaused || events.focusLost;
    if (state == State::Showing) {
        // Only a new press closes it: a key already down when the card came up does not.
        if (events.keyPressed || events.asked || pressed) {
            state = State::Closing;
        }
        return CardFrame::Held;
    }
    // Closing: whatever closed the card is let go before the game sees input again.
    if (heldBack || events.keyPressed || events.asked) {
        return CardFrame::Held;
    }
    state = State::Closed;
    RememberSeen();
    if (!keepPaused) {
        input.actions.push_back(PauseToggle());
    }
    return CardFrame::Resuming;
}
