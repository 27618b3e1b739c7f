// The store's naming rules: first match wins, names are exact byte strings,
// a name already used is never loaded or created again, whatever the kind.
#include "texture_store_fixture.h"

namespace {

TEST_F(TextureStoreTest, AnEmptyStoreFindsNothingAndMinusOneMeansNoTexture) {
    EXPECT_EQ(store.find("anything"), -1);
    EXPECT_EQ(store.texture(-1), nullptr);
    EXPECT_EQ(store.imageInfo(-1), nullptr);
    store.bind(1, -1);
    const RecordedCall* bind = log.last("SetTexture");
    ASSERT_NE(bind, nullptr);
    EXPECT_EQ(bind->args, (std::vector<double>{1, 0}));
}

TEST_F(TextureStoreTest, LoadingANameTwiceMakesOneEntryAndReadsTheFileOnce) {
    writeData("logo.bmp", plainBmp(8, 4, 0x336699));
    EXPECT_EQ(store.loadTexture("logo.bmp"), 0);
    EXPECT_EQ(store.loadTexture("logo.bmp"), 0);
    EXPECT_EQ(store.count(), 1);
    EXPECT_EQ(log.count("CreateTexture"), 1u);
    const D3DXIMAGE_INFO* info = store.imageInfo(0);
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(info->Width, 8u);
    EXPECT_EQ(info->Height, 4u);
    EXPECT_EQ(store.entry(0).kind, textureKindFile);
    EXPECT_EQ(log.first("CreateTexture")->args,
              (std::vector<double>{8, 4, 4, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED}));
    store.bind(0, 0);
    EXPECT_EQ(log.last("SetTexture")->args[1], address(store.texture(0)));
}

// The file system finds the file whichever way the name is written, but the
// store keeps names apart by their exact bytes.
TEST_F(TextureStoreTest, NamesDifferingOnlyInCaseAreDifferentEntries) {
    writeData("logo.bmp", plainBmp(2, 2, 0xffffff));
    EXPECT_EQ(store.loadTexture("logo.bmp"), 0);
    EXPECT_EQ(store.loadTexture("LOGO.bmp"), 1);
    EXPECT_EQ(store.find("Logo.bmp"), -1);
    EXPECT_EQ(store.find("LOGO.bmp"), 1);
}

TEST_F(TextureStoreTest, AnExistingNameIsNeverLoadedOrCreatedAgainWhateverTheKind) {
    writeData("plain.bmp", plainBmp(4, 4, 0x808080));
    writeData("mask.bmp", plainBmp(4, 4, 0x000000));
    ASSERT_EQ(store.loadTexture("plain.bmp"), 0);
    const std::size_t created = log.count("CreateTexture");
    // The alpha image is ignored: the plain texture stays, without alpha.
    EXPECT_EQ(store.loadAlphaTexture("plain.bmp", "mask.bmp"), 0);
    EXPECT_EQ(store.entry(0).kind, textureKindFile);
    EXPECT_EQ(pixels(store.texture(0), 0)[0], 0xff808080u);
    // A capture texture under the same name makes nothing either.
    EXPECT_EQ(store.createCaptureTexture("plain.bmp", 256, 256), 0);
    EXPECT_EQ(log.count("CreateTexture"), created);
    EXPECT_EQ(log.count("CheckDeviceFormat"), 0u);
    EXPECT_EQ(store.count(), 1);
}

TEST_F(TextureStoreTest, AFailedLoadMakesNoEntrySoALaterCallTriesAgain) {
    testing::internal::CaptureStdout();
    EXPECT_EQ(store.loadTexture("later.bmp"), -1);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Failed to load texture later.bmp\n");
    EXPECT_EQ(store.count(), 0);
    writeData("later.bmp", plainBmp(1, 1, 0));
    EXPECT_EQ(store.loadTexture("later.bmp"), 0);
}

TEST_F(TextureStoreTest, CorruptAndAbsurdImagesAreRefusedWithTheLoadMessage) {
    std::vector<std::uint8_t> truncated = plainBmp(16, 16, 0x123456);
    truncated.resize(truncated.size() - 10);
    writeData("truncated.bmp", truncated);
    writeData("empty.bmp", {});
    writeData("tall.bmp", plainBmp(1, 5000, 0));  // beyond the device's 4096
    writeData("text.png", {'n', 'o', 't', ' ', 'p', 'n', 'g'});
    for (const char* name : {"truncated.bmp", "empty.bmp", "tall.bmp", "text.png"}) {
        testing::internal::CaptureStdout();
        EXPECT_EQ(store.loadTexture(name), -1) << name;
        EXPECT_EQ(testing::internal::GetCapturedStdout(),
                  std::string("Failed to load texture ") + name + "\n");
    }
    EXPECT_EQ(store.count(), 0);
    EXPECT_EQ(log.count("CreateTexture"), 0u);
}

}  // namespace
