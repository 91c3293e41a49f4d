// The host reads the high-score file as the game's own save writes it.
#include <gtest/gtest.h>

#include <climits>

#include "HighScoreFile.h"
#include "session/BestGame.h"
#include "TestFiles.h"

namespace {

TEST(HighScoreReadingTest, TheHostReadsWhatTheGameSaves)
{
    CTempDirectory work;
    const std::filesystem::path start = std::filesystem::current_path();
    std::filesystem::current_path(work.Path());
    EXPECT_FALSE(ReadHighScoreSnapshot().exists);
    for (const std::int32_t score : {0, 50, 0x01020304, INT32_MAX, -1, INT32_MIN}) {
        ASSERT_TRUE(WriteHighScore(kHighScorePath, score));
        const HighScoreSnapshot snapshot = ReadHighScoreSnapshot();
        EXPECT_TRUE(snapshot.exists);
        EXPECT_EQ(snapshot.value, score);
        EXPECT_EQ(snapshot.bytes.size(), kHighScoreSize);   // what a replay's header keeps
    }
    std::filesystem::current_path(start);
}

}  // namespace
