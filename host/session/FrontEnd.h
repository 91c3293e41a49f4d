// What differs between the ways the host plays a session (a window, headless): the session loop
// (RunSession) owns everything else. Calls come in this order: Prepare, Open, DefaultWorkDirectory,
// StartDevices, RunFrames, within it per frame BeginFrame, Present and NextFrameTime, and Close at
// the end (also after a failed start, once Open was called).
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

#include "formats/BmpCodec.h"

class CHostSession;

// What happened to the front end before a frame.
struct FrontEndEvents {
    bool closed = false;      // the player closed the window: the session ends
    bool focusLost = false;   // the window lost focus or was minimised: the game pauses
    bool keyPressed = false;  // a key, mouse button or touch went down (the how-to-play card closes)
    bool howToPlay = false;   // the player asked for the how-to-play card
};

class CFrontEnd {
public:
    virtual ~CFrontEnd() = default;

    // Before the plug-ins load: read what the front end needs (a script, say); false with why.
    virtual bool Prepare(std::string& error) = 0;
    // The plug-ins are loaded: open what the front end shows and plays on (window, sound).
    virtual bool Open(CHostSession& session, std::string& error) = 0;
    // Where the high score is kept when no --workdir is given; empty: the current directory.
    // A default that cannot be used is only warned about.
    virtual std::filesystem::path DefaultWorkDirectory() = 0;
    // Points the input plug-in's devices at what this front end reads (before its Initialize).
    virtual void StartDevices(CHostSession& session) = 0;
    // Before a frame's poll (frame counts from 0): events, script input.
    virtual FrontEndEvents BeginFrame(std::int64_t frame) = 0;
    // Whether every frame is drawn; otherwise only frames that a screenshot asks for.
    virtual bool DrawsEveryFrame() const = 0;
    // Shows the drawn picture (when DrawsEveryFrame). With shot, also returns the picture of the
    // frame as the player sees it; a shot left empty could not be taken.
    virtual void Present(const Bitmap& canvas, Bitmap* shot) = 0;
    // The frame time of the next frame, in seconds.
    virtual float NextFrameTime() = 0;
    // Whether a replay may sleep until its next frame is due. A browser page may not: it runs the
    // frames on its own clock, and a sleep would hold the whole page.
    virtual bool MayWait() const { return true; }
    // Whether a player sees this front end's picture and may need the how-to-play card there.
    virtual bool ShowsHowToPlay() const { return false; }
    // Lets go of the window and the sound device.
    virtual void Close(CHostSession& session) = 0;

    // Calls step until it returns false, then finished (which closes the front end and returns
    // the exit status). Where the system runs the frames itself (a browser page), this returns at
    // once and the calls come from there.
    virtual void RunFrames(std::function<bool()> step, std::function<int()> finished)
    {
        while (step()) {
        }
        finished();
    }

    // A replay is to be watched: the front end may say so where the viewer looks (name: its file's).
    virtual void ShowReplay([[maybe_unused]] const std::string& name) {}
    // The replay played to its end: whether the front end still shows its last frame for the
    // viewer, asked once a step until false (which ends the session). Must not block: in a page
    // the browser runs the steps.
    virtual bool HoldReplayEnd() { return false; }
};
