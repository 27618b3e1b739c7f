// The music player's real output through SDL's disk driver, and the WAV
// rendering of the same music for captures.
#include <gtest/gtest.h>

#include "media/music_player.h"
#include "media/music_render.h"
#include "platform/bass/audio_fixtures.h"

using namespace audio_fixtures;

namespace {

constexpr std::size_t musicFrames = 110250;  // 2.5 s at 44100 Hz
// playAt(0.25 + 0.5): the stream's rate is 441000 bytes / 2 whole seconds
// = 220500 a second, so 0.75 s is byte 165375, inside frame 41343.
constexpr float musicStartTime = 0.25f;
constexpr float startTime = 0.5f;
constexpr std::size_t restartFrame = 41343;

// Checks that `out` from frame `at` on plays the pattern from source frame
// `source`, going round the music's end; returns the frames that matched.
std::size_t matchingFrames(const std::vector<std::int16_t>& out, std::size_t at,
                           std::size_t source) {
    std::size_t f = at;
    for (; 2 * f < out.size() && out[2 * f] != 0; ++f, source = (source + 1) % musicFrames) {
        if (out[2 * f] != patternLeft(source) || out[2 * f + 1] != patternRight(source)) break;
    }
    return f - at;
}

std::vector<std::int16_t> wavSamples(const std::filesystem::path& path, SF_INFO& info) {
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (!file) return {};
    std::vector<std::int16_t> samples(std::size_t(info.frames * info.channels));
    sf_readf_short(file, samples.data(), info.frames);
    sf_close(file);
    return samples;
}

class MusicOutput : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = scratchDir();
        music = (dir / "music.wav").string();
        writeAudioFile(music, wav16, 44100, 2, patternSamples(musicFrames, 2));
    }
    void TearDown() override { player.shutdown(); }

    void waitForOutput(const DiskAudio& disk, std::uintmax_t bytes) {
        const auto target = disk.bytesWritten() + bytes;
        ASSERT_TRUE(waitFor([&] { return disk.bytesWritten() >= target; }));
    }

    MusicPlayer player;
    std::filesystem::path dir;
    std::string music;
};

TEST_F(MusicOutput, StartsAtTheOffsetLoopsStopsAndStartsAgain) {
    DiskAudio disk(dir / "out.raw");
    player.init(nullptr);
    ASSERT_TRUE(player.audioReady);
    player.load(music);
    player.playAt(musicStartTime + startTime);
    // Round the end of the music and on.
    ASSERT_TRUE(waitFor([&] {
        const DWORD at = BASS_ChannelGetPosition(player.stream);
        return at < restartFrame * 4 && at > 10000 * 4;
    }));
    player.stop();
    waitForOutput(disk, 8 * 4096);
    player.playAt(musicStartTime + startTime);  // a restart: the same point again
    waitForOutput(disk, 8 * 4096);
    player.stop();
    waitForOutput(disk, 8 * 4096);
    player.shutdown();

    const auto out = disk.samples();
    const std::size_t first = firstSoundFrame(out);
    ASSERT_NE(first, std::string::npos);
    const std::size_t played = matchingFrames(out, first, restartFrame);
    EXPECT_GT(played, musicFrames - restartFrame + 10000);
    const std::size_t afterStop = first + played;
    EXPECT_EQ(out[2 * afterStop], 0);  // silence, not a wrong frame
    const std::size_t second = firstSoundFrame(out, afterStop);
    ASSERT_NE(second, std::string::npos);
    EXPECT_GE(second - afterStop, 4u * 1024);  // silent while stopped
    const std::size_t replayed = matchingFrames(out, second, restartFrame);
    EXPECT_GE(replayed, 4u * 1024);
    EXPECT_EQ(firstSoundFrame(out, second + replayed), std::string::npos);
}

TEST_F(MusicOutput, RenderedWavIsTheSpanOfDemoTimeAsPlayed) {
    // Demo time 1.0 is 0.5 s (22050 frames) after the restart at 0.5.
    const MusicRenderRequest request{music, musicStartTime, startTime, 1.0, 2.5};
    ASSERT_TRUE(renderMusicToWav(request, (dir / "music-out.wav").string()));
    SF_INFO info{};
    const auto out = wavSamples(dir / "music-out.wav", info);
    EXPECT_EQ(info.samplerate, 44100);
    EXPECT_EQ(info.channels, 2);
    ASSERT_EQ(info.frames, 66150);
    // 41343 + 22050 = 63393; the music's end comes 46857 frames later.
    EXPECT_EQ(matchingFrames(out, 0, restartFrame + 22050), 66150u);
    EXPECT_EQ(out[2 * 46857], patternLeft(0));
}

TEST_F(MusicOutput, RenderedWavIsSilentBeforeTheRestartAndWithoutMusic) {
    const MusicRenderRequest early{music, musicStartTime, startTime, 0.0, 1.0};
    ASSERT_TRUE(renderMusicToWav(early, (dir / "early.wav").string()));
    SF_INFO info{};
    const auto out = wavSamples(dir / "early.wav", info);
    ASSERT_EQ(info.frames, 44100);
    EXPECT_EQ(firstSoundFrame(out), 22050u);
    EXPECT_EQ(matchingFrames(out, 22050, restartFrame), 22050u);

    const MusicRenderRequest none{(dir / "missing.ogg").string(), 0, 0, 0.0, 0.5};
    ASSERT_TRUE(renderMusicToWav(none, (dir / "none.wav").string()));
    const auto silent = wavSamples(dir / "none.wav", info);
    EXPECT_EQ(info.frames, 22050);
    EXPECT_EQ(firstSoundFrame(silent), std::string::npos);

    EXPECT_FALSE(renderMusicToWav(none, (dir / "no-such-dir" / "x.wav").string()));
}

TEST_F(MusicOutput, RenderedWavEndsWhenTheMusicEndsWithoutLooping) {
    MusicRenderRequest once{music, 2.0f, 0.0f, 0.0, 1.0};
    once.looping = false;
    ASSERT_TRUE(renderMusicToWav(once, (dir / "once.wav").string()));
    SF_INFO info{};
    const auto out = wavSamples(dir / "once.wav", info);
    // 2.0 s at 220500 bytes a second is byte 441000: past the end, so round
    // the loop to the start.
    EXPECT_EQ(matchingFrames(out, 0, 0), 44100u);

    once.musicStartTime = 2.25f;  // byte 496125 - 441000 = 55125: frame 13781
    ASSERT_TRUE(renderMusicToWav(once, (dir / "tail.wav").string()));
    const auto tail = wavSamples(dir / "tail.wav", info);
    EXPECT_EQ(matchingFrames(tail, 0, 13781), 44100u);
}

// A stream that needs resampling: the rendered file holds the very samples
// the device gets.
TEST_F(MusicOutput, RenderedWavMatchesTheDeviceOutputSampleForSample) {
    const auto resampled = (dir / "r.ogg").string();
    writeAudioFile(resampled, oggVorbis, 32000, 1, sineSamples(48000, 1, 32000, 300.0, 12000));
    {
        DiskAudio disk(dir / "out.raw");
        player.init(nullptr);
        player.load(resampled);
        player.playAt(0.5f);
        waitForOutput(disk, 44100 * 4);
        player.shutdown();
        const MusicRenderRequest request{resampled, 0.5f, 0.0f, 0.0, 1.0};
        ASSERT_TRUE(renderMusicToWav(request, (dir / "r.wav").string()));
        SF_INFO info{};
        const auto rendered = wavSamples(dir / "r.wav", info);
        const auto out = disk.samples();
        const std::size_t first = firstSoundFrame(out);
        ASSERT_NE(first, std::string::npos);
        const std::size_t start = firstSoundFrame(rendered);
        ASSERT_LT(start, 4u);  // at most the resampler's first near-zero frames
        ASSERT_GE(out.size(), 2 * (first + 40000));
        for (std::size_t f = 0; f < 40000 - start; ++f)
            ASSERT_EQ(out[2 * (first + f)], rendered[2 * (start + f)]) << f;
    }
}

}  // namespace
