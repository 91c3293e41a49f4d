// The "highscore" file: its 4 little-endian bytes, reading odd files, and a save that keeps the
// old score whenever it cannot put the new one in place.
#include <gtest/gtest.h>
#include <gmock/gmock.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "GameTestSupport.h"
#include "HighScoreFile.h"

using ::testing::ElementsAre;

namespace {

// Writes the first half of the bytes and then reports the device full.
std::size_t WriteHalfThenFail(const unsigned char* bytes, std::size_t count, std::FILE* file)
{
    const std::size_t half = count / 2;
    std::fwrite(bytes, 1, half, file);
    return half;
}

}  // namespace

class HighScoreFile : public ::testing::Test {
protected:
    TempWorkingDirectory directory;
};

TEST_F(HighScoreFile, ReadsOddFilesToADefinedValue)
{
    EXPECT_EQ(ReadHighScore("highscore"), 0);   // absent

    WriteBytes("highscore", {0xFA, 0x00, 0x00, 0x00});
    EXPECT_EQ(ReadHighScore("highscore"), 250);

    WriteBytes("highscore", {0xFA, 0x00, 0x00});
    EXPECT_EQ(ReadHighScore("highscore"), 0);   // short

    WriteBytes("highscore", {});
    EXPECT_EQ(ReadHighScore("highscore"), 0);

    WriteBytes("highscore", {0xFF, 0xFF, 0xFF, 0xFF});
    EXPECT_EQ(ReadHighScore("highscore"), -1);

    WriteBytes("highscore", {0x01, 0x02, 0x03, 0x04, 0x05, 0x06});
    EXPECT_EQ(ReadHighScore("highscore"), 0x04030201);   // the rest is ignored

    std::filesystem::remove("highscore");
    std::filesystem::create_directory("highscore");
    EXPECT_EQ(ReadHighScore("highscore"), 0);   // not a file
}

TEST_F(HighScoreFile, WritesExactlyFourLittleEndianBytes)
{
    ASSERT_TRUE(WriteHighScore("highscore", 250));
    EXPECT_THAT(ReadBytes("highscore"), ElementsAre(0xFA, 0x00, 0x00, 0x00));

    // A longer file is replaced whole, not overwritten in front.
    WriteBytes("highscore", {1, 2, 3, 4, 5, 6, 7, 8});
    ASSERT_TRUE(WriteHighScore("highscore", -2));
    EXPECT_THAT(ReadBytes("highscore"), ElementsAre(0xFE, 0xFF, 0xFF, 0xFF));

    for (int32_t value : {0, 1, 50, 123456789, INT32_MAX, INT32_MIN}) {
        ASSERT_TRUE(WriteHighScore("highscore", value));
        EXPECT_EQ(ReadHighScore("highscore"), value);
    }
    EXPECT_THAT(directory.Entries(), ElementsAre("highscore"));   // no temporary left behind
}

TEST_F(HighScoreFile, AWriteThatFailsHalfWayKeepsTheOldFile)
{
    WriteBytes("highscore", {0xFA, 0x00, 0x00, 0x00});
    EXPECT_FALSE(WriteHighScore("highscore", 1000, WriteHalfThenFail));
    EXPECT_THAT(ReadBytes("highscore"), ElementsAre(0xFA, 0x00, 0x00, 0x00));
    EXPECT_THAT(directory.Entries(), ElementsAre("highscore"));

    EXPECT_FALSE(WriteHighScore("fresh", 1000, WriteHalfThenFail));
    EXPECT_FALSE(std::filesystem::exists("fresh"));
}

TEST_F(HighScoreFile, AnythingPlantedAtATemporaryNameIsPassedOverNeverWrittenThrough)
{
    WriteBytes("highscore", {0xFA, 0x00, 0x00, 0x00});
    WriteBytes("victim", {1, 2, 3});
    const std::string planted = HighScoreTempPath("highscore");
#ifndef _WIN32
    std::filesystem::create_symlink("victim", planted);
#else
    std::filesystem::create_directory(planted);
#endif
    ASSERT_TRUE(WriteHighScore("highscore", 1000));
    EXPECT_EQ(ReadHighScore("highscore"), 1000);
    EXPECT_THAT(ReadBytes("victim"), ElementsAre(1, 2, 3));
    std::vector<std::string> left = {"highscore", planted, "victim"};
    std::sort(left.begin(), left.end());
    EXPECT_EQ(directory.Entries(), left);
}

TEST_F(HighScoreFile, TheTemporaryLiesBesideTheFile)
{
    const std::filesystem::path temp = HighScoreTempPath("some/dir/highscore");
    EXPECT_EQ(temp.parent_path(), std::filesystem::path("some/dir"));
    EXPECT_NE(temp.filename(), std::filesystem::path("highscore"));
    EXPECT_FALSE(WriteHighScore("missing-dir/highscore", 5));
}

#ifndef _WIN32
TEST_F(HighScoreFile, AFifoIsNeitherWaitedOnNorReplaced)
{
    ASSERT_EQ(::mkfifo("highscore", 0644), 0);
    EXPECT_EQ(ReadHighScore("highscore"), 0);   // returns at once: nobody writes to the FIFO
    EXPECT_FALSE(WriteHighScore("highscore", 250));
    EXPECT_TRUE(std::filesystem::is_fifo("highscore"));
    EXPECT_THAT(directory.Entries(), ElementsAre("highscore"));
}

TEST_F(HighScoreFile, AReadOnlyFileKeepsItsScore)
{
    WriteBytes("highscore", {0xFA, 0x00, 0x00, 0x00});
    std::filesystem::permissions("highscore", std::filesystem::perms::owner_read |
                                                  std::filesystem::perms::group_read);
    EXPECT_EQ(ReadHighScore("highscore"), 250);
    EXPECT_FALSE(WriteHighScore("highscore", 1000));   // also when run by root
    EXPECT_THAT(ReadBytes("highscore"), ElementsAre(0xFA, 0x00, 0x00, 0x00));
    EXPECT_THAT(directory.Entries(), ElementsAre("highscore"));
}

TEST_F(HighScoreFile, ALinkStaysALinkAndItsTargetGetsTheScore)
{
    std::filesystem::create_directory("saves");
    WriteBytes("saves/best", {0xFA, 0x00, 0x00, 0x00});
    std::filesystem::create_symlink("saves/best", "highscore");
    EXPECT_EQ(ReadHighScore("highscore"), 250);
    ASSERT_TRUE(WriteHighScore("highscore", 1000));
    EXPECT_TRUE(std::filesystem::is_symlink("highscore"));
    EXPECT_THAT(ReadBytes("saves/best"), ElementsAre(0xE8, 0x03, 0x00, 0x00));
    EXPECT_THAT(directory.Entries(), ElementsAre("highscore", "saves"));

    // A link to a file not there yet makes the file, beside where the link points.
    std::filesystem::remove("saves/best");
    ASSERT_TRUE(WriteHighScore("highscore", 50));
    EXPECT_EQ(ReadHighScore("saves/best"), 50);
    EXPECT_TRUE(std::filesystem::is_symlink("highscore"));
}

TEST_F(HighScoreFile, ASaveKeepsWhoMayReadTheFile)
{
    WriteBytes("highscore", {0xFA, 0x00, 0x00, 0x00});
    std::filesystem::permissions("highscore", std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    ASSERT_TRUE(WriteHighScore("highscore", 1000));
    EXPECT_EQ(std::filesystem::status("highscore").permissions(),
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
}

TEST_F(HighScoreFile, TemporariesOfDeadProcessesAreRemovedAndNothingElse)
{
    WriteBytes("highscore", {0xFA, 0x00, 0x00, 0x00});
    const std::string live = HighScoreTempPath("highscore");   // this process
    const std::string liveRandom = live.substr(0, live.size() - 4) + ".0123abcd.tmp";
    for (const char* name : {"highscore.999999999.tmp", "highscore.999999999.89abcdef.tmp", "highscore.abc.tmp",
                             "highscore.5.tmp.bak", "highscore.007.tmp", "other.999999999.tmp", "highscore..tmp",
                             "highscore.999999999.89ABCDEF.tmp", "highscore.999999999.tmp.tmp"}) {
        WriteBytes(name, {1});
    }
    WriteBytes(live, {2});
    WriteBytes(liveRandom, {2});
    RemoveStaleHighScoreTemps("highscore");
    std::vector<std::string> kept = {"highscore", "highscore..tmp", "highscore.007.tmp", live, liveRandom,
                                     "highscore.5.tmp.bak", "highscore.abc.tmp", "other.999999999.tmp",
                                     "highscore.999999999.89ABCDEF.tmp", "highscore.999999999.tmp.tmp"};
    std::sort(kept.begin(), kept.end());
    EXPECT_EQ(directory.Entries(), kept);
    EXPECT_EQ(ReadHighScore("highscore"), 250);
}
#endif
