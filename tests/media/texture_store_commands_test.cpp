// The store's script commands: argument counts, conversions and messages.
#include "texture_store_fixture.h"

namespace {

TEST_F(TextureStoreTest, CommandsCreateTheirTexturesAndReturnNothing) {
    writeData("a.bmp", plainBmp(2, 2, 0x112233));
    writeData("m.bmp", plainBmp(2, 2, 0x000080));
    ASSERT_EQ(run("r1 = loadtexture('a.bmp')\n"
                  "r2 = loadalphatexture('b', 'm.bmp')\n"
                  "r3 = createcapturetexture('rt', 128.9, 64.2)"),
              0);
    EXPECT_EQ(store.find("a.bmp"), 0);
    EXPECT_EQ(store.find("rt"), 1);  // 'b' does not exist: no entry
    EXPECT_EQ(store.imageInfo(1)->Width, 128u);
    EXPECT_EQ(store.imageInfo(1)->Height, 64u);
    ASSERT_EQ(run("assert(r1 == nil and r2 == nil and r3 == nil)"), 0);
}

TEST_F(TextureStoreTest, WrongArgumentCountsAreScriptErrors) {
    const std::pair<const char*, const char*> calls[] = {
        {"loadtexture()", "Bad params for loadtexture"},
        {"loadtexture('a', 'b')", "Bad params for loadtexture"},
        {"loadtexture({})", "Bad params for loadtexture"},
        {"loadalphatexture('a')", "Bad params for loadalphatexture"},
        {"loadalphatexture('a', 'b', 'c')", "Bad params for loadalphatexture"},
        {"createcapturetexture('a', 1)", "Bad params for createcapturetexture"},
        {"createcapturetexture('a', 1, 2, 3)", "Bad params for createcapturetexture"},
    };
    for (const auto& [call, message] : calls) {
        EXPECT_NE(run(std::string(call) + "; after = 1"), 0) << call;
        EXPECT_EQ(lastError(), message) << call;
    }
    EXPECT_EQ(run("assert(after == nil)"), 0);
    EXPECT_EQ(store.count(), 0);
}

// A number is taken as its text, as file names in scripts may be numbers.
TEST_F(TextureStoreTest, ANumberNamesTheFileByItsText) {
    writeData("7", plainBmp(1, 1, 0));
    ASSERT_EQ(run("loadtexture(7)"), 0);
    EXPECT_EQ(store.find("7"), 0);
}

}  // namespace
