// The window's starting size and how the screen is scaled into it.
#include "frontend/sdl/WindowScale.h"

#include <gtest/gtest.h>

namespace {

TEST(WindowScaleTest, TheWindowStartsAtTheLargestWholeScaleThatLeavesRoomOnTheDesktop)
{
    EXPECT_EQ(DesktopScale(1920, 1080), 2);
    EXPECT_EQ(DesktopScale(2560, 1440), 2);   // the height decides
    EXPECT_EQ(DesktopScale(3840, 2160), 4);
    EXPECT_EQ(DesktopScale(1366, 768), 1);    // 1.4x would not fit with its panels
    EXPECT_EQ(DesktopScale(640, 480), 1);     // never under 1, even where it does not fit
    EXPECT_EQ(DesktopScale(0, 0), 1);
}

TEST(WindowScaleTest, PixelsStaySharpOnlyWhereAWholeScaleFillsMostOfTheWindow)
{
    EXPECT_TRUE(SharpScaleFits(640, 480));
    EXPECT_TRUE(SharpScaleFits(1280, 960));
    EXPECT_TRUE(SharpScaleFits(1920, 1080));   // 2x of a possible 2.25x, letterboxed
    EXPECT_FALSE(SharpScaleFits(1200, 900));   // 1x of a possible 1.875x would waste the window
    EXPECT_FALSE(SharpScaleFits(500, 400));    // under 1x: scaled down, smoothly
}

}  // namespace
