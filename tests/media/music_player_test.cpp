#include <gtest/gtest.h>

#include "media/music_player.h"
#include "platform/bass/audio_fixtures.h"

using namespace audio_fixtures;

namespace {

class MusicPlayerStates : public ::testing::Test {
  protected:
    void SetUp() override {
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        dir = scratchDir();
        music = (dir / "music.wav").string();
        writeAudioFile(music, wav16, 44100, 2, sineSamples(44100, 2, 44100));
        other = (dir / "other.ogg").string();
        writeAudioFile(other, oggVorbis, 22050, 1, sineSamples(22050, 1, 22050));
    }
    void TearDown() override {
        player.shutdown();
        BASS_Free();
    }

    MusicPlayer player;
    std::filesystem::path dir;
    std::string music, other;
};

TEST_F(MusicPlayerStates, WithoutInitNothingLoadsOrPlays) {
    player.load(music);
    EXPECT_EQ(player.stream, 0u);
    EXPECT_EQ(player.path, music);  // the path is kept all the same
    player.playAt(1.0f);
    player.stop();
    player.shutdown();
    EXPECT_FALSE(BASS_Start());  // the library was never started
}

TEST_F(MusicPlayerStates, FailedInitMeansSilence) {
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    player.init(nullptr);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    EXPECT_FALSE(player.audioReady);
    player.load(music);
    EXPECT_EQ(player.stream, 0u);
    player.playAt(0.0f);
}

TEST_F(MusicPlayerStates, LoadPlayStopAndPlayAgainOnTheSameHandle) {
    player.init(nullptr);
    ASSERT_TRUE(player.audioReady);
    EXPECT_EQ(player.stream, 0u);
    player.load(music);
    const HSTREAM loaded = player.stream;
    ASSERT_NE(loaded, 0u);
    EXPECT_EQ(BASS_ChannelIsActive(loaded), BASS_ACTIVE_STOPPED);

    player.playAt(0.5f);
    EXPECT_EQ(BASS_ChannelIsActive(loaded), BASS_ACTIVE_PLAYING);
    EXPECT_TRUE(BASS_ChannelGetFlags(loaded) & BASS_SAMPLE_LOOP);
    EXPECT_GE(BASS_ChannelGetPosition(loaded), 88200u);

    player.stop();
    EXPECT_EQ(player.stream, loaded);
    EXPECT_EQ(BASS_ChannelIsActive(loaded), BASS_ACTIVE_STOPPED);
    player.playAt(0.0f);
    EXPECT_EQ(BASS_ChannelIsActive(loaded), BASS_ACTIVE_PLAYING);
    EXPECT_LT(BASS_ChannelGetPosition(loaded), 88200u);
}

TEST_F(MusicPlayerStates, ABadFileLeavesNoMusic) {
    player.init(nullptr);
    player.load(music);
    ASSERT_NE(player.stream, 0u);
    writeBytes(dir / "broken.ogg", "OggS but not really", 19);
    for (const std::string& path : {(dir / "missing.mp3").string(), (dir / "broken.ogg").string(),
                                    dir.string(), std::string()}) {
        player.load(path);
        EXPECT_EQ(player.stream, 0u) << path;
        player.playAt(3.0f);
        player.stop();
    }
}

TEST_F(MusicPlayerStates, ASecondLoadReplacesTheHandleAndLeavesTheFirstAlone) {
    player.init(nullptr);
    player.load(music);
    const HSTREAM first = player.stream;
    player.playAt(0.0f);
    player.load(other);
    const HSTREAM second = player.stream;
    ASSERT_NE(second, 0u);
    EXPECT_NE(second, first);
    EXPECT_EQ(BASS_ChannelIsActive(first), BASS_ACTIVE_PLAYING);
    player.playAt(0.0f);
    player.stop();
    EXPECT_EQ(BASS_ChannelIsActive(second), BASS_ACTIVE_STOPPED);
    EXPECT_EQ(BASS_ChannelIsActive(first), BASS_ACTIVE_PLAYING);
}

TEST_F(MusicPlayerStates, ShutdownReleasesTheLibraryAndInitWorksAgain) {
    player.init(nullptr);
    player.load(music);
    const HSTREAM loaded = player.stream;
    player.shutdown();
    EXPECT_FALSE(player.audioReady);
    EXPECT_EQ(player.stream, 0u);
    EXPECT_EQ(BASS_StreamGetLength(loaded), BASS_INVALID_VALUE);
    player.playAt(1.0f);  // harmless
    player.init(nullptr);
    EXPECT_TRUE(player.audioReady);
}

}  // namespace
