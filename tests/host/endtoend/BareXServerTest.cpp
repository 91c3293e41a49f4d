// The window on an X server with no window manager (Xvfb), played with keys that xdotool types as
// a player would: fullscreen and back fill the window with the whole picture, and a replay says
// what it is and keeps its last frame until a key. Skipped where Xvfb or xdotool is missing.
#include <gtest/gtest.h>

#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "RunVantor.h"
#include "formats/BmpCodec.h"

namespace {

using namespace std::chrono_literals;

// An Xvfb of 1280 by 1024 on a display number it picks itself, taken down at the end.
class CBareXServer {
public:
    CBareXServer()
    {
        const std::filesystem::path numberFile = folder.Path() / "display";
        const std::string command = "Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>" +
                                    Quote(numberFile.string()) + " >/dev/null 2>&1 & echo $!";
        FILE* started = popen(command.c_str(), "r");
        if (started == nullptr || std::fscanf(started, "%d", &pid) != 1) {
            pid = -1;
        }
        if (started != nullptr) {
            pclose(started);
        }
        for (int tries = 0; pid > 0 && tries < 100 && display.empty(); ++tries) {
            std::this_thread::sleep_for(100ms);
            const std::string number = ReadText(numberFile);
            if (!number.empty() && number.back() == '\n') {
                display = ":" + number.substr(0, number.size() - 1);
            }
        }
    }
    ~CBareXServer()
    {
        if (pid > 0) {
            ::kill(pid, SIGTERM);
        }
    }
    CBareXServer(const CBareXServer&) = delete;
    CBareXServer& operator=(const CBareXServer&) = delete;

    // Empty when the server did not start.
    const std::string& Display() const { return display; }
    // Runs xdotool's words on this display, in the background a second after the window named
    // title shows: the game is playing by then, its keyboard bound to the window.
    void TypeOnceShown(const std::string& title, const std::string& words) const
    {
        const std::string command = "(DISPLAY=" + display + " xdotool search --sync --onlyvisible --name " + Quote(title) +
                                    " windowfocus --sync sleep 1 " + words + ") >/dev/null 2>&1 &";
        EXPECT_EQ(std::system(command.c_str()), 0);
    }

private:
    CTempDirectory folder;
    int pid = -1;
    std::string display;
};

bool Installed(const char* program)
{
    return std::system(("command -v " + std::string(program) + " >/dev/null").c_str()) == 0;
}

#define SKIP_WITHOUT_BARE_X_SERVER(server)                                      \
    if (!Installed("Xvfb") || !Installed("xdotool")) {                          \
        GTEST_SKIP() << "Xvfb or xdotool is not installed";                     \
    }                                                                           \
    if (!kEmulator.empty()) {                                                   \
        GTEST_SKIP() << "keys typed in real time outrun a window under emulation"; \
    }                                                                           \
    CBareXServer server;                                                        \
    ASSERT_FALSE(server.Display().empty()) << "Xvfb did not start"

// What a run on a real X display needs. The system's X and D-Bus libraries, loaded and let go at
// run time, leave allocations that LeakSanitizer finds and cannot name: leaks are not looked for
// here (the runs under SDL's dummy drivers look for ours).
std::string OnDisplay(const CBareXServer& server)
{
    return "DISPLAY=" + server.Display() + " SDL_AUDIODRIVER=dummy ASAN_OPTIONS=detect_leaks=0";
}

// A toggle held a moment, as a hand presses it.
const char* const kToggle = "keydown alt keydown Return sleep 0.2 keyup Return keyup alt";

// The share of the picture that is not black: the night scene nearly fills it.
double LitShare(const Bitmap& shot)
{
    std::size_t lit = 0;
    for (const uint32_t pixel : shot.pixels) {
        lit += (pixel & 0xFFFFFFu) != 0 ? 1 : 0;
    }
    return shot.pixels.empty() ? 0.0 : static_cast<double>(lit) / static_cast<double>(shot.pixels.size());
}

TEST(BareXServerTest, FullscreenAndBackShowTheWholePictureAsThePlayerSeesIt)
{
    SKIP_WITHOUT_BARE_X_SERVER(server);
    CTempDirectory work;
    const std::string environment = OnDisplay(server);
    // Frame 230 comes nearly four seconds into the game: long after the toggles.
    server.TypeOnceShown("^Vantor$", kToggle);
    const RunResult full = RunVantor(work, "", "--workdir . --frames 240 --screenshot 230:full.bmp", environment);
    ASSERT_EQ(full.status, 0) << full.errors;
    const Bitmap fullShot = ReadShot(work, "full.bmp");
    EXPECT_EQ(fullShot.width, 1280);   // the desktop's width, the aspect kept
    EXPECT_EQ(fullShot.height, 960);
    EXPECT_GT(LitShare(fullShot), 0.9);   // not a quarter of it in a corner

    server.TypeOnceShown("^Vantor$", std::string(kToggle) + " sleep 0.5 " + kToggle);
    const RunResult back = RunVantor(work, "", "--workdir . --frames 240 --screenshot 230:back.bmp", environment);
    ASSERT_EQ(back.status, 0) << back.errors;
    const Bitmap backShot = ReadShot(work, "back.bmp");
    EXPECT_EQ(backShot.width, 640);
    EXPECT_EQ(backShot.height, 480);
    EXPECT_GT(LitShare(backShot), 0.9);
}

TEST(BareXServerTest, AReplayIsNamedAndItsLastFrameStaysUntilAKey)
{
    SKIP_WITHOUT_BARE_X_SERVER(server);
    CTempDirectory work;
    const RunResult recorded = RunVantor(work, "0 down RIGHT\n30 up RIGHT\n",
                                         "--headless --workdir live --input input.txt --frames 60 "
                                         "--trace recorded.jsonl --record game.replay");
    ASSERT_EQ(recorded.status, 0) << recorded.errors;

    const std::string command = "cd " + Quote(work.Path().string()) + " && " + OnDisplay(server) + " " + kEmulator +
                                " " + Quote(kVantor.string()) +
                                " --replay game.replay --trace replayed.jsonl 2>/dev/null; echo $?";
    FILE* watched = popen(command.c_str(), "r");
    ASSERT_NE(watched, nullptr);
    const std::string whole = TraceText(work, "recorded.jsonl");
    for (int tries = 0; tries < 300 && TraceText(work, "replayed.jsonl") != whole; ++tries) {
        std::this_thread::sleep_for(100ms);
    }
    EXPECT_EQ(TraceText(work, "replayed.jsonl"), whole);
    std::this_thread::sleep_for(1s);
    // Still there, under the replay's name; a key ends it.
    const std::string named = "DISPLAY=" + server.Display() + " xdotool search --name '^Vantor - replay of game.replay$' >/dev/null";
    EXPECT_EQ(std::system(named.c_str()), 0);
    server.TypeOnceShown("replay of", "key space");
    int status = -1;
    EXPECT_EQ(std::fscanf(watched, "%d", &status), 1);
    pclose(watched);
    EXPECT_EQ(status, 0);
}

}  // namespace
