#include "effects/image_quad.h"

#include "app/script_args.h"
#include "d3dx/d3dx_math.h"

namespace {

constexpr double RADIANS_PER_DEGREE = 0.017453292519943295;
constexpr float UNITS_TO_WIDTH = 0.0015625f;      // 1/640 in single precision
constexpr float UNITS_TO_HEIGHT = 0.0020833334f;  // 1/480 in single precision

struct Offset {
    float x, y, u, v;
};

}  // namespace

D3DCOLOR packImageColour(float red, float green, float blue, float alpha) {
    const auto whole = [](float c) { return DWORD(truncateToInt(c)); };
    return whole(alpha) << 24 | whole(red) << 16 | whole(green) << 8 | whole(blue);
}

void buildImageQuad(const ImagePlacement& p, DWORD viewportWidth, DWORD viewportHeight,
                    ImageVertex (&quad)[4]) {
    const float w = p.imageWidth, h = p.imageHeight;
    float hx = w / 2, hy = h / 2;
    if (p.pivot) {
        hx = -p.pivot->x;
        hy = -p.pivot->y;
    }
    const Offset corners[4] = {
        {-hx, -hy, 0, 0}, {w - hx, -hy, 1, 0}, {-hx, h - hy, 0, 1}, {w - hx, h - hy, 1, 1}};
    D3DXMATRIX rotation;
    D3DXMatrixRotationZ(&rotation, float(p.degrees * RADIANS_PER_DEGREE));
    const float toX = float(viewportWidth) * UNITS_TO_WIDTH;
    const float toY = float(viewportHeight) * UNITS_TO_HEIGHT;
    const D3DCOLOR colour = packImageColour(p.red, p.green, p.blue, p.alpha);
    for (int i = 0; i < 4; ++i) {
        const Offset& c = corners[i];
        const float x = c.x * rotation(0, 0) + c.y * rotation(1, 0);
        const float y = c.x * rotation(0, 1) + c.y * rotation(1, 1);
        quad[i] = {(x * p.scale.x + p.position.x) * toX,
                   (y * p.scale.y + p.position.y) * toY,
                   0.5f,
                   0.5f,
                   colour,
                   colour,
                   c.u,
                   c.v};
    }
}
