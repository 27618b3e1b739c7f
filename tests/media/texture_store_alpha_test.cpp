// Textures whose alpha comes from a second image.
#include "texture_store_fixture.h"

namespace {

// A colour image of 4 × 2 and a grey mask of 2 × 1 (white left, black
// right): the mask is scaled to the colour image's size and its blue
// component becomes the alpha of every level.
TEST_F(TextureStoreTest, TheAlphaImageIsScaledToTheColourImageAndMergedIntoEveryLevel) {
    writeData("colour.bmp", bmpImage(4, 2,
                                     {0xff0000, 0x00ff00, 0x0000ff, 0xffffff, 0x102030, 0x405060,
                                      0x708090, 0xa0b0c0}));
    writeData("mask.bmp", bmpImage(2, 1, {0xffffff, 0x000000}));
    ASSERT_EQ(store.loadAlphaTexture("colour.bmp", "mask.bmp"), 0);
    EXPECT_EQ(store.entry(0).kind, textureKindAlpha);
    EXPECT_EQ(store.imageInfo(0)->Width, 4u);
    // The mask was loaded at the colour image's size.
    const std::vector<RecordedCall> created = log.named("CreateTexture");
    ASSERT_EQ(created.size(), 2u);
    EXPECT_EQ(created[1].args[0], 4);
    EXPECT_EQ(created[1].args[1], 2);
    // Growing the mask interpolates between its two pixels: 255, 191, 64, 0.
    const std::vector<DWORD> level0 = pixels(store.texture(0), 0);
    EXPECT_EQ(level0[0], 0xffff0000u);
    EXPECT_EQ(level0[1] >> 24, 191u);
    EXPECT_EQ(level0[2] >> 24, 64u);
    EXPECT_EQ(level0[3], 0x00ffffffu);
    EXPECT_EQ(level0[7], 0x00a0b0c0u);
    // Level 1 (2 x 1) has the alpha of the mask's own level 1, the average
    // of its level 0: (255 + 191) / 2 and (64 + 0) / 2.
    const std::vector<DWORD> level1 = pixels(store.texture(0), 1);
    EXPECT_EQ(level1[0] >> 24, 223u);
    EXPECT_EQ(level1[1] >> 24, 32u);
}

// Only the mask's blue component counts.
TEST_F(TextureStoreTest, OnlyTheBlueComponentOfTheMaskBecomesAlpha) {
    writeData("c.bmp", plainBmp(1, 1, 0x123456));
    writeData("m.bmp", plainBmp(1, 1, 0xff0080));
    ASSERT_EQ(store.loadAlphaTexture("c.bmp", "m.bmp"), 0);
    EXPECT_EQ(pixels(store.texture(0), 0)[0], 0x80123456u);
}

// A missing mask makes no entry; the colour texture already loaded is
// given back (the fixture checks that every reference is returned).
TEST_F(TextureStoreTest, AMissingAlphaImageMakesNoEntry) {
    writeData("c.bmp", plainBmp(2, 2, 0x123456));
    testing::internal::CaptureStdout();
    EXPECT_EQ(store.loadAlphaTexture("c.bmp", "missing.bmp"), -1);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Failed to load texture missing.bmp\n");
    EXPECT_EQ(store.count(), 0);
    EXPECT_EQ(store.find("c.bmp"), -1);
}

}  // namespace
