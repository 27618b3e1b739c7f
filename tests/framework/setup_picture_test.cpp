// The setup dialog's picture: the production's setup.png from data/ or
// data.rar, fitted into 400 x 300, and the player's own picture whenever
// the production's cannot be had.
#include "framework/setup_picture.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "archive/archive_writer.h"
#include "media/data_access.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

// A 24-bit BMP whose pixel (x, y) is colour(x, y), 0xRRGGBB.
template <typename Colour>
Bytes bmp(unsigned width, unsigned height, Colour colour) {
    const unsigned stride = (width * 3 + 3) & ~3u;
    Bytes bytes{'B', 'M'};
    auto put = [&bytes](std::uint32_t value, int size) {
        for (int i = 0; i < size; ++i) bytes.push_back(std::uint8_t(value >> (8 * i)));
    };
    for (std::uint32_t v : {54 + stride * height, 0u, 54u, 40u, width, height}) put(v, 4);
    put(1 | 24 << 16, 4);  // one plane, 24 bits
    bytes.resize(54);
    for (unsigned y = height; y-- > 0; bytes.resize(bytes.size() + stride - width * 3))
        for (unsigned x = 0; x < width; ++x) put(colour(x, y), 3);
    return bytes;
}

Bytes plain(unsigned width, unsigned height, std::uint32_t rgb) {
    return bmp(width, height, [rgb](unsigned, unsigned) { return rgb; });
}

class SetupPictureTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() / ("tessal-picture-" + std::to_string(getpid()));
        fs::create_directories(folder_ / "data");
        previous_ = fs::current_path();
        fs::current_path(folder_);
    }
    void TearDown() override {
        DataAccess::unpackedMode = true;
        fs::current_path(previous_);
        fs::remove_all(folder_);
    }
    static void write(const fs::path& path, const Bytes& bytes) {
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    }
    static void pack(const std::vector<PackEntry>& entries) {
        PackOptions options;
        options.password = "quillo";
        const PackResult packed = writeArchive(entries, options);
        ASSERT_TRUE(packed.ok) << packed.error;
        write("data.rar", packed.archive);
        DataAccess::unpackedMode = false;
    }
    static std::uint32_t at(const SetupPicture& picture, unsigned x, unsigned y) {
        return picture.pixels[y * picture.width + x];
    }

  private:
    fs::path folder_, previous_;
};

TEST_F(SetupPictureTest, APictureOfTheDialogsSizeIsShownPixelForPixel) {
    auto colour = [](unsigned x, unsigned y) { return (x & 0xff) << 16 | (y & 0xff) << 8 | 0x40; };
    write("data/setup.png", bmp(400, 300, colour));  // named by its use, read by its content
    const SetupPicture picture = loadSetupPicture();
    ASSERT_EQ(picture.width, 400u);
    ASSERT_EQ(picture.height, 300u);
    for (unsigned y : {0u, 150u, 299u})
        for (unsigned x : {0u, 255u, 399u})
            EXPECT_EQ(at(picture, x, y), 0xff000000u | colour(x, y));
}

// Proportions are kept: a wide picture gets black bands above and below, a
// tall one at the sides.
TEST_F(SetupPictureTest, OtherSizesAreScaledToFitAndCentredOnBlack) {
    write("data/setup.png", plain(200, 100, 0x3080c0));
    SetupPicture wide = loadSetupPicture();
    ASSERT_EQ(wide.pixels.size(), 400u * 300u);
    EXPECT_EQ(at(wide, 200, 49), 0xff000000u);
    EXPECT_EQ(at(wide, 0, 50), 0xff3080c0u);
    EXPECT_EQ(at(wide, 399, 249), 0xff3080c0u);
    EXPECT_EQ(at(wide, 200, 250), 0xff000000u);
    write("data/setup.png", plain(300, 900, 0xc08030));
    SetupPicture tall = loadSetupPicture();
    EXPECT_EQ(at(tall, 149, 150), 0xff000000u);
    EXPECT_EQ(at(tall, 150, 0), 0xffc08030u);
    EXPECT_EQ(at(tall, 249, 299), 0xffc08030u);
    EXPECT_EQ(at(tall, 250, 150), 0xff000000u);
}

TEST_F(SetupPictureTest, MissingOrDamagedPicturesGiveThePlayersOwn) {
    const SetupPicture own = drawPlayerPicture();
    ASSERT_EQ(own.width, 400u);
    ASSERT_EQ(own.pixels.size(), 400u * 300u);
    EXPECT_EQ(loadSetupPicture().pixels, own.pixels);
    Bytes truncated = plain(400, 300, 0x102030);
    truncated.resize(100);
    write("data/setup.png", truncated);
    EXPECT_EQ(loadSetupPicture().pixels, own.pixels);
    write("data/setup.png", plain(5000, 2, 0x102030));  // beyond the decoders' limits
    EXPECT_EQ(loadSetupPicture().pixels, own.pixels);
}

TEST_F(SetupPictureTest, PackedModeTakesThePictureFromTheArchive) {
    write("data/setup.png", plain(400, 300, 0x102030));  // not looked at in packed mode
    pack({{"setup.png", plain(400, 300, 0x405060)}});
    EXPECT_EQ(at(loadSetupPicture(), 10, 10), 0xff405060u);
    pack({{"script.lua", {'-', '-'}}});
    ::testing::internal::CaptureStdout();
    EXPECT_EQ(loadSetupPicture().pixels, drawPlayerPicture().pixels);
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "Failed to unpack setup.png\n");
}

}  // namespace
