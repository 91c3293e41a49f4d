// The engine an input plug-in sees in its tests and benchmarks: it takes the posts and nothing
// else (no graphics, no sound, no entities). It keeps each post with what the plug-in put in the
// record, or only counts them. Also the one place that says how a post reads in a call log, so
// that every recording host and engine writes posts alike: "PostAction quit", "PushAction left 1".
// Header only: the benchmarks use it too, and they are built without the tests.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <functional>
#include <list>
#include <string>
#include <utility>
#include <vector>

#include "VantorEngine.h"

// A float as call logs write it: the shortest form ("1", "0.5", "20000").
inline std::string LogNumber(float value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", static_cast<double>(value));
    return text;
}

// A bool as call logs write it.
inline const char* LogBool(bool value)
{
    return value ? "true" : "false";
}

// One call of PostAction or PushAction, as the plug-in made it.
struct RecordedPost {
    bool pushed;        // PushAction; false for PostAction
    std::string name;
    float value;        // the record's value; 1.0 for PostAction
    bool zeroPadded;    // the name ends inside the record and every byte after its end is zero

    // The line a call log keeps for it.
    std::string Call() const
    {
        return pushed ? "PushAction " + name + " " + LogNumber(value) : "PostAction " + name;
    }

    static RecordedPost Posted(const char* name) { return {false, name, 1.0f, true}; }
    static RecordedPost Pushed(const ActionRecord& record)
    {
        const std::size_t length = strnlen(record.name, sizeof record.name);
        bool padded = length < sizeof record.name;
        for (std::size_t index = length; padded && index < sizeof record.name; ++index) {
            padded = record.name[index] == 0;
        }
        return {true, std::string(record.name, length), record.value, padded};
    }
};

class PostRecorder : public CVantorEngine {
public:
    using CallLog = std::function<void(const std::string&)>;

    // log, when given, also receives every post as its call line, so that posts interleave with
    // whatever else the test records there.
    explicit PostRecorder(CallLog log = {}) : callLog(std::move(log)) {}

    // --- CVantorEngine: posts are taken, everything else is absent.
    CVantorGraphics* GetGraphics() override { return nullptr; }
    CVantorSound* GetSound() override { return nullptr; }
    float GetFrameTime() override { return 0.0f; }
    CVantorEntity* CreateEntity(const char*) override { return nullptr; }
    void DestroyEntity(CVantorEntity*) override {}
    void PostAction(const char* name) override
    {
        ++count;
        if (keep) {
            Keep(RecordedPost::Posted(name));
        }
    }
    void PushAction(ActionRecord action) override
    {
        ++count;
        if (keep) {
            Keep(RecordedPost::Pushed(action));
        }
    }
    std::list<ActionRecord>& GetActions() override { return queue; }

    // The posts kept since the last Take, in order; and their call lines.
    std::vector<RecordedPost> Take() { return std::exchange(posts, {}); }
    std::vector<std::string> TakeCalls()
    {
        std::vector<std::string> calls;
        for (const RecordedPost& post : Take()) {
            calls.push_back(post.Call());
        }
        return calls;
    }

    std::vector<RecordedPost> posts;
    std::int64_t count = 0;   // every post, kept or not
    // False: only counts, allocating nothing (for allocation tests and benchmarks).
    bool keep = true;

private:
    void Keep(RecordedPost post)
    {
        if (callLog) {
            callLog(post.Call());
        }
        posts.push_back(std::move(post));
    }

    CallLog callLog;
    std::list<ActionRecord> queue;
};
