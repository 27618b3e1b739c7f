// Every variant of every image format decodes to the pixels it holds, with
// the source format and file format the texture loader reports.
#include <gtest/gtest.h>

#include <cstdlib>

#include "d3dx/decoded_image.h"
#include "decode_fixtures.h"

namespace {

std::string hex(DWORD value) {
    char text[16];
    std::snprintf(text, sizeof text, "%08x", value);
    return text;
}

void expectDecodes(const Fixture& fixture, D3DXIMAGE_FILEFORMAT format) {
    SCOPED_TRACE(fixture.name);
    DecodedImage image;
    ASSERT_TRUE(decodeImage(fixture.bytes, ImageLimits{}, image));
    EXPECT_EQ(image.fileFormat, format);
    ASSERT_EQ(image.width, fixture.width);
    ASSERT_EQ(image.height, fixture.height);
    ASSERT_EQ(image.pixels.size(), fixture.expected.size());
    for (std::size_t i = 0; i < image.pixels.size(); ++i)
        for (int shift : {0, 8, 16, 24}) {
            const int got = int((image.pixels[i] >> shift) & 0xff);
            const int want = int((fixture.expected[i] >> shift) & 0xff);
            EXPECT_LE(std::abs(got - want), fixture.tolerance)
                << "pixel " << i << ": " << hex(image.pixels[i])
                << " != " << hex(fixture.expected[i]);
        }
}

D3DFORMAT sourceFormatOf(const std::vector<Fixture>& fixtures, const std::string& name) {
    for (const Fixture& fixture : fixtures)
        if (fixture.name == name) {
            DecodedImage image;
            decodeImage(fixture.bytes, ImageLimits{}, image);
            return image.sourceFormat;
        }
    ADD_FAILURE() << "no fixture " << name;
    return D3DFMT_UNKNOWN;
}

TEST(DecodePng, PaletteGreyAlphaSixteenBitAndInterlacedImages) {
    for (const Fixture& fixture : pngFixtures()) expectDecodes(fixture, D3DXIFF_PNG);
    const std::vector<Fixture> fixtures = pngFixtures();
    EXPECT_EQ(sourceFormatOf(fixtures, "png rgba"), D3DFMT_A8R8G8B8);
    EXPECT_EQ(sourceFormatOf(fixtures, "png rgb"), D3DFMT_R8G8B8);
    EXPECT_EQ(sourceFormatOf(fixtures, "png grey"), D3DFMT_L8);
    EXPECT_EQ(sourceFormatOf(fixtures, "png palette"), D3DFMT_P8);
}

TEST(DecodeJpeg, ColourGreyCmykAndProgressiveImagesWithinTheLossOfTheFormat) {
    for (const Fixture& fixture : jpegFixtures()) expectDecodes(fixture, D3DXIFF_JPG);
    const std::vector<Fixture> fixtures = jpegFixtures();
    EXPECT_EQ(sourceFormatOf(fixtures, "jpeg rgb"), D3DFMT_X8R8G8B8);
    EXPECT_EQ(sourceFormatOf(fixtures, "jpeg grey"), D3DFMT_L8);
    EXPECT_EQ(sourceFormatOf(fixtures, "jpeg cmyk"), D3DFMT_X8R8G8B8);
}

TEST(DecodeBmp, PalettesRunLengthBitFieldsAndBothRowOrders) {
    for (const Fixture& fixture : bmpFixtures()) expectDecodes(fixture, D3DXIFF_BMP);
    const std::vector<Fixture> fixtures = bmpFixtures();
    EXPECT_EQ(sourceFormatOf(fixtures, "bmp 8-bit"), D3DFMT_P8);
    EXPECT_EQ(sourceFormatOf(fixtures, "bmp 24-bit"), D3DFMT_R8G8B8);
    EXPECT_EQ(sourceFormatOf(fixtures, "bmp 32-bit top-down"), D3DFMT_X8R8G8B8);
    EXPECT_EQ(sourceFormatOf(fixtures, "bmp 32-bit alpha fields"), D3DFMT_A8R8G8B8);
    EXPECT_EQ(sourceFormatOf(fixtures, "bmp 16-bit 565 fields"), D3DFMT_R5G6B5);
}

TEST(DecodeTga, TrueColourGreyMappedRunLengthAndEveryOrigin) {
    for (const Fixture& fixture : tgaFixtures()) expectDecodes(fixture, D3DXIFF_TGA);
    const std::vector<Fixture> fixtures = tgaFixtures();
    EXPECT_EQ(sourceFormatOf(fixtures, "tga 32-bit top-down"), D3DFMT_A8R8G8B8);
    EXPECT_EQ(sourceFormatOf(fixtures, "tga grey rle"), D3DFMT_L8);
    EXPECT_EQ(sourceFormatOf(fixtures, "tga mapped right-to-left"), D3DFMT_P8);
}

// A 32-bit TGA whose header declares no alpha bits keeps its pixels opaque.
TEST(DecodeTga, AlphaCountsOnlyWhenTheHeaderDeclaresAlphaBits) {
    Bytes file = tgaHeader(2, 1, 1, 32, 0x20);
    file.insert(file.end(), {1, 2, 3, 0});
    DecodedImage image;
    ASSERT_TRUE(decodeTga(file, ImageLimits{}, image));
    EXPECT_EQ(image.pixels[0], 0xff030201u);
    EXPECT_EQ(image.sourceFormat, D3DFMT_X8R8G8B8);
}

}  // namespace
