// What the library really sends to the output device, through SDL's disk
// driver.
#include <gtest/gtest.h>

#include "platform/bass/audio_fixtures.h"
#include "platform/bass/bass.h"

using namespace audio_fixtures;

namespace {

class DiskOutput : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = scratchDir();
        disk = std::make_unique<DiskAudio>(dir / "out.raw");
    }
    void TearDown() override {
        BASS_Free();
        disk.reset();
    }

    // Waits until `bytes` more output has been written.
    void waitForOutput(std::uintmax_t bytes) {
        const auto target = disk->bytesWritten() + bytes;
        ASSERT_TRUE(waitFor([&] { return disk->bytesWritten() >= target; }));
    }

    std::filesystem::path dir;
    std::unique_ptr<DiskAudio> disk;
};

TEST_F(DiskOutput, PlaysFromThePositionLoopsAndFallsSilentAfterStop) {
    const std::size_t frames = 66150;  // 1.5 s
    writeAudioFile(dir / "m.wav", wav16, 44100, 2, patternSamples(frames, 2));
    ASSERT_TRUE(BASS_Init(-1, 44100, 0, nullptr));
    const HSTREAM h = BASS_StreamCreateFile(FALSE, (dir / "m.wav").c_str(), 0, 0, 0);
    ASSERT_NE(h, 0u);
    const std::size_t startFrame = 33075;
    BASS_ChannelSetPosition(h, DWORD(startFrame * 4));
    BASS_StreamPlay(h, FALSE, BASS_SAMPLE_LOOP);
    // Round the end and on for a while.
    ASSERT_TRUE(waitFor([&] {
        const DWORD at = BASS_ChannelGetPosition(h);
        return at < startFrame * 4 && at > 20000 * 4;
    }));
    BASS_ChannelStop(h);
    waitForOutput(16 * 4096);
    BASS_Free();

    const auto out = disk->samples();
    const std::size_t first = firstSoundFrame(out);
    ASSERT_NE(first, std::string::npos);
    std::size_t f = first;
    std::size_t source = startFrame;
    for (; 2 * f < out.size() && out[2 * f] != 0; ++f, source = (source + 1) % frames) {
        ASSERT_EQ(out[2 * f], patternLeft(source)) << "output frame " << f;
        ASSERT_EQ(out[2 * f + 1], patternRight(source)) << "output frame " << f;
    }
    EXPECT_GT(f - first, frames - startFrame + 20000);  // went round the loop
    const std::size_t silent = out.size() / 2 - f;
    EXPECT_GE(silent, 8u * 1024);  // some output may still sit in the file buffer
    EXPECT_EQ(firstSoundFrame(out, f), std::string::npos);  // nothing after the stop
}

TEST_F(DiskOutput, AStreamAtAnotherRateIsHeardForItsOwnDuration) {
    // Half a second of a steady level at 22050 Hz, mono, played once.
    writeAudioFile(dir / "m.flac", flac16, 22050, 1, std::vector<std::int16_t>(11025, 6000));
    ASSERT_TRUE(BASS_Init(-1, 44100, 0, nullptr));
    const HSTREAM h = BASS_StreamCreateFile(FALSE, (dir / "m.flac").c_str(), 0, 0, 0);
    ASSERT_NE(h, 0u);
    BASS_StreamPlay(h, FALSE, 0);
    ASSERT_TRUE(waitFor([&] { return BASS_ChannelIsActive(h) == BASS_ACTIVE_STOPPED; }));
    waitForOutput(8 * 4096);
    BASS_Free();

    const auto out = disk->samples();
    std::size_t sounding = 0;
    for (std::size_t i = 0; i < out.size(); i += 2) sounding += std::abs(out[i]) > 100 ? 1 : 0;
    EXPECT_NEAR(double(sounding), 22050.0, 100.0);
}

TEST_F(DiskOutput, NothingPlayingIsSilence) {
    ASSERT_TRUE(BASS_Init(-1, 44100, 0, nullptr));
    waitForOutput(8 * 4096);
    BASS_Free();
    const auto out = disk->samples();
    EXPECT_GT(out.size(), 0u);
    EXPECT_EQ(firstSoundFrame(out), std::string::npos);
}

}  // namespace
