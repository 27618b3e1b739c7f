// The image effect (type 0): one texture as a screen-aligned quad whose
// position, pivot, rotation, scale and colour follow key tracks in absolute
// demo time.
#pragma once

#include "anim/track_kinds.h"
#include "app/effect.h"
#include "effects/image_quad.h"

class ImageEffect : public Effect {
  public:
    static constexpr int kTypeId = 0;

    ImageEffect();

    int typeId() override { return kTypeId; }
    // Stage 0 reads the `layer` arguments: texture name (looked up, not
    // loaded), source blend, destination blend, filter flag (non-zero:
    // linear, zero: point); all optional. Stage 1 sorts the tracks.
    bool init(int stage, lua_State* L) override;
    void render(float time, float intervalStart) override;
    void releaseDeviceResources(int code) override {}

    // The quad as built by the latest render.
    const ImageVertex (&vertices() const)[4] { return vertices_; }

    int textureIndex = -1;
    DWORD srcBlend = D3DBLEND_ONE;
    DWORD destBlend = D3DBLEND_ZERO;
    DWORD filter = D3DTEXF_LINEAR;  // minification, mipmap and magnification alike
    ColorTrack colour;              // r, g, b, a in 0..255
    VectorTrack position;           // virtual screen units
    VectorTrack scale;
    VectorTrack pivot;     // image pixels; no keys: the image is centred
    ScalarTrack rotation;  // degrees

  private:
    void readLayerArguments(lua_State* L);
    ImagePlacement placementAt(float time) const;
    void draw();

    ImageVertex vertices_[4] = {};
};
