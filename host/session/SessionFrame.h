// One frame of a session, the same for live play and a replay: the engine runs it with the given
// frame time and input, the front end shows it (drawn only when shown or photographed), and the
// outputs write it out. Also the picture of a paused replay.
#pragma once

#include "engine/SoftwareRenderer.h"
#include "formats/FrameInput.h"
#include "session/FrontEnd.h"
#include "session/HostSession.h"
#include "session/SessionOutputs.h"

class CSessionFrame {
public:
    CSessionFrame(CFrontEnd& frontEnd, CHostSession& session, CSessionOutputs& outputs);

    // Loads the pause screen's picture; without it the pause shows untitled (warned about).
    void LoadPausePicture();
    // Loads the how-to-play card; false (warned about) where it cannot be shown.
    bool LoadHowToPlay();
    // Whether the frames from now on show the how-to-play card in place of the pause picture.
    void ShowHowToPlay(bool shown) { howToPlayShown = shown; }
    void Run(float dt, const FrameInput& input);
    // Shows the game as it stands under the pause overlay, running nothing.
    void ShowPaused();

private:
    CFrontEnd& frontEnd;
    CHostSession& session;
    CHostEngine& engine;
    CSessionOutputs& outputs;
    CSoftwareRenderer renderer;
    Bitmap pausePicture;
    const Bitmap* pauseOverlay = nullptr;
    Bitmap howToPlay;
    bool howToPlayShown = false;
};
