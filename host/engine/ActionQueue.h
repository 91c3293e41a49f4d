// The action queue the plug-ins see: records in arrival order, names padded with zeros, and what
// was posted during the frame (for the trace). While the input object polls, its posts are
// captured into a frame's input instead, so that a recording can keep them and a replay hand
// recorded ones in.
#pragma once

#include <list>
#include <vector>

#include "formats/FrameInput.h"
#include "VantorEngine.h"

class CActionQueue {
public:
    // A post by name (value 1) or a pushed record; both go to the capture while one is set.
    void Post(const char* name);
    void Push(ActionRecord record);
    // Queues a frame's input, as if its actions were posted now.
    void Queue(const FrameInput& input);

    // Posts go into input (cleared first) until EndCapture.
    void BeginCapture(FrameInput& input);
    void EndCapture() { capture = nullptr; }

    bool Has(const char* name) const;
    void Erase(const char* name);
    // A new frame: nothing posted during it yet.
    void StartFrame() { posted.clear(); }
    // Drops whatever no entity consumed, so nothing stale is read in a later frame.
    void Drop() { records.clear(); }

    std::list<ActionRecord>& Records() { return records; }
    const std::list<ActionRecord>& Records() const { return records; }
    // Every action posted during the frame, in order (also the ones dropped unread).
    const std::vector<PostedAction>& Posted() const { return posted; }

private:
    void Enqueue(const ActionRecord& record);

    std::list<ActionRecord> records;
    std::vector<PostedAction> posted;
    FrameInput* capture = nullptr;   // set while the input object polls
};
