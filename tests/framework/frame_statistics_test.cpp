// Frame rate over intervals of more than a second, and the statistics text.
#include "framework/frame_statistics.h"

#include <gtest/gtest.h>

namespace {

TEST(FrameRateCounter, ExactlyOneSecondIsNotEnough) {
    FrameRateCounter counter;
    float rate = -1;
    EXPECT_TRUE(counter.countFrame(10.0f, &rate));  // first update: 1 frame over 10 s
    EXPECT_FLOAT_EQ(rate, 0.1f);
    for (int i = 0; i < 29; ++i) EXPECT_FALSE(counter.countFrame(10.5f, &rate));
    EXPECT_FALSE(counter.countFrame(11.0f, &rate));
    EXPECT_FLOAT_EQ(rate, 0.1f) << "the rate keeps its value until an update";
    EXPECT_TRUE(counter.countFrame(11.25f, &rate));
    EXPECT_FLOAT_EQ(rate, 31 / 1.25f);
}

TEST(FrameRateCounter, CountingStartsAfreshAfterAnUpdate) {
    FrameRateCounter counter;
    float rate = 0;
    counter.countFrame(5.0f, &rate);
    counter.countFrame(5.5f, &rate);
    EXPECT_TRUE(counter.countFrame(7.0f, &rate));
    EXPECT_FLOAT_EQ(rate, 1.0f);  // two frames over two seconds
}

TEST(FrameStatsText, ExampleFromTheOverlay) {
    EXPECT_EQ(frameStatsText(59.94f, 640, 480, D3DFMT_X8R8G8B8, true, D3DFMT_D16),
              "59.94 fps (640x480x32) (D16)");
}

TEST(FrameStatsText, OnlyX8R8G8B8CountsAs32Bits) {
    EXPECT_EQ(frameStatsText(60, 800, 600, D3DFMT_A8R8G8B8, false, D3DFMT_D16),
              "60.00 fps (800x600x16)");
    EXPECT_EQ(frameStatsText(60, 800, 600, D3DFMT_R5G6B5, false, D3DFMT_UNKNOWN),
              "60.00 fps (800x600x16)");
}

TEST(FrameStatsText, DepthSuffixOnlyWithADepthBufferAndADepthFormat) {
    EXPECT_EQ(frameStatsText(1.5f, 1, 2, D3DFMT_X8R8G8B8, true, D3DFMT_D24X4S4),
              "1.50 fps (1x2x32) (D24X4S4)");
    EXPECT_EQ(frameStatsText(1.5f, 1, 2, D3DFMT_X8R8G8B8, true, D3DFMT_UNKNOWN),
              "1.50 fps (1x2x32)");
    EXPECT_EQ(frameStatsText(1.5f, 1, 2, D3DFMT_X8R8G8B8, false, D3DFMT_D32), "1.50 fps (1x2x32)");
}

TEST(FrameStatsText, LongestTextFits) {
    std::string text =
        frameStatsText(3.4e38f, 4294967295u, 4294967295u, D3DFMT_X8R8G8B8, true, D3DFMT_D24X4S4);
    EXPECT_EQ(text.substr(text.size() - 10), " (D24X4S4)");
    EXPECT_NE(text.find(" fps (-1x-1x32)"), std::string::npos);
}

}  // namespace
