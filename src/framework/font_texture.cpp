#include "framework/font_texture.h"

#include <cstring>

namespace {

// The vertex buffer holds 300 vertices: 50 characters a draw.
constexpr UINT kBatchVertices = 294;
constexpr float kTextDepth = 0.9f;

// The states the text is drawn with; the saved block records the same list,
// so capturing it before drawing and applying it after restores them.
void setTextStates(IDirect3DDevice8& device, IDirect3DTexture8* texture) {
    device.SetTexture(0, texture);
    const DWORD renderStates[][2] = {{D3DRS_ALPHABLENDENABLE, TRUE},
                                     {D3DRS_SRCBLEND, D3DBLEND_SRCALPHA},
                                     {D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA},
                                     {D3DRS_ALPHATESTENABLE, TRUE},
                                     {D3DRS_ALPHAREF, 0x08},
                                     {D3DRS_ALPHAFUNC, D3DCMP_GREATEREQUAL},
                                     {D3DRS_FILLMODE, D3DFILL_SOLID},
                                     {D3DRS_CULLMODE, D3DCULL_CCW},
                                     {D3DRS_ZENABLE, FALSE},
                                     {D3DRS_STENCILENABLE, FALSE},
                                     {D3DRS_CLIPPING, TRUE},
                                     {D3DRS_EDGEANTIALIAS, FALSE},
                                     {D3DRS_CLIPPLANEENABLE, 0},
                                     {D3DRS_VERTEXBLEND, 0},  // D3DVBF_DISABLE
                                     {D3DRS_INDEXEDVERTEXBLENDENABLE, FALSE},
                                     {D3DRS_FOGENABLE, FALSE}};
    for (const auto& [state, value] : renderStates)
        device.SetRenderState(D3DRENDERSTATETYPE(state), value);
    const DWORD stageStates[][2] = {{D3DTSS_COLOROP, D3DTOP_MODULATE},
                                    {D3DTSS_COLORARG1, D3DTA_TEXTURE},
                                    {D3DTSS_COLORARG2, D3DTA_DIFFUSE},
                                    {D3DTSS_ALPHAOP, D3DTOP_MODULATE},
                                    {D3DTSS_ALPHAARG1, D3DTA_TEXTURE},
                                    {D3DTSS_ALPHAARG2, D3DTA_DIFFUSE},
                                    {D3DTSS_MINFILTER, D3DTEXF_POINT},
                                    {D3DTSS_MAGFILTER, D3DTEXF_POINT},
                                    {D3DTSS_MIPFILTER, D3DTEXF_NONE},
                                    {D3DTSS_TEXCOORDINDEX, 0},
                                    {D3DTSS_TEXTURETRANSFORMFLAGS, D3DTTFF_DISABLE}};
    for (const auto& [type, value] : stageStates)
        device.SetTextureStageState(0, D3DTEXTURESTAGESTATETYPE(type), value);
    device.SetTextureStageState(1, D3DTSS_COLOROP, D3DTOP_DISABLE);
    device.SetTextureStageState(1, D3DTSS_ALPHAOP, D3DTOP_DISABLE);
}

}  // namespace

FontTexture::FontTexture(const char* fontName, DWORD height, DWORD flags)
    : height_(height), flags_(flags) {
    std::strncpy(fontName_, fontName ? fontName : "", sizeof fontName_ - 1);
}

FontTexture::~FontTexture() {
    invalidateDeviceObjects();
    deleteDeviceObjects();
}

HRESULT FontTexture::recordStateBlock(DWORD* token) {
    device_->BeginStateBlock();
    setTextStates(*device_, texture_);
    return device_->EndStateBlock(token);
}

HRESULT FontTexture::restoreDeviceObjects() {
    if (device_ == nullptr) return E_FAIL;
    const HRESULT created = device_->CreateVertexBuffer(FONT_VERTEX_COUNT * sizeof(FontVertex),
                                                        D3DUSAGE_WRITEONLY | D3DUSAGE_DYNAMIC, 0,
                                                        D3DPOOL_DEFAULT, &vertexBuffer_);
    if (FAILED(created)) return created;
    recordStateBlock(&savedStateBlock_);
    recordStateBlock(&drawTextStateBlock_);
    return S_OK;
}

void FontTexture::invalidateDeviceObjects() {
    if (vertexBuffer_) vertexBuffer_->Release();
    vertexBuffer_ = nullptr;
    if (device_) {
        if (savedStateBlock_) device_->DeleteStateBlock(savedStateBlock_);
        if (drawTextStateBlock_) device_->DeleteStateBlock(drawTextStateBlock_);
    }
    savedStateBlock_ = drawTextStateBlock_ = 0;
}

void FontTexture::deleteDeviceObjects() {
    if (texture_) texture_->Release();
    texture_ = nullptr;
    device_ = nullptr;
}

// Two triangles covering the glyph's texels, shifted by half a pixel so
// that texels land on pixels.
float FontTexture::writeGlyph(FontVertex* out, float x, float y, D3DCOLOR colour,
                              unsigned char c) const {
    const float* t = glyph(c);
    const float w = (t[2] - t[0]) * float(textureWidth_) / textScale_;
    const float h = (t[3] - t[1]) * float(textureHeight_) / textScale_;
    const float left = x - 0.5f, top = y - 0.5f, right = x + w - 0.5f, bottom = y + h - 0.5f;
    out[0] = {left, bottom, kTextDepth, 1.0f, colour, t[0], t[3]};
    out[1] = {left, top, kTextDepth, 1.0f, colour, t[0], t[1]};
    out[2] = {right, bottom, kTextDepth, 1.0f, colour, t[2], t[3]};
    out[3] = {right, top, kTextDepth, 1.0f, colour, t[2], t[1]};
    out[4] = {right, bottom, kTextDepth, 1.0f, colour, t[2], t[3]};
    out[5] = {left, top, kTextDepth, 1.0f, colour, t[0], t[1]};
    return w;
}

// Draws what the buffer holds and starts it again.
void FontTexture::flush(UINT& triangles, FontVertex*& vertices) {
    vertexBuffer_->Unlock();
    device_->DrawPrimitive(D3DPT_TRIANGLELIST, 0, triangles);
    vertexBuffer_->Lock(0, 0, reinterpret_cast<BYTE**>(&vertices), D3DLOCK_DISCARD);
    triangles = 0;
}

// An empty string draws nothing and sets nothing: the vertex format and
// stream a string sets are not part of the saved block.
HRESULT FontTexture::drawText(float x, float y, D3DCOLOR colour, const char* text, DWORD flags) {
    if (device_ == nullptr || vertexBuffer_ == nullptr) return E_FAIL;
    if (text == nullptr || *text == '\0') return S_OK;
    device_->CaptureStateBlock(savedStateBlock_);
    device_->ApplyStateBlock(drawTextStateBlock_);
    device_->SetVertexShader(FONT_VERTEX_FVF);
    device_->SetStreamSource(0, vertexBuffer_, sizeof(FontVertex));
    if (flags & textFiltered) {
        device_->SetTextureStageState(0, D3DTSS_MINFILTER, D3DTEXF_LINEAR);
        device_->SetTextureStageState(0, D3DTSS_MAGFILTER, D3DTEXF_LINEAR);
    }
    FontVertex* vertices = nullptr;
    if (FAILED(vertexBuffer_->Lock(0, 0, reinterpret_cast<BYTE**>(&vertices), D3DLOCK_DISCARD))) {
        device_->ApplyStateBlock(savedStateBlock_);
        return E_FAIL;
    }
    UINT triangles = 0;
    const float startX = x;
    for (const unsigned char* c = reinterpret_cast<const unsigned char*>(text); *c; ++c) {
        if (*c == '\n') {
            x = startX;
            y += (glyph(' ')[3] - glyph(' ')[1]) * float(textureHeight_);
            continue;
        }
        if (*c < 32 || *c >= 127) continue;
        x += writeGlyph(vertices + triangles * 3, x, y, colour, *c);
        triangles += 2;
        if (triangles * 3 > kBatchVertices) flush(triangles, vertices);
    }
    vertexBuffer_->Unlock();
    if (triangles > 0) device_->DrawPrimitive(D3DPT_TRIANGLELIST, 0, triangles);
    device_->ApplyStateBlock(savedStateBlock_);
    return S_OK;
}
