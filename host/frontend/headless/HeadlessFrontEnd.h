// The headless front end: no window and no sound device, a fixed frame time, input from a
// script into the virtual keyboard and pad that the input plug-in reads.
#pragma once

#include <vector>

#include "session/CommandLine.h"
#include "session/FrontEnd.h"
#include "formats/InputScript.h"

class CHeadlessFrontEnd final : public CFrontEnd {
public:
    explicit CHeadlessFrontEnd(const HostOptions& options);

    bool Prepare(std::string& error) override;
    bool Open(CHostSession&, std::string&) override { return true; }
    std::filesystem::path DefaultWorkDirectory() override { return {}; }
    void StartDevices(CHostSession& session) override;
    FrontEndEvents BeginFrame(std::int64_t frame) override;
    bool DrawsEveryFrame() const override { return false; }
    void Present(const Bitmap& canvas, Bitmap* shot) override;
    float NextFrameTime() override { return options.dt; }
    void Close(CHostSession&) override {}

private:
    const HostOptions& options;
    std::vector<ScriptEvent> script;
    std::size_t nextEvent = 0;
};
