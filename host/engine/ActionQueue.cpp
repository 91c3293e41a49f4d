// The action queue: arrival order, zero padding, capture of a poll.
#include "engine/ActionQueue.h"

#include <algorithm>
#include <cstring>

namespace {

bool NameIs(const ActionRecord& record, const char* name)
{
    return std::strcmp(record.name, name) == 0;
}

}  // namespace

void CActionQueue::Enqueue(const ActionRecord& record)
{
    if (capture != nullptr) {
        capture->actions.push_back(record);
        return;
    }
    records.push_back(record);
    posted.push_back({record.name, record.value});
}

void CActionQueue::Post(const char* name)
{
    if (name == nullptr) {
        return;
    }
    ActionRecord record{};
    std::strncpy(record.name, name, sizeof record.name - 1);
    record.value = 1.0f;
    Enqueue(record);
}

void CActionQueue::Push(ActionRecord record)
{
    // The name must end inside the record; the bytes after the terminator are zero.
    record.name[sizeof record.name - 1] = '\0';
    const std::size_t length = std::strlen(record.name);
    std::memset(record.name + length, 0, sizeof record.name - length);
    Enqueue(record);
}

void CActionQueue::Queue(const FrameInput& input)
{
    for (const ActionRecord& record : input.actions) {
        Enqueue(record);
    }
}

void CActionQueue::BeginCapture(FrameInput& input)
{
    input.actions.clear();
    capture = &input;
}

bool CActionQueue::Has(const char* name) const
{
    return std::any_of(records.begin(), records.end(),
                       [name](const ActionRecord& record) { return NameIs(record, name); });
}

void CActionQueue::Erase(const char* name)
{
    records.remove_if([name](const ActionRecord& record) { return NameIs(record, name); });
}
