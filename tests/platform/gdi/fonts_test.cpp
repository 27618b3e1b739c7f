// Fonts: face resolution through fontconfig, GDI's heights and metrics.
#include <gtest/gtest.h>

#include <string>

#include "gdi_test_support.h"

namespace {

std::string faceOf(HDC dc) {
    char name[LF_FACESIZE] = {};
    return GetTextFaceA(dc, LF_FACESIZE, name) > 0 ? name : "";
}

TEXTMETRICA metricsOf(HFONT font) {
    Canvas canvas(4, 4, font);
    TEXTMETRICA metrics{};
    EXPECT_TRUE(GetTextMetricsA(canvas.dc, &metrics));
    return metrics;
}

TEST(Fonts, ArialBoldAtTwelvePointsIsLiberationSansBold) {
    HFONT bold = createArial(-MulDiv(12, 96, 72));
    HFONT regular = createArial(-16, FW_NORMAL);
    ASSERT_NE(bold, nullptr);
    Canvas boldCanvas(4, 4, bold), regularCanvas(4, 4, regular);
    EXPECT_EQ(faceOf(boldCanvas.dc), "Liberation Sans");
    EXPECT_GT(boldCanvas.extent("Hello").cx, regularCanvas.extent("Hello").cx);
    TEXTMETRICA metrics = metricsOf(bold);
    EXPECT_EQ(metrics.tmHeight, metrics.tmAscent + metrics.tmDescent);
    EXPECT_EQ(metrics.tmInternalLeading, metrics.tmHeight - 16) << "em height 16";
    EXPECT_GE(metrics.tmHeight, 17);
    EXPECT_LE(metrics.tmHeight, 19);
    EXPECT_EQ(metrics.tmWeight, FW_BOLD);
    DeleteObject(bold);
    DeleteObject(regular);
}

TEST(Fonts, PositiveHeightsAreCellHeightsNegativeOnesEmHeights) {
    for (int height = 6; height <= 60; height += 3) {
        HFONT byCell = createArial(height);
        HFONT byEm = createArial(-height);
        TEXTMETRICA cell = metricsOf(byCell), em = metricsOf(byEm);
        EXPECT_LE(cell.tmHeight, height);
        EXPECT_GE(cell.tmHeight, height - 2) << "the largest em whose cell fits";
        EXPECT_EQ(em.tmHeight - em.tmInternalLeading, height);
        EXPECT_GE(em.tmHeight, cell.tmHeight);
        DeleteObject(byCell);
        DeleteObject(byEm);
    }
    HFONT defaultHeight = createArial(0);
    TEXTMETRICA byDefault = metricsOf(defaultHeight);
    EXPECT_GT(byDefault.tmHeight, 8);
    EXPECT_LE(byDefault.tmHeight, 16);
    DeleteObject(defaultHeight);
}

TEST(Fonts, UnknownFaceFallsBackToADefaultFace) {
    HFONT font = createArial(-16, FW_NORMAL, "No Such Face Anywhere");
    ASSERT_NE(font, nullptr);
    Canvas canvas(4, 4, font);
    EXPECT_FALSE(faceOf(canvas.dc).empty());
    EXPECT_GT(canvas.extent("W").cx, 0);
    DeleteObject(font);
}

TEST(Fonts, ExtentIsTheSumOfAdvancesByTheCellHeight) {
    HFONT font = createArial(-16);
    Canvas canvas(4, 4, font);
    SIZE i = canvas.extent("i"), w = canvas.extent("W");
    EXPECT_LT(i.cx, w.cx);
    EXPECT_GT(i.cx, 0);
    int sum = 0;
    for (const char* c : {"H", "e", "l", "l", "o", ",", " ", "W", "!"}) sum += canvas.extent(c).cx;
    SIZE whole = canvas.extent("Hello, W!");
    EXPECT_EQ(whole.cx, sum);
    EXPECT_EQ(whole.cy, metricsOf(font).tmHeight);
    EXPECT_EQ(canvas.extent("").cx, 0);
    DeleteObject(font);
}

TEST(Fonts, FaceNameBufferIsBoundedAndSized) {
    HFONT font = createArial(-16);
    Canvas canvas(4, 4, font);
    EXPECT_EQ(GetTextFaceA(canvas.dc, 0, nullptr), int(std::string("Liberation Sans").size()) + 1);
    char shortName[4] = {'x', 'x', 'x', 'x'};
    EXPECT_EQ(GetTextFaceA(canvas.dc, 4, shortName), 3);
    EXPECT_STREQ(shortName, "Lib");
    DeleteObject(font);
}

TEST(Fonts, MulDivRoundsHalvesAwayFromZero) {
    EXPECT_EQ(MulDiv(12, 96, 72), 16);
    EXPECT_EQ(MulDiv(1, 1, 2), 1);
    EXPECT_EQ(MulDiv(-1, 1, 2), -1);
    EXPECT_EQ(MulDiv(5, 1, -3), -2);
    EXPECT_EQ(MulDiv(0x40000000, 4, 2), -1) << "overflow";
    EXPECT_EQ(MulDiv(7, 3, 0), -1);
    EXPECT_EQ(MulDiv(0x40000000, 4, 4), 0x40000000) << "64-bit intermediate";
}

}  // namespace
