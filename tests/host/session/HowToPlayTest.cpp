// The how-to-play card's frames: what it keeps from the game, what closes it, and how the game
// is let go again.
#include <gtest/gtest.h>

#include <cstring>

#include "engine/HostActions.h"
#include "session/HowToPlay.h"
#include "TestFiles.h"

namespace {

FrameInput Actions(std::initializer_list<const char*> names)
{
    FrameInput input;
    for (const char* name : names) {
        ActionRecord record{};
        std::strncpy(record.name, name, sizeof record.name - 1);
        record.value = 1.0f;
        input.actions.push_back(record);
    }
    return input;
}

std::vector<std::string> Names(const FrameInput& input)
{
    std::vector<std::string> names;
    for (const ActionRecord& record : input.actions) {
        names.emplace_back(record.name);
    }
    return names;
}

class HowToPlayTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        start = std::filesystem::current_path();
        std::filesystem::current_path(work.Path());
    }
    void TearDown() override { std::filesystem::current_path(start); }

    // One frame with these actions; the frame's kind, and what is left for the game in input.
    CardFrame Step(FrameInput actions, CardEvents events = {})
    {
        input = std::move(actions);
        return card.Frame(events, input);
    }

    CTempDirectory work;
    std::filesystem::path start;
    CHowToPlay card;
    FrameInput input;
};

TEST_F(HowToPlayTest, HoldsTheGameUntilAPressIsLetGoThenResumesItThroughThePause)
{
    EXPECT_EQ(Step(Actions({"right"})), CardFrame::Free);
    EXPECT_EQ(Names(input), std::vector<std::string>{"right"});

    card.Open(false);
    // A key already down as the card came up does not close it; the window's switch still works.
    EXPECT_EQ(Step(Actions({"right", kFullscreenToggleAction})), CardFrame::Held);
    EXPECT_EQ(Names(input), std::vector<std::string>{kFullscreenToggleAction});
    EXPECT_EQ(Step(Actions({"right"})), CardFrame::Held);
    EXPECT_EQ(Step({}), CardFrame::Held);
    EXPECT_FALSE(CHowToPlay::Seen());

    // A new press closes it, once let go: nothing of it reaches the game.
    EXPECT_EQ(Step(Actions({"shoot"})), CardFrame::Held);
    EXPECT_TRUE(input.actions.empty());
    EXPECT_EQ(Step(Actions({"shoot"})), CardFrame::Held);
    EXPECT_TRUE(card.Showing());
    EXPECT_EQ(Step({}), CardFrame::Resuming);
    EXPECT_EQ(Names(input), std::vector<std::string>{kPauseToggleAction});
    EXPECT_FALSE(card.Showing());
    EXPECT_TRUE(CHowToPlay::Seen());

    EXPECT_EQ(Step(Actions({"left"})), CardFrame::Free);
    EXPECT_EQ(Names(input), std::vector<std::string>{"left"});
}

TEST_F(HowToPlayTest, AKeyThatPostsNothingClosesItAndTheCardsOwnKeyOpensAndClosesIt)
{
    CardEvents asked;
    asked.asked = true;
    EXPECT_EQ(Step(Actions({"left"}), asked), CardFrame::Held);
    EXPECT_TRUE(input.actions.empty());
    EXPECT_EQ(Step(Actions({"left"})), CardFrame::Held);
    EXPECT_EQ(Step({}), CardFrame::Held);

    CardEvents key;
    key.keyPressed = true;
    EXPECT_EQ(Step({}, key), CardFrame::Held);
    EXPECT_EQ(Step({}), CardFrame::Resuming);

    EXPECT_EQ(Step({}, asked), CardFrame::Held);
    EXPECT_EQ(Step({}, asked), CardFrame::Held);
    EXPECT_EQ(Step({}), CardFrame::Resuming);
}

TEST_F(HowToPlayTest, AGamePausedBeforeOrUnderTheCardStaysPaused)
{
    CardEvents key;
    key.keyPressed = true;
    card.Open(true);
    EXPECT_EQ(Step({}), CardFrame::Held);
    EXPECT_EQ(Step({}, key), CardFrame::Held);
    EXPECT_EQ(Step({}), CardFrame::Resuming);
    EXPECT_TRUE(input.actions.empty());

    card.Open(false);
    CardEvents lost;
    lost.focusLost = true;
    EXPECT_EQ(Step({}, lost), CardFrame::Held);
    EXPECT_EQ(Step({}, key), CardFrame::Held);
    EXPECT_EQ(Step({}), CardFrame::Resuming);
    EXPECT_TRUE(input.actions.empty());
}

}  // namespace
