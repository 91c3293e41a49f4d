// Headless runs.
#include "frontend/headless/HeadlessFrontEnd.h"

#include "system/InputDevices.h"

namespace {

bool ReadScript(const std::filesystem::path& file, std::vector<ScriptEvent>& events,
                std::string& error)
{
    std::string text;
    if (!ReadInputScriptFile(file, text, error)) {
        return false;
    }
    if (!ParseInputScript(text, InputDevicesScriptNames(), events, error)) {
        error = file.string() + ", " + error;
        return false;
    }
    return true;
}

}  // namespace

CHeadlessFrontEnd::CHeadlessFrontEnd(const HostOptions& givenOptions) : options(givenOptions) {}

bool CHeadlessFrontEnd::Prepare(std::string& error)
{
    if (options.input.empty()) {
        return true;
    }
    if (!InputDevicesScriptable()) {
        error = "input scripts drive the stand-in keyboard and pad, which this system does not have";
        return false;
    }
    return ReadScript(options.input, script, error);
}

void CHeadlessFrontEnd::StartDevices(CHostSession&)
{
    InputDevicesUseVirtual();
}

FrontEndEvents CHeadlessFrontEnd::BeginFrame(std::int64_t frame)
{
    while (nextEvent < script.size() && script[nextEvent].frame <= frame) {
        InputDevicesApply(script[nextEvent++]);
    }
    return {};
}

void CHeadlessFrontEnd::Present(const Bitmap& canvas, Bitmap* shot)
{
    if (shot != nullptr) {
        *shot = canvas;
    }
}
