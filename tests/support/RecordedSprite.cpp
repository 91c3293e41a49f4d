// The recording host's sprite face.
#include "RecordedSprite.h"

#include <utility>

#include "engine/HostSprite.h"
#include "PostRecorder.h"

RecordedSprite::RecordedSprite(std::vector<std::string>& callLog, int spriteId, std::vector<int> frameTable,
                               CHostSprite* hostSprite)
    : id(spriteId), frames(std::move(frameTable)), log(callLog), real(hostSprite)
{
}

void RecordedSprite::SetPosition(float newX, float newY)
{
    log.push_back("SetPosition #" + std::to_string(id) + " " + LogNumber(newX) + " " + LogNumber(newY));
    x = newX;
    y = newY;
    positioned = true;
    if (real != nullptr) {
        real->SetPosition(newX, newY);
    }
}

void RecordedSprite::SetFrame(int newFrame)
{
    log.push_back("SetFrame #" + std::to_string(id) + " " + std::to_string(newFrame));
    frame = newFrame;
    if (real != nullptr) {
        real->SetFrame(newFrame);
    }
}

void RecordedSprite::SetMirrored(bool newMirrored)
{
    log.push_back("SetMirrored #" + std::to_string(id) + " " + LogBool(newMirrored));
    mirrored = newMirrored;
    if (real != nullptr) {
        real->SetMirrored(newMirrored);
    }
}

void RecordedSprite::Destroyed()
{
    alive = false;
    real = nullptr;
}
