// The session's outputs: buffered files, so that a frame costs no system call.
#include "session/SessionOutputs.h"

#include <algorithm>
#include <cerrno>

#include "session/HostSession.h"
#include "system/HostPaths.h"

namespace {

constexpr std::size_t kOutputBuffer = 1 << 20;

// Writes the picture whole, or reports why not; nothing is written for a picture not taken.
bool WriteScreenshot(const std::filesystem::path& file, const Bitmap& shot)
{
    if (shot.width <= 0 || shot.height <= 0) {
        ReportProblem("cannot write the screenshot " + file.string() + ": the picture could not be read");
        return false;
    }
    const std::vector<uint8_t> bytes = EncodeBmp24(shot);
    std::FILE* stream = OpenFile(file, "wb");
    if (stream == nullptr) {
        ReportProblem("cannot write the screenshot " + file.string() + ": " + SystemReason(errno));
        return false;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), stream) == bytes.size();
    if (std::fclose(stream) != 0 || !written) {
        ReportProblem("cannot write the screenshot " + file.string());
        return false;
    }
    return true;
}

}  // namespace

CSessionOutputs::CSessionOutputs(const HostOptions& givenOptions) : options(givenOptions) {}

CSessionOutputs::~CSessionOutputs()
{
    for (std::FILE* stream : {trace, recordFile}) {
        if (stream != nullptr) {
            std::fclose(stream);
        }
    }
}

bool CSessionOutputs::Open(bool recording)
{
    return OpenOne(options.trace, "trace", trace) &&
           (!recording || OpenOne(options.record, "recording", recordFile));
}

bool CSessionOutputs::ScreenshotWanted(std::int64_t frame) const
{
    return std::any_of(options.screenshots.begin(), options.screenshots.end(),
                       [frame](const ScreenshotRequest& request) { return request.frame == frame; });
}

void CSessionOutputs::WriteScreenshots(std::int64_t frame, const Bitmap& shot)
{
    for (const ScreenshotRequest& request : options.screenshots) {
        if (request.frame == frame && !WriteScreenshot(request.file, shot)) {
            failed = true;
        }
    }
}

void CSessionOutputs::WriteTrace(const TraceFrame& frame, bool flush)
{
    traceLine.clear();
    AppendTraceLine(traceLine, frame);
    traceLine += '\n';
    std::fwrite(traceLine.data(), 1, traceLine.size(), trace);
    if (flush) {
        std::fflush(trace);
    }
}

void CSessionOutputs::KeepRecording(const CReplayEncoder& recording)
{
    if (recordFile == nullptr) {
        return;
    }
    const std::vector<std::uint8_t>& bytes = recording.Bytes();
    std::fwrite(bytes.data() + recordWritten, 1, bytes.size() - recordWritten, recordFile);
    recordWritten = bytes.size();
}

bool CSessionOutputs::Finish(std::int64_t lastFrame, const CReplayEncoder* recording)
{
    for (const ScreenshotRequest& request : options.screenshots) {
        if (request.frame > lastFrame) {
            ReportProblem("no screenshot " + request.file.string() + ": the run ended at frame " +
                          std::to_string(lastFrame) + ", before frame " + std::to_string(request.frame));
            failed = true;
        }
    }
    if (recordFile != nullptr && recording != nullptr) {
        KeepRecording(*recording);
        const std::vector<std::uint8_t> end = recording->End();
        std::fwrite(end.data(), 1, end.size(), recordFile);
    }
    failed |= !CloseOne(trace, options.trace, "trace");
    failed |= !CloseOne(recordFile, options.record, "recording");
    return !failed;
}

bool CSessionOutputs::OpenOne(const std::filesystem::path& file, const char* what, std::FILE*& stream)
{
    if (file.empty()) {
        return true;
    }
    stream = OpenFile(file, "wb");
    if (stream == nullptr) {
        ReportProblem("cannot write the " + std::string(what) + " file " + file.string() + ": " +
                      SystemReason(errno));
        return false;
    }
    std::setvbuf(stream, nullptr, _IOFBF, kOutputBuffer);
    return true;
}

bool CSessionOutputs::CloseOne(std::FILE*& stream, const std::filesystem::path& file, const char* what)
{
    if (stream == nullptr) {
        return true;
    }
    const bool written = std::ferror(stream) == 0 && std::fflush(stream) == 0;
    const bool closed = std::fclose(stream) == 0;
    stream = nullptr;
    if (!written || !closed) {
        ReportProblem("cannot write the " + std::string(what) + " file " + file.string());
        return false;
    }
    return true;
}
