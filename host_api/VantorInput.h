// The input interface: the input plug-in turns devices into named actions on the host's queue.
#pragma once

#include "VantorEngine.h"

class CVantorInput {
public:
    // Binds the engine and creates the devices, once the game window exists and is active;
    // true when the devices exist.
    virtual bool Initialize(CVantorEngine* engine) = 0;
    // Acquires the mouse device.
    virtual void AcquireMouse() = 0;
    // Lets go of the mouse device.
    virtual void UnacquireMouse() = 0;
    // Reads the keyboard and the first gamepad and posts one action per held input; once a frame.
    virtual void Poll() = 0;
};
