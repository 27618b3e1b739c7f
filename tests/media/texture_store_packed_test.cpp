// Packed mode: images come from the archive data.rar through the data
// access's extraction.
#include <fstream>

#include "archive/archive_writer.h"
#include "media/data_access.h"
#include "texture_store_fixture.h"

namespace {

class PackedTextureStore : public TextureStoreTest {
  protected:
    void pack(const std::vector<PackEntry>& entries) {
        PackOptions options;
        options.password = "quillo";
        const PackResult packed = writeArchive(entries, options);
        ASSERT_TRUE(packed.ok) << packed.error;
        std::ofstream("data.rar", std::ios::binary)
            .write(reinterpret_cast<const char*>(packed.archive.data()),
                   std::streamsize(packed.archive.size()));
        DataAccess::unpackedMode = false;
    }
};

TEST_F(PackedTextureStore, ImagesAndTheirMasksComeFromTheArchive) {
    pack({{"textures/logo.bmp", plainBmp(4, 2, 0x405060)}, {"mask.bmp", plainBmp(4, 2, 0x000080)}});
    // A name written on Windows finds the entry stored with a forward slash.
    EXPECT_EQ(store.loadTexture("Textures\\Logo.bmp"), 0);
    EXPECT_EQ(store.imageInfo(0)->Width, 4u);
    EXPECT_EQ(store.loadAlphaTexture("masked", "mask.bmp"), -1);  // no entry "masked"
    EXPECT_EQ(store.loadAlphaTexture("textures/logo.bmp", "mask.bmp"), 1);
    EXPECT_EQ(pixels(store.texture(1), 0)[0], 0x80405060u);
}

// A missing entry reports the extraction failure only; an entry that is no
// image reports the load failure.
TEST_F(PackedTextureStore, MissingEntriesAndBadImagesAreReportedApart) {
    pack({{"broken.bmp", {'B', 'M', 1, 2, 3}}});
    testing::internal::CaptureStdout();
    EXPECT_EQ(store.loadTexture("missing.bmp"), -1);
    EXPECT_EQ(store.loadTexture("broken.bmp"), -1);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "Failed to unpack missing.bmp\nFailed to load texture broken.bmp\n");
    EXPECT_EQ(store.count(), 0);
}

}  // namespace
