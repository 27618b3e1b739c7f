#include <gtest/gtest.h>

#include "platform/bass/audio_fixtures.h"
#include "platform/bass/bass.h"

using namespace audio_fixtures;

namespace {

// Each test starts and ends with the library released.
class BassApi : public ::testing::Test {
  protected:
    void SetUp() override {
        setenv("SDL_AUDIODRIVER", "dummy", 1);  // a default device that is always there
        dir = scratchDir();
    }
    void TearDown() override { BASS_Free(); }

    std::string writeWav(const char* name, int rate, int channels, std::size_t frames) {
        const auto path = dir / name;
        writeAudioFile(path, wav16, rate, channels, patternSamples(frames, channels));
        return path.string();
    }

    std::filesystem::path dir;
};

TEST_F(BassApi, NothingWorksBeforeInit) {
    const auto path = writeWav("a.wav", 44100, 2, 100);
    EXPECT_EQ(BASS_StreamCreateFile(FALSE, path.c_str(), 0, 0, 0), 0u);
    EXPECT_FALSE(BASS_Start());
    EXPECT_EQ(BASS_StreamGetLength(1), BASS_INVALID_VALUE);
    EXPECT_FALSE(BASS_StreamPlay(1, FALSE, 0));
}

TEST_F(BassApi, InitOnceUntilFree) {
    EXPECT_TRUE(BASS_Init(-1, 44100, 0, nullptr));
    EXPECT_FALSE(BASS_Init(-1, 44100, 0, nullptr));
    BASS_Free();
    EXPECT_TRUE(BASS_Init(0, 44100, 0, nullptr));
}

TEST_F(BassApi, NoAudioDeviceMeansInitFails) {
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    const BOOL ok = BASS_Init(-1, 44100, 0, nullptr);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    EXPECT_FALSE(ok);
    EXPECT_FALSE(BASS_Init(500, 44100, 0, nullptr));  // no 500th device either
    EXPECT_TRUE(BASS_Init(-1, 44100, 0, nullptr));    // and the library is usable after
}

TEST_F(BassApi, StreamReportsPcmLengthRateAndFlags) {
    ASSERT_TRUE(BASS_Init(-1, 44100, 0, nullptr));
    const auto stereo = writeWav("s.wav", 22050, 2, 1234);
    const auto mono = writeWav("m.wav", 8000, 1, 999);
    const HSTREAM s = BASS_StreamCreateFile(FALSE, stereo.c_str(), 0, 0, BASS_MP3_SETPOS);
    const HSTREAM m = BASS_StreamCreateFile(FALSE, mono.c_str(), 0, 0, 0);
    ASSERT_NE(s, 0u);
    ASSERT_NE(m, 0u);
    EXPECT_EQ(BASS_StreamGetLength(s), 1234u * 4);
    EXPECT_EQ(BASS_StreamGetLength(m), 999u * 2);
    DWORD freq = 0, volume = 0;
    int pan = 7;
    EXPECT_TRUE(BASS_ChannelGetAttributes(s, &freq, &volume, &pan));
    EXPECT_EQ(freq, 22050u);
    EXPECT_EQ(volume, 100u);
    EXPECT_EQ(pan, 0);
    EXPECT_TRUE(BASS_ChannelGetAttributes(m, &freq, nullptr, nullptr));
    EXPECT_EQ(freq, 8000u);
    EXPECT_EQ(BASS_ChannelGetFlags(s), BASS_MP3_SETPOS);
    EXPECT_EQ(BASS_ChannelGetFlags(m), BASS_SAMPLE_MONO);
}

TEST_F(BassApi, PlayStopAndPositionFollowTheCalls) {
    ASSERT_TRUE(BASS_Init(0, 44100, 0, nullptr));  // no output: nothing moves by itself
    const auto path = writeWav("a.wav", 44100, 2, 1000);
    const HSTREAM h = BASS_StreamCreateFile(FALSE, path.c_str(), 0, 0, 0);
    ASSERT_NE(h, 0u);
    EXPECT_EQ(BASS_ChannelGetPosition(h), 0u);
    EXPECT_TRUE(BASS_ChannelSetPosition(h, 1001));
    EXPECT_EQ(BASS_ChannelGetPosition(h), 1000u);
    EXPECT_FALSE(BASS_ChannelSetPosition(h, 4000));
    EXPECT_EQ(BASS_ChannelIsActive(h), BASS_ACTIVE_STOPPED);
    EXPECT_TRUE(BASS_StreamPlay(h, FALSE, BASS_SAMPLE_LOOP));
    EXPECT_EQ(BASS_ChannelIsActive(h), BASS_ACTIVE_PLAYING);
    EXPECT_EQ(BASS_ChannelGetFlags(h), BASS_SAMPLE_LOOP);
    EXPECT_EQ(BASS_ChannelGetPosition(h), 1000u);  // not flushed
    EXPECT_TRUE(BASS_ChannelStop(h));
    EXPECT_EQ(BASS_ChannelIsActive(h), BASS_ACTIVE_STOPPED);
    EXPECT_TRUE(BASS_StreamPlay(h, TRUE, 0));
    EXPECT_EQ(BASS_ChannelGetPosition(h), 0u);
    EXPECT_EQ(BASS_ChannelGetFlags(h), 0u);
}

TEST_F(BassApi, StreamsComeFromMemoryOrPartOfAFile) {
    ASSERT_TRUE(BASS_Init(0, 44100, 0, nullptr));
    const auto path = writeWav("a.wav", 44100, 2, 500);
    auto bytes = fileBytes(path);
    const HSTREAM fromMemory = BASS_StreamCreateFile(TRUE, bytes.data(), 0, DWORD(bytes.size()), 0);
    ASSERT_NE(fromMemory, 0u);
    EXPECT_EQ(BASS_StreamGetLength(fromMemory), 2000u);

    // The same WAV behind 100 bytes of something else, followed by junk.
    std::vector<std::uint8_t> wrapped(100 + bytes.size() + 64, 0xAB);
    std::copy(bytes.begin(), bytes.end(), wrapped.begin() + 100);
    writeBytes(dir / "wrapped.bin", wrapped.data(), wrapped.size());
    const HSTREAM part =
        BASS_StreamCreateFile(FALSE, (dir / "wrapped.bin").c_str(), 100, DWORD(bytes.size()), 0);
    ASSERT_NE(part, 0u);
    EXPECT_EQ(BASS_StreamGetLength(part), 2000u);
    EXPECT_EQ(BASS_StreamCreateFile(FALSE, (dir / "wrapped.bin").c_str(), 1u << 30, 0, 0), 0u);
}

TEST_F(BassApi, UnreadableFilesGiveNoStream) {
    ASSERT_TRUE(BASS_Init(0, 44100, 0, nullptr));
    writeBytes(dir / "empty.ogg", "", 0);
    writeBytes(dir / "text.mp3", "not music at all", 16);
    EXPECT_EQ(BASS_StreamCreateFile(FALSE, (dir / "missing.ogg").c_str(), 0, 0, 0), 0u);
    EXPECT_EQ(BASS_StreamCreateFile(FALSE, (dir / "empty.ogg").c_str(), 0, 0, 0), 0u);
    EXPECT_EQ(BASS_StreamCreateFile(FALSE, (dir / "text.mp3").c_str(), 0, 0, 0), 0u);
    EXPECT_EQ(BASS_StreamCreateFile(FALSE, dir.c_str(), 0, 0, 0), 0u);  // a directory
    EXPECT_EQ(BASS_StreamCreateFile(FALSE, "", 0, 0, 0), 0u);
    EXPECT_EQ(BASS_StreamCreateFile(FALSE, nullptr, 0, 0, 0), 0u);
    EXPECT_EQ(BASS_StreamCreateFile(TRUE, nullptr, 0, 10, 0), 0u);
}

TEST_F(BassApi, FreedAndUnknownHandlesAreRefused) {
    ASSERT_TRUE(BASS_Init(0, 44100, 0, nullptr));
    const auto path = writeWav("a.wav", 44100, 2, 10);
    const HSTREAM h = BASS_StreamCreateFile(FALSE, path.c_str(), 0, 0, 0);
    ASSERT_NE(h, 0u);
    EXPECT_TRUE(BASS_StreamFree(h));
    EXPECT_FALSE(BASS_StreamFree(h));
    EXPECT_EQ(BASS_StreamGetLength(h), BASS_INVALID_VALUE);
    EXPECT_EQ(BASS_ChannelGetPosition(h), BASS_INVALID_VALUE);
    EXPECT_FALSE(BASS_ChannelSetPosition(h, 0));
    EXPECT_FALSE(BASS_ChannelStop(h));
    EXPECT_FALSE(BASS_ChannelGetAttributes(0, nullptr, nullptr, nullptr));

    // BASS_Free releases every stream; handles are not reused afterwards.
    const HSTREAM before = BASS_StreamCreateFile(FALSE, path.c_str(), 0, 0, 0);
    BASS_Free();
    ASSERT_TRUE(BASS_Init(0, 44100, 0, nullptr));
    EXPECT_EQ(BASS_StreamGetLength(before), BASS_INVALID_VALUE);
    EXPECT_NE(BASS_StreamCreateFile(FALSE, path.c_str(), 0, 0, 0), before);
}

// The output device's own thread keeps a followed stream where the clock
// wants it: here two seconds further on, made up at once.
TEST_F(BassApi, AFollowedStreamGoesWhereTheClockWantsIt) {
    ASSERT_TRUE(BASS_Init(-1, 44100, 0, nullptr));
    const auto path = writeWav("a.wav", 44100, 2, 5 * 44100);
    const HSTREAM h = BASS_StreamCreateFile(FALSE, path.c_str(), 0, 0, 0);
    ASSERT_NE(h, 0u);
    BASS_StreamPlay(h, FALSE, BASS_SAMPLE_LOOP);
    const double start = tessalClockSeconds();
    EXPECT_TRUE(tessalChannelFollow(h, 2 * 44100 * 4, start));
    EXPECT_FALSE(tessalChannelFollow(h + 1, 0, start));
    ASSERT_TRUE(waitFor([&] { return BASS_ChannelGetPosition(h) >= 2 * 44100 * 4; }));
    EXPECT_LT(tessalClockSeconds() - start, 1.0);
}

}  // namespace
