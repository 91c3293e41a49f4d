// End-to-end runs of the real vantor with the real game module, input plug-in and assets:
// scripts go in, the trace, screenshots, files and exit status come out.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "formats/BmpCodec.h"
#include "engine/GraphicsService.h"
#include "Json.h"
#include "RunVantor.h"
#include "TestFiles.h"

namespace {

constexpr float kDt = 1.0f / 60.0f;

RunResult Headless(const CTempDirectory& work, const std::string& script, int frames,
             const std::string& more = "")
{
    return RunVantor(work, script,
                     "--headless --input input.txt --trace trace.jsonl --frames " +
                         std::to_string(frames) + " " + more);
}

// Sprites of a frame showing the given image (optionally only those at height y).
std::vector<JsonValue> SpritesOf(const JsonValue& frame, const std::string& image, float y = NAN)
{
    std::vector<JsonValue> found;
    for (const JsonValue& sprite : frame["sprites"].items) {
        if (!sprite["image"].IsNull() && sprite["image"].text == image &&
            (std::isnan(y) || sprite["y"].number == static_cast<double>(y))) {
            found.push_back(sprite);
        }
    }
    return found;
}

// The player: the only sprite with four frames.
JsonValue Player(const JsonValue& frame)
{
    for (const JsonValue& sprite : frame["sprites"].items) {
        if (sprite["frames"].number == 4) {
            return sprite;
        }
    }
    ADD_FAILURE() << "no player sprite";
    return {};
}

bool HasSound(const JsonValue& frame, const std::string& sound)
{
    const auto& sounds = frame["sounds"].items;
    return std::any_of(sounds.begin(), sounds.end(),
                       [&sound](const JsonValue& value) { return value.text == sound; });
}

TEST(EndToEndTest, TheFirstFramesShowTheGameAsItStarts)
{
    CTempDirectory work;
    const RunResult run = Headless(work, "", 3);
    ASSERT_EQ(run.status, 0) << run.errors;
    ASSERT_EQ(run.lines.size(), 3u);
    const JsonValue first = run.Frame(0);
    EXPECT_EQ(first["frame"].number, 0);
    EXPECT_NEAR(first["dt"].number, kDt, 1e-6);
    EXPECT_FALSE(first["quit"].boolean);
    const JsonValue& background = first["sprites"][0];
    EXPECT_EQ(background["image"].text, "images/Background.bmp");
    EXPECT_EQ(background["x"].number, 320.0);
    EXPECT_EQ(background["y"].number, 240.0);
    EXPECT_EQ(Player(first)["x"].number, 220.0);
    EXPECT_EQ(Player(first)["y"].number, 464.0);
    EXPECT_EQ(SpritesOf(first, "images/Hiro.bmp", 16.0f).size(), 3u);     // lives
    EXPECT_EQ(SpritesOf(first, "images/Bullet.bmp", 48.0f).size(), 3u);   // ammunition
    EXPECT_EQ(SpritesOf(first, "images/Demon.bmp").size(), 1u);
    EXPECT_EQ(SpritesOf(first, "images/AmmoBox.bmp").size(), 2u);
    EXPECT_EQ(run.Frame(2)["frame"].number, 2);
    EXPECT_FALSE(std::filesystem::exists(work.Path() / "highscore"));
}

TEST(EndToEndTest, HoldingRightWalksRightAtTheGamesTopSpeed)
{
    CTempDirectory work;
    const RunResult run = Headless(work, "0 down RIGHT\n", 21);
    ASSERT_EQ(run.status, 0) << run.errors;
    const JsonValue tenth = run.Frame(10);
    const JsonValue last = run.Frame(20);
    EXPECT_EQ(tenth["actions"][0]["name"].text, "right");
    EXPECT_EQ(tenth["actions"][0]["value"].number, 1.0);
    // At full speed the friction leaves 200 - 1000 dt pixels per second.
    const double perFrame = (200.0 - 1000.0 * kDt) * kDt;
    EXPECT_NEAR(Player(last)["x"].number - Player(tenth)["x"].number, 10 * perFrame, 0.01);
    EXPECT_GT(Player(tenth)["x"].number, 220.0);
    EXPECT_FALSE(Player(last)["mirrored"].boolean);
}

TEST(EndToEndTest, UpJumpsAHundredPixelsWithTheJumpSound)
{
    CTempDirectory work;
    const RunResult run = Headless(work, "10 down UP\n12 up UP\n", 50);
    ASSERT_EQ(run.status, 0) << run.errors;
    EXPECT_TRUE(HasSound(run.Frame(10), "sounds/jump.wav"));
    EXPECT_FALSE(HasSound(run.Frame(11), "sounds/jump.wav"));
    double highest = 464.0;
    for (std::size_t frame = 10; frame < 50; ++frame) {
        highest = std::min(highest, Player(run.Frame(frame))["y"].number);
    }
    EXPECT_NEAR(highest, 364.0, 2.0);
    EXPECT_EQ(Player(run.Frame(49))["y"].number, 464.0);
}

TEST(EndToEndTest, SpaceFiresABulletThatRisesAndEmptiesOneAmmoIcon)
{
    CTempDirectory work;
    const RunResult run = Headless(work, "20 down SPACE\n21 up SPACE\n", 30);
    ASSERT_EQ(run.status, 0) << run.errors;
    EXPECT_TRUE(HasSound(run.Frame(20), "sounds/shoot.wav"));
    EXPECT_EQ(SpritesOf(run.Frame(20), "images/Bullet.bmp", 48.0f).size(), 2u);
    EXPECT_FALSE(SpritesOf(run.Frame(20), "images/WordBubble.bmp").empty());
    auto bulletHeight = [&run](std::size_t frame) {
        for (const JsonValue& bullet : SpritesOf(run.Frame(frame), "images/Bullet.bmp")) {
            if (bullet["y"].number != 48.0) {
                return bullet["y"].number;
            }
        }
        return 1.0e9;
    };
    EXPECT_NEAR(bulletHeight(20), 442.0, 0.5);
    EXPECT_NEAR(bulletHeight(29), 442.0 - 9 * 500.0 * kDt, 0.5);
}

TEST(EndToEndTest, CarryingTheLeftBoxToTheShooterAddsThreeShots)
{
    CTempDirectory work;
    const RunResult run = Headless(work, "0 down LEFT\n90 up LEFT\n90 down RIGHT\n", 200);
    ASSERT_EQ(run.status, 0) << run.errors;
    bool delivered = false;
    std::size_t when = 0;
    for (std::size_t frame = 90; frame < 200 && !delivered; ++frame) {
        delivered = HasSound(run.Frame(frame), "sounds/ammoup.wav");
        when = frame;
    }
    ASSERT_TRUE(delivered);
    EXPECT_EQ(SpritesOf(run.Frame(when - 1), "images/Bullet.bmp", 48.0f).size(), 3u);
    EXPECT_EQ(SpritesOf(run.Frame(when), "images/Bullet.bmp", 48.0f).size(), 6u);
    EXPECT_LT(Player(run.Frame(80))["x"].number, 48.0);
}

TEST(EndToEndTest, PauseStopsTheGameUntilPressedAgain)
{
    CTempDirectory work;
    const RunResult run = Headless(work, "0 down RIGHT\n5 down P\n15 up P\n20 down P\n21 up P\n", 30);
    ASSERT_EQ(run.status, 0) << run.errors;
    const double paused = Player(run.Frame(6))["x"].number;
    EXPECT_EQ(Player(run.Frame(19))["x"].number, paused);   // P held for ten frames: one toggle
    EXPECT_EQ(Player(run.Frame(20))["x"].number, paused);
    EXPECT_GT(Player(run.Frame(22))["x"].number, paused);
}

TEST(EndToEndTest, EscapeQuitsWithStatusZero)
{
    CTempDirectory work;
    const RunResult run = Headless(work, "5 down ESCAPE\n", 100);
    EXPECT_EQ(run.status, 0) << run.errors;
    ASSERT_EQ(run.lines.size(), 6u);
    EXPECT_TRUE(run.Frame(5)["quit"].boolean);
    EXPECT_FALSE(run.Frame(4)["quit"].boolean);
}

TEST(EndToEndTest, TheGamepadWalksAndJumps)
{
    CTempDirectory work;
    const RunResult run = Headless(work, "0 pad connect\n0 pad stick -30000 0\n10 pad down A\n11 pad up A\n", 20);
    ASSERT_EQ(run.status, 0) << run.errors;
    EXPECT_LT(Player(run.Frame(19))["x"].number, 220.0);
    EXPECT_TRUE(HasSound(run.Frame(10), "sounds/jump.wav"));
}

// Standing still under the demons loses the game; the menu shows, "highscore" is written, and
// Retry starts a new game. A long run: 0.05 s frames for five minutes of game time at most.
TEST(EndToEndTest, ALostGameShowsTheMenuSavesTheHighScoreAndRetryStartsAgain)
{
    CTempDirectory work;
    const RunResult run = RunVantor(work, "5990 down RETURN\n5992 up RETURN\n",
                              "--headless --dt 0.05 --frames 6000 --input input.txt "
                              "--trace trace.jsonl");
    ASSERT_EQ(run.status, 0) << run.errors;
    ASSERT_EQ(run.lines.size(), 6000u);
    const JsonValue menu = run.Frame(5989);
    ASSERT_EQ(SpritesOf(menu, "images/GameOver.bmp").size(), 1u) << "the game did not end";
    EXPECT_EQ(SpritesOf(menu, "images/Hiro.bmp", 16.0f).size(), 0u);
    EXPECT_EQ(ReadText(work.Path() / "highscore"), std::string(4, '\0'));

    const JsonValue again = run.Frame(5999);
    EXPECT_TRUE(SpritesOf(again, "images/GameOver.bmp").empty());
    EXPECT_EQ(SpritesOf(again, "images/Hiro.bmp", 16.0f).size(), 3u);
    EXPECT_EQ(SpritesOf(again, "images/Bullet.bmp", 48.0f).size(), 3u);
    EXPECT_EQ(Player(again)["x"].number, 220.0);
}

TEST(EndToEndTest, AScreenshotShowsTheBackgroundAndTheHudWhereTheyBelong)
{
    CTempDirectory work;
    const RunResult run = Headless(work, "", 2, "--screenshot 1:shot.bmp");
    ASSERT_EQ(run.status, 0) << run.errors;
    Bitmap shot;
    std::string error;
    std::vector<uint8_t> bytes(ReadText(work.Path() / "shot.bmp").size());
    const std::string text = ReadText(work.Path() / "shot.bmp");
    std::copy(text.begin(), text.end(), bytes.begin());
    ASSERT_TRUE(DecodeBmp(bytes, shot, error)) << error;
    ASSERT_EQ(shot.width, 640);
    ASSERT_EQ(shot.height, 480);

    const std::filesystem::path images = kVantor.parent_path() / "data" / "images";
    Bitmap background;
    Bitmap hiro;
    Bitmap zero;
    ASSERT_TRUE(CGraphicsService::LoadBitmapFile(images / "Background.bmp", true, background, error));
    ASSERT_TRUE(CGraphicsService::LoadBitmapFile(images / "Hiro.bmp", false, hiro, error));
    ASSERT_TRUE(CGraphicsService::LoadBitmapFile(images / "0.bmp", false, zero, error));
    auto pixel = [](const Bitmap& bitmap, int x, int y) {
        return bitmap.pixels[static_cast<std::size_t>(y * bitmap.width + x)] & 0xFFFFFFu;
    };
    // Open floor between the shooter and the right box: background only.
    for (int y = 300; y < 380; y += 7) {
        for (int x = 400; x < 560; x += 11) {
            ASSERT_EQ(pixel(shot, x, y), pixel(background, x, y)) << x << "," << y;
        }
    }
    // The first life icon centred at (16, 16) and the score's single 0 at (607, 16).
    auto showsAt = [&](const Bitmap& icon, int centreX, int centreY) {
        const int left = centreX - icon.width / 2;
        const int top = centreY - icon.height / 2;
        int opaque = 0;
        for (int y = 0; y < icon.height; ++y) {
            for (int x = 0; x < icon.width; ++x) {
                if ((icon.pixels[static_cast<std::size_t>(y * icon.width + x)] >> 24) == 255) {
                    EXPECT_EQ(pixel(shot, left + x, top + y), pixel(icon, x, y));
                    ++opaque;
                }
            }
        }
        return opaque;
    };
    EXPECT_GT(showsAt(hiro, 16, 16), 50);
    EXPECT_GT(showsAt(zero, 607, 16), 20);
}

TEST(EndToEndTest, ScriptMistakesStopBeforeAnyFrame)
{
    CTempDirectory work;
    const RunResult unknown = Headless(work, "0 down RIGHT\n3 down RIGTH\n", 10);
    EXPECT_NE(unknown.status, 0);
    EXPECT_NE(unknown.errors.find("line 2: unknown key \"RIGTH\""), std::string::npos) << unknown.errors;
    EXPECT_TRUE(unknown.lines.empty());
    const RunResult backwards = Headless(work, "9 down UP\n3 up UP\n", 10);
    EXPECT_NE(backwards.status, 0);
    EXPECT_NE(backwards.errors.find("line 2"), std::string::npos);
    const RunResult missing = RunVantor(work, "", "--headless --input nowhere.txt");
    EXPECT_NE(missing.status, 0);
    EXPECT_NE(missing.errors.find("nowhere.txt"), std::string::npos);
    const RunResult option = RunVantor(work, "", "--headless --frames many");
    EXPECT_NE(option.status, 0);
    EXPECT_NE(option.errors.find("--frames"), std::string::npos);
    const RunResult help = RunVantor(work, "", "--help");
    EXPECT_EQ(help.status, 0);
}

// A copy of the installed game in which something is broken.
class BrokenInstallTest : public ::testing::Test {
protected:
    BrokenInstallTest()
    {
        std::filesystem::copy(kVantor.parent_path(), install.Path() / "bin",
                              std::filesystem::copy_options::recursive);
    }
    RunResult Start() { return RunVantor(work, "", "--headless --frames 2", "", install.Path() / "bin" / "vantor"); }

    CTempDirectory install;
    CTempDirectory work;
};

TEST_F(BrokenInstallTest, AMissingImageIsNamed)
{
    std::filesystem::remove(install.Path() / "bin" / "data" / "images" / "Arrow.bmp");
    const RunResult run = Start();
    EXPECT_NE(run.status, 0);
    EXPECT_NE(run.errors.find("could not start: cannot load images/Arrow.bmp"), std::string::npos)
        << run.errors;
    EXPECT_EQ(std::count(run.errors.begin(), run.errors.end(), '\n'), 1);
}

// Without its data the game cannot start: that is the one thing said, before any picture is missed.
TEST_F(BrokenInstallTest, AMissingDataDirectoryIsTheFirstAndOnlyWord)
{
    std::filesystem::remove_all(install.Path() / "bin" / "data");
    const RunResult run = Start();
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.errors.rfind("vantor: the game's data directory ", 0), 0u) << run.errors;
    EXPECT_NE(run.errors.find("is missing: keep the game's files together"), std::string::npos) << run.errors;
    EXPECT_EQ(run.errors.find("build", run.errors.find("is missing")), std::string::npos)
        << "an installed game has no build: " << run.errors;
    EXPECT_EQ(std::count(run.errors.begin(), run.errors.end(), '\n'), 1) << run.errors;
}

TEST_F(BrokenInstallTest, ADamagedSoundIsNamed)
{
    const std::filesystem::path jump = install.Path() / "bin" / "data" / "sounds" / "jump.wav";
    std::filesystem::resize_file(jump, 30);
    const RunResult run = Start();
    EXPECT_NE(run.status, 0);
    EXPECT_NE(run.errors.find("sounds/jump.wav"), std::string::npos) << run.errors;
}

TEST_F(BrokenInstallTest, AMissingDigitOnlyWarns)
{
    std::filesystem::remove(install.Path() / "bin" / "data" / "images" / "7.bmp");
    const RunResult run = Start();
    EXPECT_EQ(run.status, 0) << run.errors;
    EXPECT_NE(run.errors.find("warning: cannot load images/7.bmp"), std::string::npos) << run.errors;
}

TEST_F(BrokenInstallTest, AMissingPluginIsNamed)
{
    std::filesystem::remove(install.Path() / "bin" / "Pellam.so");
    const RunResult game = Start();
    EXPECT_NE(game.status, 0);
    EXPECT_NE(game.errors.find("Pellam.so"), std::string::npos) << game.errors;

    std::filesystem::copy_file(install.Path() / "bin" / "VantorDirectInput.so",
                               install.Path() / "bin" / "Pellam.so");
    const RunResult foreign = Start();
    EXPECT_NE(foreign.status, 0);
    EXPECT_NE(foreign.errors.find("does not export CreateVantorEntity"), std::string::npos)
        << foreign.errors;
}

// Walks to the left box, carries it to the gun, fires, jumps and uses the pad: with the clock
// fixed as below, one of the shots kills a demon.
const char* const kBusyScript =
    "0 down LEFT\n200 up LEFT\n201 down RIGHT\n330 up RIGHT\n"
    "331 down SPACE\n340 up SPACE\n350 down SPACE\n360 up SPACE\n370 down SPACE\n380 up SPACE\n"
    "400 pad connect\n410 pad stick 30000 0\n500 pad stick 0 0\n510 pad down A\n520 pad up A\n"
    "600 down P\n610 up P\n700 down P\n705 up P\n";
// faketime preloads its library ahead of the AddressSanitizer runtime, which that build's check
// of the load order would refuse; the clock is all it stands in for.
const std::string kFixedClock = "ASAN_OPTIONS=verify_asan_link_order=0 faketime -f '2024-01-01 12:00:00'";

// Sprites are drawn in layers: the HUD stays above demons born after the score changed, and
// Hiro stays above a box delivered where he stands.
TEST(EndToEndTest, TheHudIsDrawnOverEveryDemonAndHiroOverTheBoxes)
{
    CTempDirectory work;
    const RunResult run = RunVantor(
        work, kBusyScript, "--headless --input input.txt --trace trace.jsonl --frames 1200", kFixedClock);
    ASSERT_EQ(run.status, 0) << run.errors;
    bool demonsAfterAScore = false;
    for (std::size_t index = 0; index < run.lines.size(); ++index) {
        const JsonValue frame = run.Frame(index);
        const std::vector<JsonValue>& sprites = frame["sprites"].items;
        std::ptrdiff_t lowestDigit = -1, highestActor = -1, highestScenery = -1, player = -1;
        bool scored = false;
        for (std::size_t i = 0; i < sprites.size(); ++i) {
            const std::string image = sprites[i]["image"].IsNull() ? "" : sprites[i]["image"].text;
            const auto at = static_cast<std::ptrdiff_t>(i);
            const bool hudIcon = sprites[i]["y"].number <= 48.0;
            if (image.size() == 12 && std::isdigit(static_cast<unsigned char>(image[7])) != 0) {
                lowestDigit = lowestDigit < 0 ? at : lowestDigit;
                scored = scored || image != "images/0.bmp";
            } else if (image.rfind("images/Demon", 0) == 0 || image == "images/Fireball.bmp" ||
                       (image == "images/Bullet.bmp" && !hudIcon)) {
                highestActor = at;
            } else if (image == "images/AmmoBox.bmp" || image == "images/Shooter.bmp") {
                highestScenery = at;
            } else if (sprites[i]["frames"].number == 4) {
                player = at;
            }
        }
        ASSERT_EQ(sprites.at(0)["image"].text, "images/Background.bmp");
        EXPECT_GT(lowestDigit, highestActor) << "frame " << index;
        EXPECT_GT(player, highestScenery) << "frame " << index;
        demonsAfterAScore = demonsAfterAScore || (scored && highestActor >= 0);
    }
    EXPECT_TRUE(demonsAfterAScore);
}

TEST(ReplayEndToEndTest, AReplayReproducesTheRecordedTraceByteForByte)
{
    CTempDirectory work;
    const RunResult recorded = RunVantor(work, kBusyScript,
        "--headless --workdir live --input input.txt --frames 900 --trace recorded.jsonl --record game.replay",
        kFixedClock);
    ASSERT_EQ(recorded.status, 0) << recorded.errors;
    const std::string original = TraceText(work, "recorded.jsonl");
    ASSERT_FALSE(original.empty());
    // The recorded clock readings reach the game: replays under another clock play the same.
    for (const std::string& clock : {std::string(), std::string("ASAN_OPTIONS=verify_asan_link_order=0 faketime -f '2031-07-04 03:21:09'")}) {
        const RunResult replayed =
            RunVantor(work, "", "--headless --replay game.replay --trace replayed.jsonl", clock);
        EXPECT_EQ(replayed.status, 0) << replayed.errors;
        EXPECT_EQ(TraceText(work, "replayed.jsonl"), original) << clock;
    }
    // A replay leaves the player's high score alone and plays in a directory of its own.
    EXPECT_FALSE(std::filesystem::exists(work.Path() / "highscore"));
}

TEST(ReplayEndToEndTest, AReplayCarriesAcrossGameOverAndRetryAndKeepsTheBestGame)
{
    CTempDirectory work;
    std::string script = kBusyScript;
    for (int frame = 4000; frame <= 4100; frame += 20) {   // Retry, once the game is over
        script += std::to_string(frame) + " down RETURN\n" + std::to_string(frame + 5) + " up RETURN\n";
    }
    const RunResult recorded = RunVantor(work, script,
        "--headless --workdir live --input input.txt --frames 4300 --trace recorded.jsonl --record game.replay",
        kFixedClock);
    ASSERT_EQ(recorded.status, 0) << recorded.errors;
    const std::string original = TraceText(work, "recorded.jsonl");
    ASSERT_NE(original.find("images/Retry.bmp"), std::string::npos) << "the game never ended";

    const RunResult replayed = RunVantor(work, "", "--headless --replay game.replay --trace replayed.jsonl");
    EXPECT_EQ(replayed.status, 0) << replayed.errors;
    EXPECT_EQ(TraceText(work, "replayed.jsonl"), original);

    // The game ended with 50 points over a high score of 0: its replay was kept, and plays the
    // start of the same run.
    ASSERT_TRUE(std::filesystem::exists(work.Path() / "live" / "best.replay"));
    const RunResult best = RunVantor(work, "", "--headless --replay live/best.replay --trace best.jsonl");
    EXPECT_EQ(best.status, 0) << best.errors;
    const std::string bestTrace = TraceText(work, "best.jsonl");
    ASSERT_FALSE(bestTrace.empty());
    EXPECT_EQ(original.compare(0, bestTrace.size(), bestTrace), 0);
    EXPECT_NE(bestTrace.find("images/GameOver.bmp"), std::string::npos);
}

TEST(ReplayEndToEndTest, BadReplaysEndWithOneLineAndAFailure)
{
    CTempDirectory work;
    const RunResult recorded =
        RunVantor(work, "0 down RIGHT\n", "--headless --input input.txt --frames 30 --record game.replay");
    ASSERT_EQ(recorded.status, 0) << recorded.errors;
    const std::string whole = ReadText(work.Path() / "game.replay");
    const auto write = [&work](const std::string& name, const std::string& bytes) {
        std::ofstream(work.Path() / name, std::ios::binary) << bytes;
    };
    write("cut.replay", whole.substr(0, whole.size() / 2));
    std::string flipped = whole;
    flipped[flipped.size() / 2] = static_cast<char>(flipped[flipped.size() / 2] ^ 0x10);
    write("flipped.replay", flipped);
    write("foreign.replay", "BM this is a picture");
    std::string newer = whole;
    newer[8] = 9;
    write("newer.replay", newer);
    for (const std::string name : {"cut", "flipped", "foreign", "newer", "missing"}) {
        const RunResult run = RunVantor(work, "", "--headless --replay " + name + ".replay");
        EXPECT_NE(run.status, 0) << name;
        EXPECT_EQ(std::count(run.errors.begin(), run.errors.end(), '\n'), 1) << run.errors;
        EXPECT_EQ(run.errors.rfind("vantor: cannot play the replay " + name + ".replay: ", 0), 0u)
            << run.errors;
    }
}

TEST(ReplayEndToEndTest, AReplayOfOtherRulesWarnsAndPlays)
{
    CTempDirectory work;
    const RunResult recorded =
        RunVantor(work, "0 down RIGHT\n", "--headless --input input.txt --frames 30 --record game.replay");
    ASSERT_EQ(recorded.status, 0) << recorded.errors;
    std::string bytes = ReadText(work.Path() / "game.replay");
    // The fingerprint follows the magic, the version and the host's version text ("1.0").
    const std::size_t fingerprintAt = 8 + 4 + 2 + static_cast<unsigned char>(bytes[12]);
    bytes[fingerprintAt] = static_cast<char>(bytes[fingerprintAt] ^ 1);
    // Seal it again as the host would: the checksum covers everything before the end record.
    const std::size_t endAt = bytes.size() - 17;
    std::uint64_t hash = 14695981039346656037ull;
    for (std::size_t i = 0; i < endAt; ++i) {
        hash = (hash ^ static_cast<unsigned char>(bytes[i])) * 1099511628211ull;
    }
    for (int i = 0; i < 8; ++i) {
        bytes[endAt + 9 + static_cast<std::size_t>(i)] = static_cast<char>(hash >> (8 * i));
    }
    std::ofstream(work.Path() / "other.replay", std::ios::binary) << bytes;
    const RunResult run = RunVantor(work, "", "--headless --replay other.replay --trace trace.jsonl");
    EXPECT_EQ(run.status, 0) << run.errors;
    EXPECT_NE(run.errors.find("different game rules (its fingerprint "), std::string::npos) << run.errors;
    EXPECT_EQ(run.lines.size(), 30u);
}

TEST(ReplayEndToEndTest, AWindowReplaysAtTheRecordedPaceWithTheSameTrace)
{
    CTempDirectory work;
    const RunResult recorded = RunVantor(work, "0 down RIGHT\n20 up RIGHT\n21 down UP\n",
        "--headless --input input.txt --frames 40 --trace recorded.jsonl --record game.replay");
    ASSERT_EQ(recorded.status, 0) << recorded.errors;
    // Named alone, as a file manager opens a replay.
    const RunResult replayed = RunVantor(work, "", "game.replay --trace trace.jsonl",
                                         "SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy");
    EXPECT_EQ(replayed.status, 0) << replayed.errors;
    EXPECT_EQ(TraceText(work, "trace.jsonl"), TraceText(work, "recorded.jsonl"));
}

TEST(WindowTest, StartsDrawsAndQuitsUnderTheDummyDrivers)
{
    CTempDirectory work;
    CTempDirectory home;
    const RunResult run = RunVantor(work, "", "--frames 30 --screenshot 20:window.bmp",
                                    "SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy XDG_DATA_HOME=" +
                                        Quote(home.Path().string()));
    EXPECT_EQ(run.status, 0) << run.errors;
    EXPECT_TRUE(std::filesystem::is_directory(home.Path() / "vantor"));   // the high score's home
    // Made for this player alone.
    EXPECT_EQ(std::filesystem::status(home.Path() / "vantor").permissions(), std::filesystem::perms::owner_all);

    const std::string text = ReadText(work.Path() / "window.bmp");
    Bitmap shot;
    std::string error;
    ASSERT_TRUE(DecodeBmp({text.begin(), text.end()}, shot, error)) << error;
    EXPECT_EQ(shot.width * 3, shot.height * 4);   // the whole 4:3 screen, scaled
    std::size_t lit = 0;
    for (const uint32_t pixel : shot.pixels) {
        lit += (pixel & 0xFFFFFFu) != 0 ? 1 : 0;
    }
    EXPECT_GT(lit, shot.pixels.size() / 2);   // the scene, not a black window
}

TEST(WindowTest, ATraceOfAWindowedRunHasTheHeadlessFormatWithRealFrameTimes)
{
    CTempDirectory work;
    const RunResult run = RunVantor(work, "", "--frames 12 --workdir . --trace trace.jsonl",
                                    "SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy");
    EXPECT_EQ(run.status, 0) << run.errors;
    ASSERT_EQ(run.lines.size(), 12u);
    for (std::size_t i = 0; i < run.lines.size(); ++i) {
        const JsonValue frame = run.Frame(i);
        EXPECT_EQ(frame["frame"].number, static_cast<double>(i));
        EXPECT_GT(frame["dt"].number, 0.0);
        EXPECT_LE(frame["dt"].number, 0.1);   // a stall counts as at most 0.1 s
        EXPECT_FALSE(frame["sprites"].items.empty());
    }
}

// Lifting the 60-a-second hold is for benchmarks alone: asked for by name, and said aloud.
TEST(WindowTest, FramesRaceOnlyWhenABenchmarkAsksAndThenItSaysSo)
{
    CTempDirectory work;
    const char* const drivers = "SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy";
    const RunResult asked = RunVantor(work, "", "--frames 3 --workdir .",
                                      std::string(drivers) + " VANTOR_UNCAPPED_FRAMES=1");
    EXPECT_EQ(asked.status, 0) << asked.errors;
    EXPECT_NE(asked.errors.find("frames are not held to 60 a second"), std::string::npos) << asked.errors;
    for (const char* setting : {"", " VANTOR_UNCAPPED_FRAMES=0", " VANTOR_UNCAPPED_FRAMES=yes"}) {
        const RunResult play = RunVantor(work, "", "--frames 3 --workdir .", drivers + std::string(setting));
        EXPECT_EQ(play.status, 0) << play.errors;
        EXPECT_EQ(play.errors.find("not held"), std::string::npos) << setting << ": " << play.errors;
    }
}

TEST(WindowTest, WithoutASoundDeviceTheGamePlaysSilentlyAndSaysSo)
{
    CTempDirectory work;
    const RunResult run = RunVantor(work, "", "--frames 5 --workdir .",
                                    "SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=no-such-device");
    EXPECT_EQ(run.status, 0) << run.errors;
    EXPECT_NE(run.errors.find("vantor: no sound device"), std::string::npos) << run.errors;
    EXPECT_NE(run.errors.find("playing without sound"), std::string::npos) << run.errors;
}

// Without a display the player learns where the game can be played, not of a headless run that
// would play nobody's game; and a headless run with nothing to play is refused, not left to run.
TEST(WindowTest, NoDisplaySaysWhereToPlayAndABareHeadlessRunIsRefused)
{
    CTempDirectory work;
    const RunResult run = RunVantor(work, "", "--frames 3",
                              "env -u DISPLAY -u WAYLAND_DISPLAY -u XDG_RUNTIME_DIR -u SDL_VIDEODRIVER");
    EXPECT_NE(run.status, 0);
    EXPECT_NE(run.errors.find("vantor: no display available"), std::string::npos) << run.errors;
    EXPECT_NE(run.errors.find("play it on a desktop, or in a web browser"), std::string::npos) << run.errors;
    EXPECT_EQ(run.errors.find("--headless"), std::string::npos) << run.errors;

    const RunResult bare = RunVantor(work, "", "--headless");
    EXPECT_EQ(bare.status, 1);
    EXPECT_EQ(bare.errors, "vantor: --headless needs something to play: add --input SCRIPT, --replay FILE or "
                           "--frames N (to play yourself, leave out --headless)\n");
    EXPECT_FALSE(std::filesystem::exists(work.Path() / "highscore"));
}

// Files and inputs that once hung, crashed or misled the host, and what it does with them now.
TEST(EndToEndTest, InputScriptsThatCannotBeScriptsAreRefusedWithAReason)
{
    CTempDirectory work;
    const RunResult directory = RunVantor(work, "", "--headless --input . --frames 2");
    EXPECT_EQ(directory.status, 1);
    EXPECT_NE(directory.errors.find("is a directory"), std::string::npos) << directory.errors;
    const RunResult endless = RunVantor(work, "", "--headless --input /dev/zero --frames 2");
    EXPECT_EQ(endless.status, 1);
    EXPECT_NE(endless.errors.find("/dev/zero is larger than 16 MiB"), std::string::npos) << endless.errors;
    const RunResult tiny = RunVantor(work, "", "--headless --dt 1e-50 --frames 2");
    EXPECT_EQ(tiny.status, 1);
    EXPECT_NE(tiny.errors.find("--dt"), std::string::npos) << tiny.errors;
    const RunResult noisy = Headless(work, "1 down \x1b]0;owned\x07\r\n", 2);
    EXPECT_EQ(noisy.status, 1);
    EXPECT_NE(noisy.errors.find("unknown key \"\\x1B]0;owned\\x07\""), std::string::npos) << noisy.errors;
}

TEST(EndToEndTest, OutputsThatCannotBeWrittenSayWhy)
{
    CTempDirectory work;
    const RunResult trace = RunVantor(work, "", "--headless --frames 2 --trace missing/trace.jsonl");
    EXPECT_EQ(trace.status, 1);
    EXPECT_NE(trace.errors.find("missing/trace.jsonl: no such file or directory"), std::string::npos)
        << trace.errors;
    const RunResult shot = RunVantor(work, "", "--headless --frames 2 --screenshot 0:missing/a.bmp");
    EXPECT_EQ(shot.status, 1);
    EXPECT_NE(shot.errors.find("missing/a.bmp: no such file or directory"), std::string::npos) << shot.errors;
    WriteBytes(work.Path() / "plain", {'x'});
    const RunResult workdir = RunVantor(work, "", "--headless --frames 2 --workdir plain/sub");
    EXPECT_EQ(workdir.status, 1);
    EXPECT_NE(workdir.errors.find("not a directory"), std::string::npos) << workdir.errors;
}

TEST(EndToEndTest, AHighScoreThatIsNoPlainWritableFileWarnsOnceAndIsLeftAlone)
{
    CTempDirectory work;
    ASSERT_EQ(std::system(("mkfifo " + Quote((work.Path() / "highscore").string())).c_str()), 0);
    // A FIFO once hung the start for good; a time limit turns a hang into a failure.
    const RunResult fifo = RunVantor(work, "", "--headless --frames 2", "timeout 60");
    EXPECT_EQ(fifo.status, 0) << fifo.errors;
    EXPECT_NE(fifo.errors.find("highscore is not a regular file"), std::string::npos) << fifo.errors;
    EXPECT_EQ(std::count(fifo.errors.begin(), fifo.errors.end(), '\n'), 1) << fifo.errors;
    EXPECT_TRUE(std::filesystem::is_fifo(work.Path() / "highscore"));

    std::filesystem::remove(work.Path() / "highscore");
    WriteBytes(work.Path() / "highscore", {0xFA, 0, 0, 0});
    std::filesystem::permissions(work.Path() / "highscore", std::filesystem::perms::owner_read);
    const RunResult locked = RunVantor(work, "", "--headless --frames 2");
    EXPECT_EQ(locked.status, 0) << locked.errors;
    EXPECT_NE(locked.errors.find("highscore is read-only; the high score will not be saved"),
              std::string::npos) << locked.errors;
}

TEST(EndToEndTest, AWorkDirectoryOthersCouldChangeIsSaidOnceAndStillPlays)
{
    namespace fs = std::filesystem;
    CTempDirectory work;
    fs::permissions(work.Path(), fs::perms::all, fs::perm_options::replace);
    const RunResult open = RunVantor(work, "", "--headless --frames 2");
    EXPECT_EQ(open.status, 0) << open.errors;
    EXPECT_EQ(open.errors, "vantor: warning: anybody may write in " + work.Path().string() +
                               " and change the high score kept there (--workdir DIR keeps it in a directory "
                               "of your own)\n");

    // The sticky bit keeps each file its owner's, as in /tmp.
    fs::permissions(work.Path(), fs::perms::all | fs::perms::sticky_bit, fs::perm_options::replace);
    EXPECT_EQ(RunVantor(work, "", "--headless --frames 2").errors, "");

    fs::permissions(work.Path(), fs::perms::owner_all, fs::perm_options::replace);
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown(work.Path().c_str(), 65534, 65534), 0);
        const RunResult theirs = RunVantor(work, "", "--headless --frames 2");
        EXPECT_EQ(theirs.status, 0) << theirs.errors;
        EXPECT_NE(theirs.errors.find(" belongs to another user, who could change the high score kept there"),
                  std::string::npos) << theirs.errors;
        EXPECT_EQ(std::count(theirs.errors.begin(), theirs.errors.end(), '\n'), 1) << theirs.errors;
    }
}

// A file the game did not write is still taken by the game (its first 4 bytes), and a text file
// would then show a best no one can beat: the player is told what the game will read, and how to
// start again.
TEST(EndToEndTest, AHighScoreTheGameDidNotWriteIsNamedWithTheScoreItGives)
{
    CTempDirectory work;
    const std::string text = "garbage-not-a-score";
    WriteBytes(work.Path() / "highscore", {text.begin(), text.end()});
    const RunResult foreign = RunVantor(work, "", "--headless --frames 2");
    EXPECT_EQ(foreign.status, 0) << foreign.errors;
    EXPECT_EQ(foreign.errors, "vantor: warning: \"highscore\" is 19 bytes, not the 4 the game writes: the game "
                              "will take 1651663207 as the best score (delete the file to start again from 0)\n");
    EXPECT_EQ(ReadText(work.Path() / "highscore"), text);

    WriteBytes(work.Path() / "highscore", {7, 0});
    EXPECT_NE(RunVantor(work, "", "--headless --frames 2").errors.find("is 2 bytes, not the 4 the game writes: "
                                                                      "the game will take 0 as"),
              std::string::npos);
    WriteBytes(work.Path() / "highscore", {0xFF, 0xFF, 0xFF, 0xFF});
    EXPECT_NE(RunVantor(work, "", "--headless --frames 2").errors.find("holds -1, a score the game never writes"),
              std::string::npos);
    WriteBytes(work.Path() / "highscore", {0x2C, 0x01, 0, 0});
    EXPECT_EQ(RunVantor(work, "", "--headless --frames 2").errors, "");
}

TEST(EndToEndTest, TemporariesLeftByAKilledSaveGoAtTheNextStart)
{
    CTempDirectory work;
    WriteBytes(work.Path() / "highscore.999999999.tmp", {1, 2});
    WriteBytes(work.Path() / "highscore.notes", {3});
    const RunResult run = RunVantor(work, "", "--headless --frames 1");
    EXPECT_EQ(run.status, 0) << run.errors;
    EXPECT_FALSE(std::filesystem::exists(work.Path() / "highscore.999999999.tmp"));
    EXPECT_TRUE(std::filesystem::exists(work.Path() / "highscore.notes"));
}

TEST_F(BrokenInstallTest, APluginCutShortOrThatIsAFolderIsNamedNotLoaded)
{
    const std::filesystem::path game = install.Path() / "bin" / "Pellam.so";
    std::filesystem::resize_file(game, 4096);
    const RunResult cut = Start();
    EXPECT_EQ(cut.status, 1);
    EXPECT_NE(cut.errors.find("Pellam.so: damaged or cut short"), std::string::npos) << cut.errors;

    std::filesystem::remove(game);
    std::filesystem::create_directory(game);
    const RunResult folder = Start();
    EXPECT_EQ(folder.status, 1);
    EXPECT_NE(folder.errors.find("Pellam.so: it is a directory"), std::string::npos) << folder.errors;
}

TEST_F(BrokenInstallTest, AMissingPausePictureOnlyWarnsWhenHeadless)
{
    std::filesystem::remove(install.Path() / "bin" / "data" / "images" / "Paused.bmp");
    const RunResult run = Start();
    EXPECT_EQ(run.status, 0) << run.errors;
    EXPECT_NE(run.errors.find("warning: cannot load images/Paused.bmp"), std::string::npos) << run.errors;
}

TEST_F(BrokenInstallTest, AFailedStartLeavesNoScreenshot)
{
    std::filesystem::remove(install.Path() / "bin" / "data" / "images" / "Arrow.bmp");
    const RunResult run = RunVantor(work, "", "--headless --frames 2 --screenshot 0:shot.bmp", "",
                                    install.Path() / "bin" / "vantor");
    EXPECT_EQ(run.status, 1);
    EXPECT_FALSE(std::filesystem::exists(work.Path() / "shot.bmp"));
}

}  // namespace
