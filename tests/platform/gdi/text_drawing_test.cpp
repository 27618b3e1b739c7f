// Drawing text into a 32-bit DIB section: cells, grey levels, colours,
// alignment and clipping.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "gdi_test_support.h"

namespace {

class TextDrawing : public ::testing::Test {
  protected:
    void TearDown() override { DeleteObject(font); }

    HFONT font = createArial(-16);
};

BOOL draw(const Canvas& canvas, int x, int y, const char* text) {
    return ExtTextOutA(canvas.dc, x, y, ETO_OPAQUE, nullptr, text, UINT(std::strlen(text)),
                       nullptr);
}

// (A bold W overhangs its cell by a pixel on each side, as GDI draws it.)
TEST_F(TextDrawing, GlyphsAreGreyLevelsInsideTheCellAndNothingOutside) {
    Canvas canvas(64, 32, font);
    SIZE cell = canvas.extent("Hg");
    ASSERT_TRUE(draw(canvas, 3, 5, "Hg"));
    int grey = 0, full = 0;
    for (int y = 5; y < 5 + cell.cy; ++y) {
        for (int x = 3; x < 3 + cell.cx; ++x) {
            std::uint32_t blue = canvas.pixel(x, y) & 0xff;
            grey += blue > 0 && blue < 255;
            full += blue == 255;
        }
    }
    EXPECT_GT(grey, 0);
    EXPECT_GT(full, 0);
    EXPECT_TRUE(canvas.blankOutside(3, 5, 3 + cell.cx, 5 + cell.cy));
}

TEST_F(TextDrawing, PixelsAreBlueGreenRedFromTheLowestByte) {
    Canvas canvas(32, 24, font);
    SetTextColor(canvas.dc, RGB(255, 0, 0));
    SetBkColor(canvas.dc, RGB(0, 0, 255));
    ASSERT_TRUE(draw(canvas, 0, 0, "l"));
    EXPECT_EQ(canvas.pixel(0, 0), 0x000000FFu) << "background blue";
    bool solidRed = false;
    for (int i = 0; i < 32 * 24; ++i) solidRed |= canvas.pixels[i] == 0x00FF0000u;
    EXPECT_TRUE(solidRed) << "the stem of l in the text colour, red in the third byte";
}

TEST_F(TextDrawing, TransparentModeLeavesTheBackgroundAlone) {
    Canvas canvas(32, 24, font);
    std::fill(canvas.pixels, canvas.pixels + 32 * 24, 0x00102030u);
    SetBkMode(canvas.dc, TRANSPARENT);
    ASSERT_TRUE(draw(canvas, 0, 0, "."));
    int changed = 0;
    for (int i = 0; i < 32 * 24; ++i) changed += canvas.pixels[i] != 0x00102030u;
    EXPECT_GT(changed, 0);
    EXPECT_LT(changed, 16) << "only the full stop's pixels";
}

TEST_F(TextDrawing, AlignmentMovesTheReferencePoint) {
    Canvas top(48, 64, font), baseline(48, 64, font), bottomRight(48, 64, font);
    TEXTMETRICA metrics{};
    GetTextMetricsA(top.dc, &metrics);
    SIZE size = top.extent("Ag");
    draw(top, 4, 10, "Ag");
    SetTextAlign(baseline.dc, TA_BASELINE);
    draw(baseline, 4, 10 + metrics.tmAscent, "Ag");
    EXPECT_EQ(SetTextAlign(bottomRight.dc, TA_BOTTOM | TA_RIGHT), TA_TOP | TA_LEFT);
    draw(bottomRight, 4 + size.cx, 10 + size.cy, "Ag");
    size_t bytes = 48 * 64 * sizeof(std::uint32_t);
    EXPECT_EQ(std::memcmp(top.pixels, baseline.pixels, bytes), 0);
    EXPECT_EQ(std::memcmp(top.pixels, bottomRight.pixels, bytes), 0);
}

TEST_F(TextDrawing, TextIsClippedToTheBitmap) {
    Canvas canvas(16, 16, font);
    SetBkColor(canvas.dc, RGB(1, 1, 1));
    ASSERT_TRUE(draw(canvas, 8, 8, "HHH"));
    EXPECT_TRUE(canvas.blankOutside(8, 8, 16, 16)) << "nothing wraps into the next row";
    EXPECT_EQ(canvas.pixel(8, 8) & 0xff, 1u);
    Canvas corner(16, 16, font);
    SetBkColor(corner.dc, RGB(1, 1, 1));
    SIZE size = corner.extent("WWW");
    ASSERT_TRUE(draw(corner, 4 - size.cx, 4 - size.cy, "WWW"));
    EXPECT_TRUE(corner.blankOutside(0, 0, 4, 4));
    EXPECT_TRUE(draw(corner, 100000, -100000, "far away"));
}

TEST_F(TextDrawing, ClippingRectangleBoundsTheText) {
    Canvas canvas(64, 32, font);
    RECT rect{2, 2, 12, 12};
    ASSERT_TRUE(ExtTextOutA(canvas.dc, 0, 0, ETO_CLIPPED, &rect, "WWWW", 4, nullptr));
    EXPECT_TRUE(canvas.blankOutside(2, 2, 12, 12));
}

TEST_F(TextDrawing, BottomUpBitmapsStoreTheTopRowLast) {
    Canvas canvas(16, 24, font, false);
    SetBkColor(canvas.dc, RGB(9, 9, 9));
    ASSERT_TRUE(draw(canvas, 0, 0, "-"));
    EXPECT_EQ(canvas.pixels[23 * 16] & 0xff, 9u) << "top-left corner of the cell";
    EXPECT_EQ(canvas.pixels[0], 0u);
}

// The glyph atlas a font texture builds: every printable character in a row
// of cells, drawn with exactly the calls and values it makes.
TEST(FontTextureCalls, EveryPrintableGlyphLandsInItsCell) {
    constexpr int size = 256;
    BITMAPINFO info{};
    info.bmiHeader = {40, size, -size, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    HDC dc = CreateCompatibleDC(nullptr);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    SetMapMode(dc, MM_TEXT);
    int height = -MulDiv(12, int(GetDeviceCaps(dc, LOGPIXELSY) * 1.0f), 72);
    HFONT font = CreateFontA(height, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY,
                             VARIABLE_PITCH, "Arial");
    ASSERT_NE(font, nullptr);
    SelectObject(dc, bitmap);
    SelectObject(dc, font);
    SetTextColor(dc, 0x00FFFFFF);
    SetBkColor(dc, 0);
    SetTextAlign(dc, 0);
    auto* pixels = static_cast<const std::uint32_t*>(bits);
    int x = 0, y = 0;
    for (char c = 32; c < 127; ++c) {
        SIZE cell;
        GetTextExtentPoint32A(dc, &c, 1, &cell);
        if (x + cell.cx + 1 > size) x = 0, y += cell.cy + 1;
        ExtTextOutA(dc, x, y, ETO_OPAQUE, nullptr, &c, 1, nullptr);
        std::uint8_t brightest = 0;
        for (int row = y; row < y + cell.cy; ++row) {
            for (int column = x; column < x + cell.cx; ++column) {
                brightest = std::max(brightest, std::uint8_t(pixels[row * size + column]));
            }
        }
        EXPECT_EQ(brightest > 0x0F, c != ' ') << "character " << c;
        x += cell.cx + 1;
    }
    EXPECT_LT(y, size / 2);
    EXPECT_FALSE(DeleteObject(bitmap)) << "still selected";
    EXPECT_TRUE(DeleteDC(dc));
    EXPECT_TRUE(DeleteObject(font));
    EXPECT_FALSE(DeleteObject(bitmap)) << "freed with its DC";
}

}  // namespace
