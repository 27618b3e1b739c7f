// Short strings of text drawn over the rendered frame: the printable ASCII
// characters of a font rasterised once into one alpha texture, each string
// drawn as textured quads from a dynamic vertex buffer, with the device
// state saved before and restored after through two state blocks.
#pragma once

#include "platform/d3d8/d3d8.h"

constexpr DWORD fontBold = 1;
constexpr DWORD fontItalic = 2;
constexpr DWORD textFiltered = 4;  // drawText: linear instead of point filtering

// x, y, z, rhw, colour, u, v (0x144).
struct FontVertex {
    float x, y, z, rhw;
    D3DCOLOR colour;
    float u, v;
};
constexpr DWORD FONT_VERTEX_FVF = D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_TEX1;
constexpr UINT FONT_VERTEX_COUNT = 300;

class FontTexture {
  public:
    FontTexture(const char* fontName, DWORD height, DWORD flags = 0);
    ~FontTexture();
    FontTexture(const FontTexture&) = delete;
    FontTexture& operator=(const FontTexture&) = delete;

    // Remembers the device and rasterises the glyphs into the texture.
    HRESULT initDeviceObjects(IDirect3DDevice8* device);
    // The vertex buffer and the two state blocks.
    HRESULT restoreDeviceObjects();
    void invalidateDeviceObjects();
    void deleteDeviceObjects();

    // Draws at (x, y) pixels from the top left; line feeds return to x one
    // line lower. E_FAIL outside restoreDeviceObjects .. invalidateDeviceObjects.
    HRESULT drawText(float x, float y, D3DCOLOR colour, const char* text, DWORD flags = 0);

    UINT textureWidth() const { return textureWidth_; }
    UINT textureHeight() const { return textureHeight_; }
    float textScale() const { return textScale_; }
    IDirect3DTexture8* texture() const { return texture_; }
    // The texture rectangle (tx1, ty1, tx2, ty2) of a character 32 to 126.
    const float* glyph(unsigned char c) const { return texCoords_[c - 32]; }

  private:
    UINT chooseTextureSize();
    HRESULT rasteriseGlyphs();
    HRESULT recordStateBlock(DWORD* token);
    // The six vertices of a character's quad; returns its width on screen.
    float writeGlyph(FontVertex* out, float x, float y, D3DCOLOR colour, unsigned char c) const;
    void flush(UINT& triangles, FontVertex*& vertices);

    char fontName_[80] = {};
    DWORD height_;
    DWORD flags_;
    IDirect3DDevice8* device_ = nullptr;
    IDirect3DTexture8* texture_ = nullptr;
    IDirect3DVertexBuffer8* vertexBuffer_ = nullptr;
    UINT textureWidth_ = 0;
    UINT textureHeight_ = 0;
    float textScale_ = 1.0f;
    float texCoords_[96][4] = {};
    DWORD savedStateBlock_ = 0;
    DWORD drawTextStateBlock_ = 0;
};
