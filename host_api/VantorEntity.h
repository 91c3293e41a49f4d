// The entity interface: everything in the game is an entity that the host creates by class name
// through a module's factory and calls once per frame.
#pragma once

class CVantorEngine;

class CVantorEntity {
public:
    // Called by the host once, right after the factory made the entity; true when it is ready.
    virtual bool Attach(CVantorEngine* engine) = 0;
    // Called by the host once per frame, in the frame thread.
    virtual void Update() = 0;
};
