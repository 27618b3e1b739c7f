// FontTexture::initDeviceObjects: the printable characters of the font
// drawn by GDI, white on black, into a bitmap the size of the texture, laid
// out left to right in rows with one pixel between glyphs, then copied into
// the texture as 4-bit alpha.
#include <cstring>

#include "framework/font_texture.h"
#include "platform/gdi/wingdi.h"

namespace {

constexpr unsigned char kFirstGlyph = 32;  // space
constexpr unsigned char kLastGlyph = 126;  // tilde

// A memory DC with a top-down 32-bit bitmap of size × size selected into it.
struct GlyphCanvas {
    explicit GlyphCanvas(UINT size) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = LONG(size);
        info.bmiHeader.biHeight = -LONG(size);
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        dc = CreateCompatibleDC(nullptr);
        bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits),
                                  nullptr, 0);
        SetMapMode(dc, MM_TEXT);
    }
    ~GlyphCanvas() {
        DeleteObject(bitmap);
        DeleteDC(dc);
        if (font) DeleteObject(font);
    }
    GlyphCanvas(const GlyphCanvas&) = delete;
    GlyphCanvas& operator=(const GlyphCanvas&) = delete;

    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HFONT font = nullptr;
    DWORD* bits = nullptr;
};

HFONT createFont(HDC dc, const char* name, DWORD height, DWORD flags, float scale) {
    const int pixels = -MulDiv(int(height), int(float(GetDeviceCaps(dc, LOGPIXELSY)) * scale), 72);
    return CreateFontA(pixels, 0, 0, 0, (flags & fontBold) ? FW_BOLD : FW_NORMAL,
                       (flags & fontItalic) ? TRUE : FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, VARIABLE_PITCH,
                       name);
}

// Where the rows of glyphs end when laid out in a texture of this size.
LONG layoutBottom(HDC dc, UINT size) {
    LONG x = 0, y = 0, bottom = 0;
    for (int c = kFirstGlyph; c <= kLastGlyph; ++c) {
        const char text = char(c);
        SIZE extent{};
        GetTextExtentPoint32A(dc, &text, 1, &extent);
        if (x + extent.cx + 1 > LONG(size)) x = 0, y += extent.cy + 1;
        bottom = y + extent.cy;
        x += extent.cx + 1;
    }
    return bottom;
}

// 4-bit alpha from the blue of white-on-black text, white colour bits.
WORD glyphTexel(DWORD pixel) {
    const WORD alpha = WORD((pixel & 0xff) >> 4);
    return alpha > 0 ? WORD(alpha << 12 | 0x0FFF) : WORD(0);
}

void copyIntoTexture(IDirect3DTexture8* texture, const DWORD* bits, UINT size) {
    D3DLOCKED_RECT locked{};
    if (FAILED(texture->LockRect(0, &locked, nullptr, 0))) return;
    for (UINT y = 0; y < size; ++y) {
        auto* row =
            reinterpret_cast<WORD*>(static_cast<BYTE*>(locked.pBits) + y * UINT(locked.Pitch));
        for (UINT x = 0; x < size; ++x) row[x] = glyphTexel(bits[std::size_t(y) * size + x]);
    }
    texture->UnlockRect(0);
}

}  // namespace

// 1024 above 40 points, 512 above 20, else 256; smaller, with the text
// scaled down to match, when the device cannot hold that size.
UINT FontTexture::chooseTextureSize() {
    UINT size = height_ > 40 ? 1024 : height_ > 20 ? 512 : 256;
    D3DCAPS8 caps{};
    device_->GetDeviceCaps(&caps);
    if (size > caps.MaxTextureWidth && caps.MaxTextureWidth > 0) {
        textScale_ = float(caps.MaxTextureWidth) / float(size);
        size = caps.MaxTextureWidth;
    }
    return size;
}

HRESULT FontTexture::initDeviceObjects(IDirect3DDevice8* device) {
    device_ = device;
    textScale_ = 1.0f;
    const UINT size = chooseTextureSize();
    textureWidth_ = textureHeight_ = size;
    const HRESULT created =
        device_->CreateTexture(size, size, 1, 0, D3DFMT_A4R4G4B4, D3DPOOL_MANAGED, &texture_);
    if (FAILED(created)) return created;
    return rasteriseGlyphs();
}

// A font whose rows would run past the bottom of the texture is drawn
// smaller until they fit, and its quads larger by as much, so that it keeps
// its size on screen.
HRESULT FontTexture::rasteriseGlyphs() {
    const UINT size = textureWidth_;
    GlyphCanvas canvas(size);
    for (int attempt = 0; attempt < 4; ++attempt) {
        if (canvas.font) DeleteObject(canvas.font);
        canvas.font = createFont(canvas.dc, fontName_, height_, flags_, textScale_);
        if (canvas.font == nullptr || canvas.bits == nullptr) return E_FAIL;
        SelectObject(canvas.dc, canvas.font);
        const LONG bottom = layoutBottom(canvas.dc, size);
        if (bottom <= LONG(size)) break;
        textScale_ *= float(size) / float(bottom) * 0.98f;
    }
    SelectObject(canvas.dc, canvas.bitmap);
    SetTextColor(canvas.dc, RGB(255, 255, 255));
    SetBkColor(canvas.dc, 0);
    SetTextAlign(canvas.dc, TA_TOP);
    LONG x = 0, y = 0;
    for (int c = kFirstGlyph; c <= kLastGlyph; ++c) {
        const char text = char(c);
        SIZE extent{};
        GetTextExtentPoint32A(canvas.dc, &text, 1, &extent);
        if (x + extent.cx + 1 > LONG(size)) x = 0, y += extent.cy + 1;
        ExtTextOutA(canvas.dc, int(x), int(y), ETO_OPAQUE, nullptr, &text, 1, nullptr);
        float* coords = texCoords_[c - kFirstGlyph];
        coords[0] = float(x) / float(size);
        coords[1] = float(y) / float(size);
        coords[2] = float(x + extent.cx) / float(size);
        coords[3] = float(y + extent.cy) / float(size);
        x += extent.cx + 1;
    }
    copyIntoTexture(texture_, canvas.bits, size);
    return S_OK;
}
