// The web page's side of the host (see WebPage.h). The page's script (web/pre.js) mounts the
// browser's persistent storage at the host's work directory before the program starts.
#include "frontend/web/WebPage.h"

#include <emscripten.h>
#include <sys/stat.h>

#include <cstdint>
#include <iterator>
#include <utility>

#include "HighScoreFormat.h"
#include "session/HowToPlay.h"

namespace {

// Looked at this often (in frames): a stat of an in-memory file costs next to nothing, and a
// save kept within half a second survives a tab closed right after the game ended.
constexpr int kSaveCheckInterval = 30;

struct PageLoop {
    std::function<bool()> step;
    std::function<int()> finished;
};

// The file as last seen: a save replaces it (a new file renamed over the old), so any of these
// changes.
struct FileIdentity {
    bool exists = false;
    ino_t node = 0;
    off_t size = 0;
    std::int64_t modified = 0;

    bool operator==(const FileIdentity&) const = default;
};

FileIdentity IdentityOf(const char* file)
{
    struct stat status {};
    if (::stat(file, &status) != 0) {
        return {};
    }
    return {true, status.st_ino, status.st_size,
            static_cast<std::int64_t>(status.st_mtim.tv_sec) * 1000000000 + status.st_mtim.tv_nsec};
}

// The page's script (web/page.js, web/pre.js) is told through the loader's Module object.
EM_JS(void, TellPageSessionEnded, (int status), {
    if (Module['vantorEnded']) Module['vantorEnded'](status);
});

EM_JS(void, TellPageFramesBegin, (), {
    if (Module['vantorRunning']) Module['vantorRunning']();
});

EM_JS(void, TellPageToKeepSaves, (), {
    if (Module['vantorKeepSaves']) Module['vantorKeepSaves']();
});

void StepPage(void* data)
{
    auto* loop = static_cast<PageLoop*>(data);
    if (loop->step()) {
        return;
    }
    emscripten_cancel_main_loop();
    const int status = loop->finished();
    WebPage::KeepSavedGames(true);
    TellPageSessionEnded(status);
}

}  // namespace

namespace WebPage {

void RunFrames(std::function<bool()> step, std::function<int()> finished)
{
    // Lives as long as the page: the frames run after main has returned.
    static PageLoop loop;
    loop = {std::move(step), std::move(finished)};
    emscripten_set_main_loop_arg(StepPage, &loop, 0, false);   // on the browser's animation frames
    TellPageFramesBegin();
}

void KeepSavedGames(bool lookNow)
{
    static int frames = 0;
    // The high score, and the how-to-play card closed once: the next visit starts without it.
    static const char* const kept[] = {kHighScorePath, kHowToPlaySeenFile};
    static FileIdentity seen[] = {IdentityOf(kept[0]), IdentityOf(kept[1])};
    if (++frames % kSaveCheckInterval != 0 && !lookNow) {
        return;
    }
    bool changed = false;
    for (std::size_t i = 0; i < std::size(kept); ++i) {
        const FileIdentity now = IdentityOf(kept[i]);
        changed = changed || !(now == seen[i]);
        seen[i] = now;
    }
    if (changed) {
        TellPageToKeepSaves();
    }
}

}  // namespace WebPage
