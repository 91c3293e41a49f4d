// The headless front end's parts: the input script, the trace line and the command line.
#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <vector>

#include "session/CommandLine.h"
#include "engine/GraphicsService.h"
#include "engine/HostEngine.h"
#include "formats/InputScript.h"
#include "TestFiles.h"
#include "session/TraceWriter.h"

namespace {

int KeyCode(const char* name)
{
    if (std::strcmp(name, "LEFT") == 0) {
        return 0xCB;
    }
    return std::strcmp(name, "SPACE") == 0 ? 0x39 : -1;
}

int ButtonMask(const char* name)
{
    return std::strcmp(name, "A") == 0 ? 0x1000 : -1;
}

const ScriptNames kNames{KeyCode, ButtonMask};

TEST(InputScriptTest, ReadsEveryKindOfLineWithCommentsAndBlankLines)
{
    const std::string text =
        "# a walk and a shot\n"
        "\n"
        "0 down LEFT   # hold\r\n"
        "0 pad connect\n"
        "5 pad down A\n"
        "5 pad stick -32768 32767\n"
        "9 up LEFT\n"
        "9 pad up A\n"
        "12 pad disconnect\n";
    std::vector<ScriptEvent> events;
    std::string error;
    ASSERT_TRUE(ParseInputScript(text, kNames, events, error)) << error;
    ASSERT_EQ(events.size(), 7u);
    EXPECT_EQ(events[0].action, ScriptAction::KeyDown);
    EXPECT_EQ(events[0].code, 0xCB);
    EXPECT_EQ(events[0].line, 3);
    EXPECT_EQ(events[1].action, ScriptAction::PadConnect);
    EXPECT_EQ(events[2].code, 0x1000);
    EXPECT_EQ(events[3].stickX, -32768);
    EXPECT_EQ(events[3].stickY, 32767);
    EXPECT_EQ(events[4].action, ScriptAction::KeyUp);
    EXPECT_EQ(events[5].action, ScriptAction::PadButtonUp);
    EXPECT_EQ(events[6].frame, 12);
}

TEST(InputScriptTest, MistakesNameTheirLine)
{
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"0 down LEFT\n1 down LEFTT\n", "line 2: unknown key \"LEFTT\""},
        {"0 pad down Z\n", "line 1: unknown pad button \"Z\""},
        {"5 down LEFT\n3 up LEFT\n", "line 2: frame 3 comes after frame 5"},
        {"x down LEFT\n", "line 1: \"x\" is not a frame number"},
        {"-1 down LEFT\n", "line 1: \"-1\" is not a frame number"},
        {"1 press LEFT\n", "line 1: cannot read"},
        {"1 down LEFT SPACE\n", "line 1: cannot read"},
        {"1 pad stick 40000 0\n", "line 1: stick values"},
        {"1 pad stick 1.5 0\n", "line 1: stick values"},
        {"1 pad\n", "line 1: cannot read"},
    };
    for (const auto& [text, expected] : cases) {
        std::vector<ScriptEvent> events;
        std::string error;
        EXPECT_FALSE(ParseInputScript(text, kNames, events, error)) << text;
        EXPECT_EQ(error.rfind(expected, 0), 0u) << error;
    }
}

TEST(InputScriptTest, OffendingTextIsQuotedSafelyAndShortened)
{
    std::vector<ScriptEvent> events;
    std::string error;
    EXPECT_FALSE(ParseInputScript("1 down \x1b[2J\x01\r\n", kNames, events, error));
    EXPECT_EQ(error, "line 1: unknown key \"\\x1B[2J\\x01\"");
    EXPECT_FALSE(ParseInputScript("0 bell\x07 " + std::string(900, 'a') + "\n", kNames, events, error));
    EXPECT_EQ(error.rfind("line 1: cannot read \"0 bell\\x07 aaa", 0), 0u) << error;
    EXPECT_LT(error.size(), 300u);
    EXPECT_NE(error.find("aaa\"... (expected"), std::string::npos) << error;
    for (const char c : error) {
        EXPECT_GE(static_cast<unsigned char>(c), 0x20);
    }
}

TEST(InputScriptTest, LongLinesAndFilesThatCannotBeScriptsAreRefused)
{
    std::vector<ScriptEvent> events;
    std::string error;
    const std::string longComment = "0 down LEFT #" + std::string(kMaxScriptLineLength, '-') + "\n";
    EXPECT_FALSE(ParseInputScript("# fine\n" + longComment, kNames, events, error));
    EXPECT_EQ(error, "line 2: longer than 1024 characters; it cannot be an event");

    CTempDirectory directory;
    std::string text;
    EXPECT_FALSE(ReadInputScriptFile(directory.Path(), text, error));
    EXPECT_NE(error.find("is a directory"), std::string::npos) << error;
    EXPECT_FALSE(ReadInputScriptFile(directory.Path() / "missing.txt", text, error));
    EXPECT_NE(error.find("missing.txt: no such file or directory"), std::string::npos) << error;
    EXPECT_FALSE(ReadInputScriptFile("/dev/zero", text, error));
    EXPECT_NE(error.find("larger than 16 MiB"), std::string::npos) << error;

    WriteBytes(directory.Path() / "walk.txt", {'0', ' ', 'u', 'p', ' ', 'L', 'E', 'F', 'T', '\n'});
    ASSERT_TRUE(ReadInputScriptFile(directory.Path() / "walk.txt", text, error)) << error;
    EXPECT_EQ(text, "0 up LEFT\n");
}

TEST(TraceWriterTest, EveryValueGivesValidJson)
{
    EXPECT_EQ(JsonString("caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x8E\xAE"), "\"caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x8E\xAE\"");
    // A lone continuation byte, a cut sequence, an overlong '/', a surrogate, past U+10FFFF.
    EXPECT_EQ(JsonString("a\x80" "b\xC3"), "\"a\\ufffdb\\ufffd\"");
    std::string replaced;
    for (int i = 0; i < 9; ++i) {
        replaced += "\\ufffd";
    }
    EXPECT_EQ(JsonString("\xC0\xAF\xED\xA0\x80\xF4\x90\x80\x80"), "\"" + replaced + "\"");
    EXPECT_EQ(JsonString(std::string("\x7f\x00", 2)), "\"\\u007f\\u0000\"");

    TraceFrame frame;
    frame.dt = std::numeric_limits<float>::infinity();
    EXPECT_EQ(FormatTraceLine(frame).rfind("{\"frame\":0,\"dt\":null,", 0), 0u);
    frame.dt = std::nanf("");
    EXPECT_EQ(FormatTraceLine(frame).rfind("{\"frame\":0,\"dt\":null,", 0), 0u);
    frame.dt = std::numeric_limits<float>::max();
    frame.frame = INT64_MAX;
    EXPECT_EQ(FormatTraceLine(frame).rfind("{\"frame\":9223372036854775807,\"dt\":3402823", 0), 0u);
}

TEST(TraceWriterTest, WritesOneJsonObjectWithActionsSoundsSpritesAndQuit)
{
    CTempDirectory data;
    WriteBytes(data.Path() / "images" / "Hiro.bmp", MakeBmp(1, 1, {0xFFFFFFFFu}, 24));
    CGraphicsService graphics(data.Path());
    const int frames[2] = {graphics.LoadImage("images\\Hiro.bmp", 0), -1};
    CVantorSprite* hiro = graphics.CreateSprite(2, frames);
    hiro->SetPosition(220.0f, 464.0f);
    CVantorSprite* broken = graphics.CreateSprite(2, frames);
    broken->SetFrame(1);
    broken->SetPosition(183.33333f, -0.5f);
    broken->SetMirrored(true);
    const std::vector<PostedAction> actions = {{"right", 1.0f}, {"say \"hi\"\n", 20000.0f}};
    const std::vector<std::string> sounds = {"sounds/jump.wav"};

    TraceFrame frame;
    frame.frame = 7;
    frame.dt = 1.0f / 60.0f;
    frame.actions = &actions;
    frame.sounds = &sounds;
    frame.graphics = &graphics;
    frame.quit = true;
    EXPECT_EQ(FormatTraceLine(frame),
              "{\"frame\":7,\"dt\":0.016667,\"actions\":[{\"name\":\"right\",\"value\":1.0},"
              "{\"name\":\"say \\\"hi\\\"\\u000a\",\"value\":20000.0}],"
              "\"sounds\":[\"sounds/jump.wav\"],"
              "\"sprites\":[{\"image\":\"images/Hiro.bmp\",\"frames\":2,\"frame\":0,\"x\":220.0,"
              "\"y\":464.0,\"mirrored\":false},{\"image\":null,\"frames\":2,\"frame\":1,"
              "\"x\":183.33333,\"y\":-0.5,\"mirrored\":true}],\"quit\":true}");
    EXPECT_EQ(JsonNumber(std::nanf("")), "null");
    EXPECT_EQ(JsonNumber(1.0e30f), "1e+30");
}

// The web build writes floats without to_chars: the same text for every kind of float.
TEST(TraceWriterTest, ShortestFloatTextMatchesToCharsForEveryKindOfFloat)
{
    std::vector<float> values = {0.0f, -0.0f, 1.0f, -1.5f, 0.1f, 183.33333f, 1.0e30f, 1.0e-30f,
                                 123456.0f, 1234567.0f, 1.0e7f, 1.0e-5f, 0.0001f, 3.4028235e38f,
                                 1.4e-45f, 1.17549435e-38f, 100000.0f, 0.016667f};
    std::uint32_t bits = 12345u;
    for (int i = 0; i < 20000; ++i) {
        bits = bits * 1664525u + 1013904223u;   // every exponent and sign, finite ones kept
        float value = 0.0f;
        std::memcpy(&value, &bits, sizeof value);
        if (std::isfinite(value)) {
            values.push_back(value);
        }
    }
    for (const float value : values) {
        char text[48];
        const auto result = std::to_chars(text, text + sizeof text, value);
        std::string shortest;
        AppendShortestFloat(shortest, value);
        ASSERT_EQ(shortest, std::string(text, result.ptr)) << "bits " << std::hex << std::bit_cast<std::uint32_t>(value);
    }
}

TEST(CommandLineTest, ReadsTheHeadlessOptionsInBothSpellings)
{
    const char* argv[] = {"vantor", "--headless", "--frames", "120", "--dt=0.02", "--input",
                          "in.txt", "--trace=out.jsonl", "--screenshot", "3:a.bmp",
                          "--screenshot=10:dir/b.bmp", "--workdir", "w"};
    HostOptions options;
    std::string error;
    ASSERT_TRUE(ParseCommandLine(13, argv, options, error)) << error;
    EXPECT_TRUE(options.headless);
    EXPECT_EQ(options.frames, 120);
    EXPECT_FLOAT_EQ(options.dt, 0.02f);
    EXPECT_EQ(options.input, "in.txt");
    EXPECT_EQ(options.trace, "out.jsonl");
    ASSERT_EQ(options.screenshots.size(), 2u);
    EXPECT_EQ(options.screenshots[1].frame, 10);
    EXPECT_EQ(options.screenshots[1].file, "dir/b.bmp");
    EXPECT_EQ(options.workDirectory, "w");
}

TEST(CommandLineTest, VerifyPlaysAReplayHeadlessAndJsonGoesOnlyWithIt)
{
    const char* verify[] = {"vantor", "--verify", "best.replay", "--json"};
    HostOptions options;
    std::string error;
    ASSERT_TRUE(ParseCommandLine(4, verify, options, error)) << error;
    EXPECT_TRUE(options.verify && options.json && options.headless);
    EXPECT_EQ(options.replay, "best.replay");

    const char* jsonAlone[] = {"vantor", "--headless", "--json"};
    HostOptions alone;
    EXPECT_FALSE(ParseCommandLine(3, jsonAlone, alone, error));
    EXPECT_EQ(error, "--json works only with --verify");
    const char* withInput[] = {"vantor", "--verify", "a.replay", "--input", "in.txt"};
    HostOptions both;
    EXPECT_FALSE(ParseCommandLine(5, withInput, both, error));
}

TEST(CommandLineTest, DefaultsAndMistakes)
{
    HostOptions options;
    std::string error;
    const char* plain[] = {"vantor"};
    ASSERT_TRUE(ParseCommandLine(1, plain, options, error));
    EXPECT_FALSE(options.headless);
    EXPECT_EQ(options.frames, -1);
    EXPECT_FLOAT_EQ(options.dt, 1.0f / 60.0f);

    const std::vector<std::vector<const char*>> wrong = {
        {"vantor", "--bogus"},
        {"vantor", "--headless", "--frames"},
        {"vantor", "--headless", "--frames", "-3"},
        {"vantor", "--headless", "--dt", "0"},
        {"vantor", "--headless", "--dt", "abc"},
        {"vantor", "--headless", "--dt", "1e-50"},   // 0 as the game's float
        {"vantor", "--headless", "--screenshot", "a.bmp"},
        {"vantor", "--headless=1"},
        {"vantor", "--input", "x"},
        {"vantor", "--dt", "0.1"},
    };
    for (const auto& args : wrong) {
        HostOptions parsed;
        EXPECT_FALSE(ParseCommandLine(static_cast<int>(args.size()), args.data(), parsed, error))
            << args.back();
        EXPECT_FALSE(error.empty());
    }
    EXPECT_NE(HelpText().find("--screenshot"), std::string::npos);

    // An unknown option is named as unknown, also when it is given a value.
    const char* unknown[] = {"vantor", "--bogus=1"};
    EXPECT_FALSE(ParseCommandLine(2, unknown, options, error));
    EXPECT_EQ(error, "unknown option \"--bogus\" (see vantor --help)");

    // A near miss is named with what it was most likely meant to be.
    const std::pair<const char*, const char*> misses[] = {
        {"--headles", "--headless"}, {"--hedaless", "--headless"}, {"--replya", "--replay"},
        {"-headless", "--headless"}, {"--Trace", "--trace"},       {"--jsno", "--json"}};
    for (const auto& [typed, meant] : misses) {
        const char* args[] = {"vantor", typed};
        EXPECT_FALSE(ParseCommandLine(2, args, options, error));
        EXPECT_EQ(error, "unknown option \"" + std::string(typed) + "\" (did you mean " + meant + "?)");
    }
    const char* far[] = {"vantor", "--x"};
    EXPECT_FALSE(ParseCommandLine(2, far, options, error));
    EXPECT_EQ(error, "unknown option \"--x\" (see vantor --help)");
    EXPECT_NE(HelpText().find("M turns the sound off and on"), std::string::npos);
}

// A replay named alone is watched as with --replay (a file manager opens one so); anything else
// bare is a mistake, and two replays are one too many.
TEST(CommandLineTest, AReplayFileNamedAloneIsPlayed)
{
    std::string error;
    const std::vector<std::vector<const char*>> played = {
        {"vantor", "/home/me/Downloads/My Best.replay"},
        {"vantor", "/home/me/Downloads/My Best.REPLAY"},
        {"vantor", "--headless", "--trace", "t.jsonl", "/home/me/Downloads/My Best.replay"},
        {"vantor", "--replay", "/home/me/Downloads/My Best.replay", "/home/me/Downloads/My Best.replay"},
    };
    for (const auto& args : played) {
        HostOptions options;
        ASSERT_TRUE(ParseCommandLine(static_cast<int>(args.size()), args.data(), options, error)) << error;
        EXPECT_EQ(options.replay.filename().stem(), "My Best");
    }
    const std::vector<std::vector<const char*>> wrong = {
        {"vantor", "game.txt"},
        {"vantor", "a.replay", "b.replay"},
        {"vantor", "--replay", "a.replay", "b.replay"},
        {"vantor", "b.replay", "--replay", "a.replay"},
        {"vantor", "-x.replay"},
        {"vantor", "--input", "in.txt", "a.replay"},
        {"vantor", "a.replay", "--workdir", "w"},
    };
    for (const auto& args : wrong) {
        HostOptions options;
        EXPECT_FALSE(ParseCommandLine(static_cast<int>(args.size()), args.data(), options, error))
            << args.back();
    }
    const char* bare[] = {"vantor", "game.txt"};
    HostOptions options;
    ParseCommandLine(2, bare, options, error);
    EXPECT_EQ(error, "\"game.txt\" is neither an option nor a FILE.replay (see vantor --help)");
    EXPECT_NE(HelpText().find("FILE.replay"), std::string::npos);
}

}  // namespace
