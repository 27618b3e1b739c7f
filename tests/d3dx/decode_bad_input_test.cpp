// Bad image bytes: truncated, corrupted, unsupported, or of absurd size.
// Every decoder refuses them without reading past its input (the sanitizer
// build checks that) and without allocating for sizes beyond the limits.
#include <gtest/gtest.h>

#include <png.h>

#include "d3dx/decoded_image.h"
#include "decode_fixtures.h"

namespace {

std::vector<Fixture> allFixtures() {
    std::vector<Fixture> all;
    for (auto make : {pngFixtures, jpegFixtures, bmpFixtures, tgaFixtures})
        for (Fixture& fixture : make()) all.push_back(std::move(fixture));
    return all;
}

// Each prefix is copied into a buffer of exactly its length, so that a read
// past the end is a read past the allocation.
TEST(DecodeBadInput, EveryTruncationIsRefusedOrDecodedWithinItsBytes) {
    for (const Fixture& fixture : allFixtures()) {
        SCOPED_TRACE(fixture.name);
        for (std::size_t length = 0; length < fixture.bytes.size(); ++length) {
            const Bytes prefix(fixture.bytes.begin(),
                               fixture.bytes.begin() + std::ptrdiff_t(length));
            DecodedImage image;
            if (decodeImage(prefix, ImageLimits{}, image)) {
                EXPECT_EQ(image.pixels.size(), std::size_t(image.width) * image.height);
            }
        }
    }
}

// Uncompressed formats must have every row; compressed ones refuse a stream
// cut inside the pixels (an RLE bitmap may end early by design). PNG and
// JPEG end with chunks and markers that are not pixels: they are cut deeper.
TEST(DecodeBadInput, CutPixelDataIsRefused) {
    for (const Fixture& fixture : allFixtures()) {
        if (fixture.name.find("rle") != std::string::npos) continue;
        SCOPED_TRACE(fixture.name);
        const bool trailer = fixture.name.find("png") == 0 || fixture.name.find("jpeg") == 0;
        const Bytes cut(fixture.bytes.begin(), fixture.bytes.end() - (trailer ? 20 : 1));
        DecodedImage image;
        EXPECT_FALSE(decodeImage(cut, ImageLimits{}, image));
    }
}

TEST(DecodeBadInput, FlippedBytesNeverCrash) {
    for (const Fixture& fixture : allFixtures()) {
        for (std::size_t at = 0; at < fixture.bytes.size(); ++at)
            for (std::uint8_t flip : {0x01, 0x80, 0xff}) {
                Bytes damaged = fixture.bytes;
                damaged[at] ^= flip;
                DecodedImage image;
                if (decodeImage(damaged, ImageLimits{}, image)) {
                    ASSERT_EQ(image.pixels.size(), std::size_t(image.width) * image.height);
                }
            }
    }
}

TEST(DecodeBadInput, ZeroSizesAndSizesBeyondTheLimitsAreRefused) {
    const ImageLimits limits{64, 64};
    DecodedImage image;
    // Headers that declare the sizes, with no pixels behind them.
    EXPECT_FALSE(decodeImage(bmpFile(bmpInfoHeader(0, 4, 24, 0), {}), limits, image));
    EXPECT_FALSE(decodeImage(bmpFile(bmpInfoHeader(1, 100000, 24, 0), {}), limits, image));
    EXPECT_FALSE(decodeImage(bmpFile(bmpInfoHeader(65, 1, 24, 0), Bytes(400, 0)), limits, image));
    EXPECT_FALSE(decodeImage(bmpFile(bmpInfoHeader(-4, 4, 24, 0), Bytes(64, 0)), limits, image));
    EXPECT_FALSE(decodeImage(tgaHeader(2, 0, 1, 24, 0), limits, image));
    EXPECT_FALSE(decodeImage(tgaHeader(2, 1, 65535, 24, 0), limits, image));
    const std::vector<Bytes> row(1, Bytes(65 * 3, 0));
    EXPECT_FALSE(decodeImage(encodePng(65, 1, PNG_COLOR_TYPE_RGB, 8, row), limits, image));
    std::vector<DWORD> wide(65, 0);
    EXPECT_FALSE(decodeImage(encodeJpeg(65, 1, JpegKind::Colour, wide), limits, image));
    // Within the limits the same shapes decode.
    EXPECT_TRUE(
        decodeImage(encodePng(64, 1, PNG_COLOR_TYPE_RGB, 8, {Bytes(64 * 3, 0)}), limits, image));
    EXPECT_EQ(image.width, 64u);
}

TEST(DecodeBadInput, UnsupportedAndMeaninglessBytesAreNoImage) {
    DecodedImage image;
    const Bytes nothing;
    EXPECT_FALSE(decodeImage(nothing, ImageLimits{}, image));
    const Bytes text{'h', 'e', 'l', 'l', 'o', ' ', 'w', 'o', 'r', 'l',
                     'd', '!', '!', '!', '!', '!', '!', '!', '!'};
    EXPECT_FALSE(decodeImage(text, ImageLimits{}, image));
    const Bytes dds{'D', 'D', 'S', ' ', 124, 0, 0, 0, 7, 16, 8, 0, 4, 0, 0, 0, 4, 0, 0, 0};
    EXPECT_FALSE(decodeImage(dds, ImageLimits{}, image));
    // TGA types this decoder does not know (32: Huffman) and bit depths a type cannot have.
    EXPECT_FALSE(decodeImage(tgaHeader(32, 1, 1, 8, 0), ImageLimits{}, image));
    Bytes grey16 = tgaHeader(3, 1, 1, 16, 0);
    grey16.insert(grey16.end(), {0, 0});
    EXPECT_FALSE(decodeImage(grey16, ImageLimits{}, image));
    // A colour map whose entries have no size (found by fuzzing).
    Bytes sizeless = tgaHeader(10, 2, 1, 24, 0x20, 2, 0);
    sizeless.insert(sizeless.end(), {0x81, 1, 2, 3});
    EXPECT_FALSE(decodeImage(sizeless, ImageLimits{}, image));
    // BMP compression this decoder does not know (4: embedded JPEG).
    EXPECT_FALSE(
        decodeImage(bmpFile(bmpInfoHeader(1, 1, 24, 4), Bytes(4, 0)), ImageLimits{}, image));
}

// libpng checks the CRC of critical chunks: a damaged header is refused.
TEST(DecodeBadInput, PngWithADamagedHeaderChecksumIsRefused) {
    Bytes png = pngFixtures().front().bytes;
    png[29] ^= 0xff;  // inside IHDR's CRC
    DecodedImage image;
    EXPECT_FALSE(decodePng(png, ImageLimits{}, image));
}

}  // namespace
