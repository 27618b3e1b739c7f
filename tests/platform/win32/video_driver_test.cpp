// When SDL's choice of video driver means there is no display.
#include "platform/win32/video_driver.h"

#include <gtest/gtest.h>

namespace {

TEST(VideoDriver, DriversThatShowNothing) {
    EXPECT_TRUE(driverShowsNothing("offscreen"));
    EXPECT_TRUE(driverShowsNothing("dummy"));
    EXPECT_TRUE(driverShowsNothing(nullptr));
    EXPECT_FALSE(driverShowsNothing("x11"));
    EXPECT_FALSE(driverShowsNothing("wayland"));
}

TEST(VideoDriver, FallingBackByItselfMeansNoDisplay) {
    EXPECT_TRUE(fellBackToDriverWithoutDisplay("offscreen", nullptr));
    EXPECT_TRUE(fellBackToDriverWithoutDisplay("offscreen", "x11,wayland"));
    EXPECT_FALSE(fellBackToDriverWithoutDisplay("x11", nullptr));
}

TEST(VideoDriver, AskingForItByNameIsFine) {
    EXPECT_FALSE(fellBackToDriverWithoutDisplay("offscreen", "offscreen"));
    EXPECT_FALSE(fellBackToDriverWithoutDisplay("offscreen", "x11,OFFSCREEN"));
    EXPECT_FALSE(fellBackToDriverWithoutDisplay("dummy", "dummy"));
    EXPECT_TRUE(fellBackToDriverWithoutDisplay("offscreen", "offscreen-not"));
}

}  // namespace
