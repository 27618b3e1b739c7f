// Handles: selection, deletion, and failure on bad handles and arguments.
#include <gtest/gtest.h>

#include "gdi_test_support.h"

namespace {

BITMAPINFO dibInfo(LONG width, LONG height, WORD bits = 32) {
    BITMAPINFO info{};
    info.bmiHeader = {40, width, height, 1, bits, BI_RGB, 0, 0, 0, 0, 0};
    return info;
}

HBITMAP createDib(LONG width, LONG height) {
    BITMAPINFO info = dibInfo(width, height);
    void* bits = nullptr;
    return CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
}

TEST(GdiHandles, SelectObjectReturnsWhatItReplaces) {
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP first = createDib(4, 4), second = createDib(4, 4);
    HFONT font = createArial(-16);
    HGDIOBJ stockBitmap = SelectObject(dc, first);
    HGDIOBJ stockFont = SelectObject(dc, font);
    EXPECT_NE(stockBitmap, nullptr);
    EXPECT_NE(stockFont, nullptr);
    EXPECT_EQ(SelectObject(dc, second), first);
    EXPECT_EQ(SelectObject(dc, stockFont), font);
    EXPECT_EQ(SelectObject(dc, stockBitmap), second);
    EXPECT_TRUE(DeleteObject(first));
    EXPECT_TRUE(DeleteObject(second));
    EXPECT_TRUE(DeleteObject(font));
    EXPECT_FALSE(DeleteObject(font)) << "already deleted";
    EXPECT_TRUE(DeleteDC(dc));
    EXPECT_FALSE(DeleteDC(dc));
}

TEST(GdiHandles, ABitmapBelongsToOneDcAtATime) {
    HDC one = CreateCompatibleDC(nullptr), other = CreateCompatibleDC(one);
    HBITMAP bitmap = createDib(4, 4);
    SelectObject(one, bitmap);
    EXPECT_EQ(SelectObject(other, bitmap), nullptr);
    EXPECT_FALSE(DeleteObject(bitmap));
    DeleteDC(one);
    DeleteDC(other);
}

TEST(GdiHandles, BadHandlesAndArgumentsFail) {
    HDC dead = CreateCompatibleDC(nullptr);
    DeleteDC(dead);
    auto* madeUp = reinterpret_cast<HDC>(std::uintptr_t(0x1234567));
    for (HDC bad : {HDC(nullptr), dead, madeUp}) {
        SIZE size;
        TEXTMETRICA metrics;
        EXPECT_EQ(CreateCompatibleDC(bad == nullptr ? dead : bad), nullptr);
        EXPECT_FALSE(DeleteDC(bad));
        EXPECT_FALSE(DeleteObject(bad));
        EXPECT_EQ(SelectObject(bad, nullptr), nullptr);
        EXPECT_EQ(GetDeviceCaps(bad, LOGPIXELSY), 0);
        EXPECT_EQ(SetMapMode(bad, MM_TEXT), 0);
        EXPECT_EQ(SetTextColor(bad, 0), CLR_INVALID);
        EXPECT_EQ(SetBkColor(bad, 0), CLR_INVALID);
        EXPECT_EQ(SetTextAlign(bad, 0), GDI_ERROR);
        EXPECT_FALSE(GetTextExtentPoint32A(bad, "a", 1, &size));
        EXPECT_FALSE(GetTextMetricsA(bad, &metrics));
        EXPECT_FALSE(ExtTextOutA(bad, 0, 0, ETO_OPAQUE, nullptr, "a", 1, nullptr));
    }
    HDC dc = CreateCompatibleDC(nullptr);
    EXPECT_EQ(SelectObject(dc, madeUp), nullptr);
    EXPECT_EQ(SelectObject(dc, dc), nullptr) << "a DC is not an object to select";
    EXPECT_FALSE(GetTextExtentPoint32A(dc, "a", 1, nullptr));
    EXPECT_FALSE(GetTextExtentPoint32A(dc, nullptr, 1, nullptr));
    EXPECT_FALSE(ExtTextOutA(dc, 0, 0, 0, nullptr, nullptr, 3, nullptr));
    EXPECT_TRUE(ExtTextOutA(dc, 0, 0, 0, nullptr, "a", 1, nullptr)) << "nothing to draw into";
    EXPECT_EQ(CreateFontIndirectA(nullptr), nullptr);
    DeleteDC(dc);
}

TEST(GdiHandles, DibSectionsOtherThan32BitRgbAreRefused) {
    BITMAPINFO cases[] = {dibInfo(4, 4, 24), dibInfo(0, 4), dibInfo(4, 0), dibInfo(-4, 4),
                          dibInfo(1 << 20, 1 << 20)};
    BITMAPINFO compressed = dibInfo(4, 4), planes = dibInfo(4, 4);
    compressed.bmiHeader.biCompression = 3;
    planes.bmiHeader.biPlanes = 2;
    for (const BITMAPINFO& info :
         {cases[0], cases[1], cases[2], cases[3], cases[4], compressed, planes}) {
        void* bits = &bits;
        EXPECT_EQ(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0), nullptr);
        EXPECT_EQ(bits, nullptr);
    }
    BITMAPINFO good = dibInfo(4, -4);
    void* bits = nullptr;
    EXPECT_EQ(CreateDIBSection(nullptr, &good, DIB_PAL_COLORS, &bits, nullptr, 0), nullptr);
    EXPECT_EQ(CreateDIBSection(nullptr, nullptr, DIB_RGB_COLORS, &bits, nullptr, 0), nullptr);
}

}  // namespace
