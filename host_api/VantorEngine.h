// The host services that the plug-ins use: the engine, graphics, sprites, sound and the action
// queue. Interfaces only; every operation is called across a library boundary, so the order of
// declaration is part of the contract. Handles are int: negative means a failed load.
#pragma once

#include <list>

#include "VantorEntity.h"

// One queued input action, passed by value: a zero-terminated name padded with zeros to 256
// bytes, then its strength (1.0 for a key, the raw deflection for a stick direction).
struct ActionRecord {
    char name[256];
    float value;
};
static_assert(sizeof(ActionRecord) == 260, "ActionRecord is 260 bytes on every platform");

class CVantorSprite {
public:
    // Places the sprite's centre at (x, y) in screen pixels (640 by 480, y downward).
    virtual void SetPosition(float x, float y) = 0;
    // Shows the given index of the sprite's frame table.
    virtual void SetFrame(int frame) = 0;
    // True draws every frame mirrored left to right; false draws them as loaded.
    virtual void SetMirrored(bool mirrored) = 0;
};

class CVantorGraphics {
public:
    // Loads an image (path relative to the working directory, with '\'); negative on failure.
    virtual int LoadImage(const char* path, int flags) = 0;
    // Loads the full-screen background image; negative on failure.
    virtual int LoadBackgroundImage(const char* path) = 0;
    // Makes a sprite showing frame 0 of a run of frameCount image handles, which must outlive it.
    virtual CVantorSprite* CreateSprite(int frameCount, const int* frames) = 0;
    // Removes the sprite; the pointer is dead afterwards. Accepts sprites of unloaded images.
    virtual void DestroySprite(CVantorSprite* sprite) = 0;
    // Lets go of every loaded image; existing sprites stay valid to destroy.
    virtual void UnloadImages() = 0;
    // Switches between fullscreen (true) and windowed (false) display.
    virtual void SetFullscreen(bool fullscreen) = 0;
};

class CVantorSound {
public:
    // Loads a wave sound (path relative to the working directory, with '\'); negative on failure.
    virtual int LoadSound(const char* path) = 0;
    // Starts the sound once; several may play at a time.
    virtual void PlaySound(int sound) = 0;
    // Lets go of every loaded sound.
    virtual void UnloadSounds() = 0;
};

class CVantorEngine {
public:
    // The graphics service; never null while the game runs.
    virtual CVantorGraphics* GetGraphics() = 0;
    // The sound service; never null while the game runs.
    virtual CVantorSound* GetSound() = 0;
    // Seconds since the previous frame.
    virtual float GetFrameTime() = 0;
    // Creates an entity through the module's factory, attaches it, registers it for Update from
    // the next frame on and returns it.
    virtual CVantorEntity* CreateEntity(const char* className) = 0;
    // Takes the entity out of the frame loop; the caller touches nothing of it afterwards.
    virtual void DestroyEntity(CVantorEntity* entity) = 0;
    // Queues an action by name with value 1.0; the name is copied.
    virtual void PostAction(const char* name) = 0;
    // Queues a copy of the record.
    virtual void PushAction(ActionRecord action) = 0;
    // The queue itself, oldest first; entities erase the entries they carry out.
    virtual std::list<ActionRecord>& GetActions() = 0;
};
