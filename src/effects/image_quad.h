// The quad of an image layer: where its four corners land on the target for
// the evaluated position, pivot, rotation, scale and colour, in the virtual
// screen of 640 × 480 units stretched to the viewport.
#pragma once

#include <optional>

#include "d3dx/d3dx_math_types.h"

// x, y, z, rhw, diffuse, specular, u, v: 32 bytes per vertex.
struct ImageVertex {
    float x, y, z, rhw;
    D3DCOLOR diffuse, specular;
    float u, v;
};
static_assert(sizeof(ImageVertex) == 32);

constexpr DWORD IMAGE_VERTEX_FVF = D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_SPECULAR | D3DFVF_TEX1;

struct ImagePlacement {
    D3DXVECTOR3 position;  // anchor in virtual units (z ignored)
    float degrees = 0;     // rotation, clockwise on screen
    D3DXVECTOR3 scale;     // along the screen axes, after rotation
    std::optional<D3DXVECTOR3>
        pivot;  // the top-left corner's offset from the anchor, in image pixels
    float red = 0, green = 0, blue = 0, alpha = 0;  // 0..255
    float imageWidth = 256;                         // the source image's size in pixels
    float imageHeight = 256;
};

// Corners in the order top-left, top-right, bottom-left, bottom-right (a
// triangle strip), texture coordinates (0, 0) to (1, 1).
void buildImageQuad(const ImagePlacement& placement, DWORD viewportWidth, DWORD viewportHeight,
                    ImageVertex (&quad)[4]);

// The colour components truncated toward zero and or-ed together as
// (a << 24) | (r << 16) | (g << 8) | b, with no masking or clamping.
D3DCOLOR packImageColour(float red, float green, float blue, float alpha);
