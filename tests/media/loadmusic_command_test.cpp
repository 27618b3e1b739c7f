#include <gtest/gtest.h>

#include "media/loadmusic_command.h"
#include "media/music_player.h"
#include "platform/bass/audio_fixtures.h"
#include "platform/lua4/lua4.h"

using namespace audio_fixtures;

namespace {

// A script state with loadmusic and an error handler that keeps the message.
class LoadMusicCommand : public ::testing::Test {
  protected:
    void SetUp() override {
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        L = lua4::lua_open(0);
        lua4::lua_baselibopen(L);
        lua4::lua_register(L, "loadmusic", loadmusic);
        ASSERT_EQ(lua4::lua_dostring(L, "function _ERRORMESSAGE(m) lastError = m end"), 0);
        musicPlayer() = MusicPlayer{};
        dir = scratchDir();
    }
    void TearDown() override {
        musicPlayer().shutdown();
        musicPlayer() = MusicPlayer{};
        lua4::lua_close(L);
    }

    std::string global(const char* name) {
        lua4::lua_getglobal(L, name);
        const char* text = lua4::lua_tostring(L, -1);
        std::string value = text ? text : "(nil)";
        lua4::lua_settop(L, 0);
        return value;
    }

    lua_State* L = nullptr;
    std::filesystem::path dir;
};

TEST_F(LoadMusicCommand, WrongArgumentCountsAreAScriptError) {
    for (const char* call : {"loadmusic()", "loadmusic('a.ogg', 'b.ogg')", "loadmusic(nil, 1)"}) {
        const std::string script = std::string(call) + "; after = 'ran'";
        EXPECT_NE(lua4::lua_dostring(L, script.c_str()), 0) << call;
        EXPECT_EQ(global("lastError"), "Bad params for loadmusic") << call;
        EXPECT_EQ(global("after"), "(nil)") << call;
        EXPECT_EQ(musicPlayer().path, "") << call;  // nothing loaded
    }
}

TEST_F(LoadMusicCommand, AnArgumentThatIsNoTextIsAScriptErrorToo) {
    EXPECT_NE(lua4::lua_dostring(L, "loadmusic({})"), 0);
    EXPECT_EQ(global("lastError"), "Bad params for loadmusic");
    EXPECT_NE(lua4::lua_dostring(L, "loadmusic(nil)"), 0);
}

TEST_F(LoadMusicCommand, ANumberIsTakenAsItsText) {
    EXPECT_EQ(lua4::lua_dostring(L, "loadmusic(12)"), 0);
    EXPECT_EQ(musicPlayer().path, "12");
}

TEST_F(LoadMusicCommand, WithoutAudioTheScriptRunsOn) {
    const auto path = (dir / "m.wav").string();
    writeAudioFile(path, wav16, 44100, 2, sineSamples(4410, 2, 44100));
    const std::string script = "loadmusic('" + path + "'); after = 'ran'";
    EXPECT_EQ(lua4::lua_dostring(L, script.c_str()), 0);
    EXPECT_EQ(global("after"), "ran");
    EXPECT_EQ(musicPlayer().stream, 0u);
}

TEST_F(LoadMusicCommand, LoadsTheFileIntoTheProcessWidePlayer) {
    musicPlayer().init(nullptr);
    ASSERT_TRUE(musicPlayer().audioReady);
    const auto path = (dir / "m.flac").string();
    writeAudioFile(path, flac16, 44100, 2, sineSamples(4410, 2, 44100));
    const std::string script = "loadmusic('" + path + "')";
    EXPECT_EQ(lua4::lua_dostring(L, script.c_str()), 0);
    EXPECT_NE(musicPlayer().stream, 0u);
    EXPECT_EQ(BASS_StreamGetLength(musicPlayer().stream), 4410u * 4);
    // A missing file: no message, no music, the script goes on.
    EXPECT_EQ(lua4::lua_dostring(L, "loadmusic('nowhere.ogg'); after = 'ran'"), 0);
    EXPECT_EQ(musicPlayer().stream, 0u);
    EXPECT_EQ(global("after"), "ran");
}

}  // namespace
