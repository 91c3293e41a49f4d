// The sound switch's notice: shown for a moment, then gone.
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

}  // namespace
