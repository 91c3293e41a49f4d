// The core as a frontend sees it, through our own small frontend: what it declares, that its
// pictures are vantor --headless's for the same input (the calendar clock fixed by faketime,
// see CMakeLists.txt), its sound, saves, save states, reset, quit, and loading it again.
#include <gtest/gtest.h>

#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>

#include "TestFiles.h"
#include "formats/ReplayReader.h"
#include "TestFrontend.h"

namespace {

// What time() says to everything that asks the program for it (the core's true clock does; the
// game inside the core must not): the fixed clock, or a later one the test sets.
time_t clockShift = 0;

}  // namespace

extern "C" time_t time(time_t* out) noexcept
{
    using TimeFunction = time_t (*)(time_t*);
    static const auto next = reinterpret_cast<TimeFunction>(dlsym(RTLD_NEXT, "time"));
    const time_t now = next(nullptr) + clockShift;
    if (out != nullptr) {
        *out = now;
    }
    return now;
}

namespace {

constexpr std::uint16_t Button(unsigned id)
{
    return static_cast<std::uint16_t>(1u << id);
}

// A short game through the pad: walk left, fire, walk right on the D-pad, jump, pause and go on.
// The same input as a script for vantor --headless (the D-pad is the stick at full tilt).
PadFrame ShortGame(int frame)
{
    PadFrame pad;
    if (frame >= 5 && frame < 60) {
        pad.leftX = -30000;
    }
    if (frame >= 60 && frame < 64) {
        pad.buttons |= Button(RETRO_DEVICE_ID_JOYPAD_A);
    }
    if (frame >= 70 && frame < 130) {
        pad.buttons |= Button(RETRO_DEVICE_ID_JOYPAD_RIGHT);
    }
    if (frame >= 100 && frame < 103) {
        pad.buttons |= Button(RETRO_DEVICE_ID_JOYPAD_B);
    }
    if ((frame >= 140 && frame < 142) || (frame >= 150 && frame < 152)) {
        pad.buttons |= Button(RETRO_DEVICE_ID_JOYPAD_START);
    }
    return pad;
}
constexpr const char* kShortGameScript =
    "0 pad connect\n5 pad stick -30000 0\n60 pad stick 0 0\n60 pad down B\n64 pad up B\n"
    "70 pad stick 32767 0\n100 pad down A\n103 pad up A\n130 pad stick 0 0\n"
    "140 pad down START\n142 pad up START\n150 pad down START\n152 pad up START\n";
constexpr int kShortGameFrames = 180;

class LibretroCoreTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (std::getenv("FAKETIME") == nullptr) {
            GTEST_SKIP() << "no fixed clock (faketime) for the game";
        }
    }
    void TearDown() override { clockShift = 0; }

    std::filesystem::path Saves() const { return work.Path() / "saves"; }

    // Runs vantor --headless in its own directory; the trace's lines.
    std::vector<std::string> Headless(const std::string& script, int frames, const std::string& more = "")
    {
        const std::filesystem::path dir = work.Path() / "headless";
        std::filesystem::create_directories(dir);
        std::ofstream(dir / "input.txt") << script;
        const std::string command = std::string("cd '") + dir.string() + "' && '" + VANTOR_EXE +
                                    "' --headless --workdir . --input input.txt --trace trace.jsonl --frames " +
                                    std::to_string(frames) + " " + more;
        EXPECT_EQ(std::system(command.c_str()), 0) << command;
        std::vector<std::string> lines;
        std::ifstream trace(dir / "trace.jsonl");
        for (std::string line; std::getline(trace, line);) {
            lines.push_back(line);
        }
        return lines;
    }

    CTempDirectory work;
};

// A 24-bit bottom-up BMP as 0xRRGGBB pixels, top row first (what vantor's screenshots are).
std::vector<std::uint32_t> ReadScreenshot(const std::filesystem::path& file, int width, int height)
{
    std::ifstream in(file, std::ios::binary);
    const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height);
    const std::size_t rowBytes = (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
    if (bytes.size() < 54 + rowBytes * height) {
        return {};
    }
    for (int y = 0; y < height; ++y) {
        const auto* row = reinterpret_cast<const std::uint8_t*>(bytes.data()) + 54 + rowBytes * (height - 1 - y);
        for (int x = 0; x < width; ++x) {
            const std::uint8_t* pixel = row + x * 3;
            pixels[static_cast<std::size_t>(y) * width + x] =
                (std::uint32_t{pixel[2]} << 16) | (std::uint32_t{pixel[1]} << 8) | pixel[0];
        }
    }
    return pixels;
}

std::vector<std::uint32_t> WithoutTopByte(std::vector<std::uint32_t> pixels)
{
    for (std::uint32_t& pixel : pixels) {
        pixel &= 0xFFFFFFu;
    }
    return pixels;
}

bool Silent(const std::vector<std::int16_t>& sound)
{
    for (const std::int16_t sample : sound) {
        if (sample != 0) {
            return false;
        }
    }
    return true;
}

std::set<std::string> ExportedSymbols(const std::filesystem::path& library)
{
    std::set<std::string> names;
    const std::string command = "nm -D --defined-only '" + library.string() + "'";
    std::FILE* pipe = popen(command.c_str(), "r");
    char line[512];
    while (pipe != nullptr && std::fgets(line, sizeof line, pipe) != nullptr) {
        std::istringstream fields(line);
        std::string address, kind, name;
        fields >> address >> kind >> name;
        names.insert(name);
    }
    if (pipe != nullptr) {
        pclose(pipe);
    }
    return names;
}

long ResidentKilobytes()
{
    std::ifstream statm("/proc/self/statm");
    long size = 0;
    long resident = 0;
    statm >> size >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

}  // namespace

TEST(LibretroCoreExportsTest, OnlyTheLibretroFunctionsAreExportedAndNoSdlIsNeeded)
{
    const std::set<std::string> names = ExportedSymbols(VANTOR_CORE);
    ASSERT_FALSE(names.empty()) << "nm read nothing from " << VANTOR_CORE;
    for (const std::string& name : names) {
        EXPECT_EQ(name.rfind("retro_", 0), 0u) << name << " is exported";
    }
    for (const char* needed : {"retro_init", "retro_run", "retro_serialize", "retro_unserialize", "retro_reset"}) {
        EXPECT_EQ(names.count(needed), 1u) << needed;
    }
    const std::string command = "objdump -p '" + std::string(VANTOR_CORE) + "' | grep NEEDED | grep -qi sdl";
    EXPECT_NE(std::system(command.c_str()), 0) << "the core links SDL";
}

TEST_F(LibretroCoreTest, DeclaresNoContentTheScreenAndTheRetroPad)
{
    CTestFrontend frontend(VANTOR_CORE, Saves());
    ASSERT_TRUE(frontend.Opened()) << dlerror();
    ASSERT_TRUE(frontend.Load());
    EXPECT_TRUE(frontend.NoGameSupported());
    EXPECT_EQ(frontend.PixelFormat(), unsigned{RETRO_PIXEL_FORMAT_XRGB8888});
    EXPECT_EQ(frontend.InputDescriptors(), 9u);
    retro_system_av_info av{};
    frontend.Symbol<void (*)(retro_system_av_info*)>("retro_get_system_av_info")(&av);
    EXPECT_EQ(av.geometry.base_width, 640u);
    EXPECT_EQ(av.geometry.base_height, 480u);
    EXPECT_DOUBLE_EQ(av.timing.fps, 60.0);
    EXPECT_DOUBLE_EQ(av.timing.sample_rate, 44100.0);
}

TEST_F(LibretroCoreTest, PicturesAndSoundsAreTheHeadlessGamesFrameByFrame)
{
    const std::vector<int> shots = {0, 59, 100, 145, kShortGameFrames - 1};
    std::string screenshots;
    for (const int shot : shots) {
        screenshots += " --screenshot " + std::to_string(shot) + ":shot" + std::to_string(shot) + ".bmp";
    }
    const std::vector<std::string> trace = Headless(kShortGameScript, kShortGameFrames, screenshots);
    ASSERT_EQ(trace.size(), static_cast<std::size_t>(kShortGameFrames));

    CTestFrontend frontend(VANTOR_CORE, Saves());
    ASSERT_TRUE(frontend.Load());
    std::size_t nextShot = 0;
    int soundsHeard = 0;
    std::vector<std::int16_t> before;   // the sound of the frame before
    for (int frame = 0; frame < kShortGameFrames; ++frame) {
        frontend.Run(1, ShortGame);
        ASSERT_EQ(frontend.SoundFramesLastRun(), 735u) << "frame " << frame;
        // This game's sounds each start after a silence, in the first frames of the frame whose
        // trace names them (their waves rise from a few zero samples).
        const std::vector<std::int16_t>& sound = frontend.LastSound();
        const bool started = trace[static_cast<std::size_t>(frame)].find("\"sounds\":[]") == std::string::npos;
        if (started) {
            ++soundsHeard;
            EXPECT_TRUE(Silent(before)) << "frame " << frame;
            EXPECT_FALSE(Silent(std::vector<std::int16_t>(sound.begin(), sound.begin() + 32))) << "frame " << frame;
        } else if (soundsHeard == 0) {
            EXPECT_TRUE(Silent(sound)) << "a sound before any started, frame " << frame;
        }
        before = sound;
        if (nextShot < shots.size() && shots[nextShot] == frame) {
            const auto expected = ReadScreenshot(work.Path() / "headless" / ("shot" + std::to_string(frame) + ".bmp"),
                                                 640, 480);
            ASSERT_FALSE(expected.empty());
            EXPECT_TRUE(WithoutTopByte(frontend.LastPicture()) == expected) << "frame " << frame;
            ++nextShot;
        }
    }
    EXPECT_GT(soundsHeard, 0) << "the game played no sound (a jump and a shot were asked for)";
}

TEST_F(LibretroCoreTest, TheRetroPadIsReadTheSameWayEveryFrame)
{
    CTestFrontend frontend(VANTOR_CORE, Saves());
    ASSERT_TRUE(frontend.Load());
    const std::vector<InputCall> expected = {
        {RETRO_DEVICE_JOYPAD, 0, RETRO_DEVICE_ID_JOYPAD_MASK},
        {RETRO_DEVICE_ANALOG, RETRO_DEVICE_INDEX_ANALOG_LEFT, RETRO_DEVICE_ID_ANALOG_X},
        {RETRO_DEVICE_ANALOG, RETRO_DEVICE_INDEX_ANALOG_LEFT, RETRO_DEVICE_ID_ANALOG_Y},
    };
    for (int frame = 0; frame < 160; ++frame) {
        frontend.Run(1, ShortGame);   // through a pause too
        ASSERT_EQ(frontend.InputCallsLastRun(), expected) << "frame " << frame;
    }
}

// Standing still under the demons (the clock fixed) loses the game by this frame; then the stick
// down chooses Quit and the bottom button selects it.
constexpr int kGameOverBy = 1200;
PadFrame StandStillThenQuit(int frame)
{
    PadFrame pad;
    if (frame >= kGameOverBy && frame < kGameOverBy + 10) {
        pad.leftY = 30000;   // down, in libretro's direction
    }
    if (frame >= kGameOverBy + 20 && frame < kGameOverBy + 25) {
        pad.buttons = Button(RETRO_DEVICE_ID_JOYPAD_B);
    }
    return pad;
}

TEST_F(LibretroCoreTest, ALostGameKeepsItsHighScoreInTheSaveDirectoryAndQuitClosesTheCore)
{
    const std::filesystem::path before = std::filesystem::current_path();
    CTestFrontend frontend(VANTOR_CORE, Saves());
    ASSERT_TRUE(frontend.Load());
    EXPECT_EQ(std::filesystem::current_path(), before) << "the frontend's directory changed";
    frontend.Run(kGameOverBy, StandStillThenQuit);
    EXPECT_TRUE(std::filesystem::is_regular_file(Saves() / "vantor" / "highscore"));
    EXPECT_FALSE(std::filesystem::exists(before / "highscore"));
    EXPECT_FALSE(frontend.ShutdownAsked());
    frontend.Run(30, StandStillThenQuit);
    EXPECT_TRUE(frontend.ShutdownAsked());
    EXPECT_EQ(std::filesystem::current_path(), before);
    // A frontend may run a frame or two more before it closes the core: a quiet one each.
    frontend.Run(2);
    EXPECT_EQ(frontend.SoundFramesLastRun(), 735u);
}

TEST_F(LibretroCoreTest, ASaveStateGoesOnWithTheFramesThatFollowedItEvenAfterTheClockMoved)
{
    CTestFrontend frontend(VANTOR_CORE, Saves());
    ASSERT_TRUE(frontend.Load());
    frontend.Run(100, ShortGame);
    const std::vector<std::uint8_t> state = frontend.Save();
    ASSERT_FALSE(state.empty());
    std::vector<std::uint64_t> followed;
    for (int i = 0; i < 80; ++i) {
        frontend.Run(1, ShortGame);
        followed.push_back(frontend.PictureHash());
    }
    // A day later the game must still read the clock its recording read, or its demons differ.
    clockShift = 86400;
    frontend.Reset();
    frontend.Run(30);
    ASSERT_TRUE(frontend.Restore(state));
    for (int i = 0; i < 80; ++i) {
        frontend.Run(1, [](int frame) { return ShortGame(frame + 100 - 30); });
        ASSERT_EQ(frontend.PictureHash(), followed[static_cast<std::size_t>(i)]) << "frame " << 100 + i;
    }
    EXPECT_FALSE(frontend.Restore(std::vector<std::uint8_t>(state.size(), 0))) << "a foreign state was taken";
}

// The core's recordings name the same rules as the desktop game's: a save state's recording
// (after the state's 16-byte header) and a --record of vantor carry one fingerprint.
TEST_F(LibretroCoreTest, ItsRecordingsNameTheSameRulesAsTheDesktopGame)
{
    CTestFrontend frontend(VANTOR_CORE, Saves());
    ASSERT_TRUE(frontend.Load());
    frontend.Run(10);
    std::vector<std::uint8_t> state = frontend.Save();
    ASSERT_GT(state.size(), 16u);
    const std::size_t length = state[12] | (state[13] << 8) | (state[14] << 16) | (static_cast<std::size_t>(state[15]) << 24);
    ASSERT_LE(length, state.size() - 16);
    CReplayReader core;
    std::string error;
    ASSERT_TRUE(core.Open({state.begin() + 16, state.begin() + 16 + static_cast<std::ptrdiff_t>(length)}, error)) << error;

    Headless("", 1, "--record game.replay");
    const std::string text = ReadText(work.Path() / "headless" / "game.replay");
    CReplayReader desktop;
    ASSERT_TRUE(desktop.Open({text.begin(), text.end()}, error)) << error;
    EXPECT_NE(desktop.Header().fingerprint, 0u);
    EXPECT_EQ(core.Header().fingerprint, desktop.Header().fingerprint);
}

TEST_F(LibretroCoreTest, ResetAndLoadingAgainStartANewGame)
{
    CTestFrontend frontend(VANTOR_CORE, Saves());
    ASSERT_TRUE(frontend.Load());
    frontend.Run(120, ShortGame);
    const std::uint64_t first = frontend.PictureHash();
    frontend.Reset();
    frontend.Run(120, ShortGame);
    EXPECT_EQ(frontend.PictureHash(), first);
    frontend.Unload();
    ASSERT_TRUE(frontend.Load());
    frontend.Run(120, ShortGame);
    EXPECT_EQ(frontend.PictureHash(), first);
}

// RetroArch loads a core, plays, unloads it and closes it, and may do it again in one process.
TEST_F(LibretroCoreTest, TwentyLoadsAndUnloadsOfTheWholeCoreDoNotPileUpMemory)
{
    long afterFirst = 0;
    std::uint64_t firstPicture = 0;
    constexpr int kCycles = 20;
    for (int cycle = 0; cycle < kCycles; ++cycle) {
        CTestFrontend frontend(VANTOR_CORE, Saves());
        ASSERT_TRUE(frontend.Load()) << "cycle " << cycle;
        frontend.Run(60, ShortGame);
        if (cycle == 0) {
            firstPicture = frontend.PictureHash();
        }
        EXPECT_EQ(frontend.PictureHash(), firstPicture) << "cycle " << cycle;
        frontend.Unload();
        if (cycle == 1) {
            afterFirst = ResidentKilobytes();
        }
    }
    const long growth = ResidentKilobytes() - afterFirst;
    std::printf("resident memory grew by %ld KB over %d loads\n", growth, kCycles - 2);
#ifdef VANTOR_SANITIZED
    GTEST_SKIP() << "resident memory under AddressSanitizer";
#endif
    EXPECT_LT(growth, 2 * 1024) << "a game's pictures and sounds are 1.6 MB: some load keeps them";
}
