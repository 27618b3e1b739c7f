#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "media/music_player.h"

namespace {

constexpr DWORD stereo16 = 0;
constexpr DWORD rate = 44100;

TEST(MusicBytePosition, RateIsTheLengthOverItsWholeSeconds) {
    // 200.5 s of 16-bit stereo: 200 whole seconds, 176841 bytes a second.
    EXPECT_EQ(musicBytePosition(35368200, rate, stereo16, 10.0f), 1768410u);
    EXPECT_EQ(musicBytePosition(35368200, rate, stereo16, 0.0f), 0u);
    // A whole number of seconds gives the true rate.
    EXPECT_EQ(musicBytePosition(2 * 176400, rate, stereo16, 1.5f), 264600u);
    // The same with the creation flags the player uses.
    EXPECT_EQ(musicBytePosition(35368200, rate, BASS_MP3_SETPOS | BASS_SAMPLE_LOOP, 10.0f),
              1768410u);
}

TEST(MusicBytePosition, MonoAnd8BitFlagsChangeTheBytesPerSecond) {
    // 3 s of mono 16-bit: 88200 bytes a second.
    EXPECT_EQ(musicBytePosition(3 * 88200, rate, BASS_SAMPLE_MONO, 2.0f), 176400u);
    // 3 s of stereo 8-bit: also 88200.
    EXPECT_EQ(musicBytePosition(3 * 88200, rate, BASS_SAMPLE_8BITS, 2.0f), 176400u);
    // 2.5 s of mono 8-bit at 8000 Hz: 20000 bytes, 2 whole seconds, 10000 a second.
    EXPECT_EQ(musicBytePosition(20000, 8000, BASS_SAMPLE_MONO | BASS_SAMPLE_8BITS, 1.0f), 10000u);
}

TEST(MusicBytePosition, TimeIsSinglePrecisionAndTheProductTruncates) {
    // 0.1f is slightly above 0.1: 176841 * 0.100000001490116 = 17684.1002...
    EXPECT_EQ(musicBytePosition(35368200, rate, stereo16, 0.1f), 17684u);
    const float t = 123.456f;
    EXPECT_EQ(musicBytePosition(35368200, rate, stereo16, t),
              DWORD(std::trunc(176841.0 * double(t))));
}

TEST(MusicBytePosition, StreamsShorterThanASecondUseTheirTrueRate) {
    // Half a second of 16-bit stereo: no whole second to divide by.
    EXPECT_EQ(musicBytePosition(88200, rate, stereo16, 0.25f), 44100u);
    // And they loop like any other: 0.75 s is 0.25 s into the second round.
    EXPECT_EQ(musicBytePosition(88200, rate, stereo16, 0.75f), 44100u);
}

TEST(MusicBytePosition, PositionsPastTheEndGoRoundTheLoop) {
    // 250 s into the 200.5 s stream: 44210250 bytes at the stream's rate.
    EXPECT_EQ(musicBytePosition(35368200, rate, stereo16, 250.0f), 44210250u - 35368200u);
    EXPECT_EQ(musicBytePosition(2 * 176400, rate, stereo16, 2.0f), 0u);
    EXPECT_LT(musicBytePosition(35368200, rate, stereo16, 1e30f), 35368200u);
}

TEST(MusicBytePosition, NegativeOrNonsenseTimesStartAtTheBeginning) {
    EXPECT_EQ(musicBytePosition(35368200, rate, stereo16, -3.0f), 0u);
    EXPECT_EQ(musicBytePosition(35368200, rate, stereo16, -0.0f), 0u);
    EXPECT_EQ(musicBytePosition(35368200, rate, stereo16, std::nanf("")), 0u);
    EXPECT_EQ(musicBytePosition(35368200, rate, stereo16, std::numeric_limits<float>::infinity()),
              0u);
    // A stream that reports no rate or no length.
    EXPECT_EQ(musicBytePosition(35368200, 0, stereo16, 5.0f), 0u);
    EXPECT_EQ(musicBytePosition(0, rate, stereo16, 5.0f), 0u);
}

}  // namespace
