#include <gtest/gtest.h>

#include "platform/bass/audio_fixtures.h"
#include "platform/bass/bass.h"
#include "platform/bass/mixer.h"
#include "platform/bass/stream_channel.h"

using namespace audio_fixtures;

namespace {

DecodedAudio pattern(std::size_t frames, int channels, int rate = 44100) {
    DecodedAudio audio;
    audio.rate = rate;
    audio.channels = channels;
    audio.samples = patternSamples(frames, channels);
    return audio;
}

std::vector<std::int32_t> mixFrames(StreamChannel& channel, int frames) {
    std::vector<std::int32_t> mix(std::size_t(2 * frames), 0);
    channel.mixInto(mix.data(), frames);
    return mix;
}

TEST(StreamChannel, ReportsLengthRateAndFlagsOfItsPcm) {
    StreamChannel stereo(pattern(1000, 2, 22050), BASS_MP3_SETPOS, 44100);
    EXPECT_TRUE(stereo.valid());
    EXPECT_EQ(stereo.lengthBytes(), 4000u);
    EXPECT_EQ(stereo.rate(), 22050);
    EXPECT_EQ(stereo.flags(), BASS_MP3_SETPOS);
    stereo.play(false, true);
    EXPECT_EQ(stereo.flags(), BASS_MP3_SETPOS | BASS_SAMPLE_LOOP);

    StreamChannel mono(pattern(1000, 1), 0, 44100);
    EXPECT_EQ(mono.lengthBytes(), 2000u);
    EXPECT_EQ(mono.flags(), BASS_SAMPLE_MONO);
}

TEST(StreamChannel, PositionsRoundDownToAFrameAndStopAtTheEnd) {
    StreamChannel channel(pattern(1000, 2), 0, 44100);
    EXPECT_TRUE(channel.setPositionBytes(1003));
    EXPECT_EQ(channel.positionBytes(), 1000u);
    EXPECT_TRUE(channel.setPositionBytes(3999));  // inside the last frame
    EXPECT_EQ(channel.positionBytes(), 3996u);
    EXPECT_FALSE(channel.setPositionBytes(4000));
    EXPECT_EQ(channel.positionBytes(), 3996u);
}

TEST(StreamChannel, PlaysFramesUnchangedAtTheOutputRate) {
    StreamChannel channel(pattern(1000, 2), 0, 44100);
    channel.setPositionBytes(4 * 100);
    EXPECT_EQ(mixFrames(channel, 4), std::vector<std::int32_t>(4 * 2, 0));  // not playing yet
    channel.play(false, false);
    const auto mix = mixFrames(channel, 3);
    EXPECT_EQ(mix,
              (std::vector<std::int32_t>{patternLeft(100), patternRight(100), patternLeft(101),
                                         patternRight(101), patternLeft(102), patternRight(102)}));
    EXPECT_EQ(channel.positionBytes(), 4u * 103);
}

TEST(StreamChannel, MonoGoesToBothSides) {
    StreamChannel channel(pattern(10, 1), 0, 44100);
    channel.play(false, false);
    const auto mix = mixFrames(channel, 2);
    EXPECT_EQ(mix, (std::vector<std::int32_t>{1, 1, 2, 2}));
}

TEST(StreamChannel, LoopsBackToTheStartOrEndsWithSilence) {
    StreamChannel looping(pattern(10, 2), 0, 44100);
    looping.setPositionBytes(4 * 8);
    looping.play(false, true);
    const auto mix = mixFrames(looping, 4);
    EXPECT_EQ(mix[0], patternLeft(8));
    EXPECT_EQ(mix[2], patternLeft(9));
    EXPECT_EQ(mix[4], patternLeft(0));
    EXPECT_EQ(mix[6], patternLeft(1));
    EXPECT_TRUE(looping.playing());

    StreamChannel once(pattern(10, 2), 0, 44100);
    once.setPositionBytes(4 * 8);
    once.play(false, false);
    const auto tail = mixFrames(once, 4);
    EXPECT_EQ(tail, (std::vector<std::int32_t>{patternLeft(8), patternRight(8), patternLeft(9),
                                               patternRight(9), 0, 0, 0, 0}));
    EXPECT_FALSE(once.playing());
    // Played again after its end, it starts over.
    once.play(false, false);
    EXPECT_EQ(mixFrames(once, 1)[0], patternLeft(0));
}

TEST(StreamChannel, StopKeepsThePositionAndFlushPlayStartsOver) {
    StreamChannel channel(pattern(100, 2), 0, 44100);
    channel.play(false, true);
    mixFrames(channel, 5);
    channel.stop();
    EXPECT_EQ(mixFrames(channel, 2), std::vector<std::int32_t>(4, 0));
    channel.play(false, true);
    EXPECT_EQ(mixFrames(channel, 1)[0], patternLeft(5));
    channel.play(true, true);
    EXPECT_EQ(mixFrames(channel, 1)[0], patternLeft(0));
}

// A constant level at 22050 Hz comes out at 44100 Hz twice as long, at the
// same level once the resampler has settled.
TEST(StreamChannel, OtherRatesAreResampledToTheOutputRate) {
    DecodedAudio level;
    level.rate = 22050;
    level.channels = 1;
    level.samples.assign(22050, 8000);
    StreamChannel channel(std::move(level), 0, 44100);
    ASSERT_TRUE(channel.valid());
    channel.play(false, false);
    const auto mix = mixFrames(channel, 50000);
    EXPECT_FALSE(channel.playing());
    std::size_t sounding = 0;
    for (std::size_t f = 0; f < 50000; ++f) sounding += mix[2 * f] != 0 ? 1 : 0;
    EXPECT_NEAR(double(sounding), 44100.0, 100.0);
    EXPECT_NEAR(mix[2 * 20000], 8000, 50);
    EXPECT_NEAR(mix[2 * 20000 + 1], 8000, 50);
}

TEST(StreamChannel, ResampledStreamLoopsWithoutAGap) {
    DecodedAudio level;
    level.rate = 48000;
    level.channels = 2;
    level.samples.assign(2 * 4800, 8000);  // a tenth of a second
    StreamChannel channel(std::move(level), 0, 44100);
    channel.play(false, true);
    const auto mix = mixFrames(channel, 44100);
    EXPECT_TRUE(channel.playing());
    for (std::size_t f = 1000; f < 44100; f += 37) ASSERT_NEAR(mix[2 * f], 8000, 80) << f;
}

TEST(Mixer, SumsPlayingStreamsAndClipsTo16Bits) {
    Mixer mixer;
    DecodedAudio loud;
    loud.rate = 44100;
    loud.channels = 1;
    loud.samples = {30000, -30000, 100};
    const DWORD a = mixer.add(std::make_unique<StreamChannel>(loud, 0, 44100));
    const DWORD b = mixer.add(std::make_unique<StreamChannel>(loud, 0, 44100));
    EXPECT_NE(a, 0u);
    EXPECT_NE(a, b);
    mixer.find(a)->play(false, false);
    mixer.find(b)->play(false, false);
    std::int16_t out[8];
    mixer.render(out, 4);
    EXPECT_EQ(std::vector<std::int16_t>(out, out + 8),
              (std::vector<std::int16_t>{32767, 32767, -32768, -32768, 200, 200, 0, 0}));
    EXPECT_EQ(mixer.find(99), nullptr);
    EXPECT_NE(mixer.remove(a), nullptr);
    EXPECT_EQ(mixer.find(a), nullptr);
    EXPECT_EQ(mixer.removeAll().size(), 1u);
    mixer.render(out, 4);
    EXPECT_EQ(std::vector<std::int16_t>(out, out + 8), std::vector<std::int16_t>(8, 0));
}

}  // namespace
