// What a session writes as it runs: the trace (a line per frame), the screenshots asked for and
// the --record file. A failed output is reported in its own words and makes the session's exit
// status a failure, but never stops the game.
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

#include "formats/BmpCodec.h"
#include "formats/Replay.h"
#include "session/CommandLine.h"
#include "session/TraceWriter.h"

class CSessionOutputs {
public:
    explicit CSessionOutputs(const HostOptions& options);
    ~CSessionOutputs();
    CSessionOutputs(const CSessionOutputs&) = delete;
    CSessionOutputs& operator=(const CSessionOutputs&) = delete;

    // Opens the trace and, for live play, the --record file; false (reported) when one cannot be.
    bool Open(bool recording);
    bool ScreenshotWanted(std::int64_t frame) const;
    // Writes every screenshot asked for at frame from the picture (empty: it could not be taken).
    void WriteScreenshots(std::int64_t frame, const Bitmap& shot);
    bool Tracing() const { return trace != nullptr; }
    // flush: each line reaches the file at once (a window's trace is watched as the game runs).
    void WriteTrace(const TraceFrame& frame, bool flush);
    // Appends what the recording gained since the last call to the --record file.
    void KeepRecording(const CReplayEncoder& recording);
    // After the last frame (lastFrame; -1 for none): the record file ended and every file
    // closed; false when any output failed during the session.
    bool Finish(std::int64_t lastFrame, const CReplayEncoder* recording);

private:
    bool OpenOne(const std::filesystem::path& file, const char* what, std::FILE*& stream);
    bool CloseOne(std::FILE*& stream, const std::filesystem::path& file, const char* what);

    const HostOptions& options;
    std::FILE* trace = nullptr;
    std::string traceLine;   // one buffer for every line: no allocation once it is big enough
    std::FILE* recordFile = nullptr;
    std::size_t recordWritten = 0;
    bool failed = false;
};
