// The host's words over the game: the sound switch's notice shown for a moment, a replay's end
// kept, and a replay's tag beside either.
#include "frontend/sdl/NoticeOverlay.h"

#include <gtest/gtest.h>

namespace {

TEST(NoticeOverlayTest, ANoticeShowsForAMomentAndANewOneStartsItsOwn)
{
    CNoticeOverlay notice;
    notice.Expire(0);
    EXPECT_EQ(notice.Text(), "");
    notice.Show("SOUND OFF", 10000);
    notice.Expire(11000);
    EXPECT_EQ(notice.Text(), "SOUND OFF");
    notice.Show("SOUND ON", 11000);   // switched again: the new one gets its whole moment
    notice.Expire(12000);
    EXPECT_EQ(notice.Text(), "SOUND ON");
    notice.Expire(12500);
    EXPECT_EQ(notice.Text(), "");
}

TEST(NoticeOverlayTest, AKeptNoticeOutlastsAnyMomentUntilReplacedAndTheTagStaysApart)
{
    CNoticeOverlay notice;
    notice.SetTag("REPLAY  P pause  Esc stop");
    notice.Show("SOUND OFF", 1000);
    notice.Expire(5000);
    EXPECT_EQ(notice.Text(), "");
    EXPECT_EQ(notice.Tag(), "REPLAY  P pause  Esc stop");
    notice.Keep("REPLAY FINISHED");
    notice.Expire(~0ull);
    EXPECT_EQ(notice.Text(), "REPLAY FINISHED");
    notice.Show("SOUND ON", 6000);   // the sound switched while the end is shown
    notice.Expire(8000);
    EXPECT_EQ(notice.Text(), "");
}

}  // namespace
