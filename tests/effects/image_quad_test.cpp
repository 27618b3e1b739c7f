// Where an image layer's corners land: centring, pivot, rotation, scale and
// the stretch of the virtual 640 × 480 screen to the viewport.
#include <gtest/gtest.h>

#include "effects/image_quad.h"

namespace {

ImagePlacement image(float width, float height) {
    ImagePlacement placement;
    placement.position = {320, 240, 0};
    placement.scale = {1, 1, 0};
    placement.red = placement.green = placement.blue = placement.alpha = 255;
    placement.imageWidth = width;
    placement.imageHeight = height;
    return placement;
}

struct Corner {
    float x, y;
};

void expectCorners(const ImageVertex (&quad)[4], const Corner (&expected)[4]) {
    const char* names[] = {"top-left", "top-right", "bottom-left", "bottom-right"};
    for (int i = 0; i < 4; ++i) {
        EXPECT_NEAR(quad[i].x, expected[i].x, 1e-3) << names[i];
        EXPECT_NEAR(quad[i].y, expected[i].y, 1e-3) << names[i];
    }
}

TEST(ImageQuad, WithoutKeysTheImageIsCentredAtItsOwnSizeInItsOwnColours) {
    ImageVertex quad[4];
    buildImageQuad(image(64, 32), 640, 480, quad);
    expectCorners(quad, {{288, 224}, {352, 224}, {288, 256}, {352, 256}});
    const float uv[4][2] = {{0, 0}, {1, 0}, {0, 1}, {1, 1}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(quad[i].z, 0.5f);
        EXPECT_EQ(quad[i].rhw, 0.5f);
        EXPECT_EQ(quad[i].diffuse, 0xffffffffu);
        EXPECT_EQ(quad[i].specular, 0xffffffffu);
        EXPECT_EQ(quad[i].u, uv[i][0]);
        EXPECT_EQ(quad[i].v, uv[i][1]);
    }
}

TEST(ImageQuad, ADoubleSizedViewportDoublesEveryCoordinateAndTheImageSize) {
    ImageVertex quad[4];
    buildImageQuad(image(64, 32), 1280, 960, quad);
    expectCorners(quad, {{576, 448}, {704, 448}, {576, 512}, {704, 512}});
    // A viewport of another shape stretches the axes apart.
    buildImageQuad(image(64, 32), 320, 480, quad);
    expectCorners(quad, {{144, 224}, {176, 224}, {144, 256}, {176, 256}});
}

// Screen y points down, so a positive angle turns clockwise: the top-left
// corner moves to the top right.
TEST(ImageQuad, PositiveDegreesTurnClockwiseOnScreen) {
    ImagePlacement placement = image(64, 32);
    placement.degrees = 90;
    ImageVertex quad[4];
    buildImageQuad(placement, 640, 480, quad);
    expectCorners(quad, {{336, 208}, {336, 272}, {304, 208}, {304, 272}});
}

// Scale works along the screen axes after rotation: (2, 1) on an image
// turned by 90° doubles its on-screen width, the image's own height.
TEST(ImageQuad, ScaleActsAlongTheScreenAfterRotation) {
    ImagePlacement placement = image(64, 32);
    placement.degrees = 90;
    placement.scale = {2, 1, 0};
    ImageVertex quad[4];
    buildImageQuad(placement, 640, 480, quad);
    expectCorners(quad, {{352, 208}, {352, 272}, {288, 208}, {288, 272}});
}

TEST(ImageQuad, APivotPlacesTheTopLeftCornerRelativeToTheAnchor) {
    ImagePlacement placement = image(64, 32);
    placement.pivot = D3DXVECTOR3{0, 0, 0};
    ImageVertex quad[4];
    buildImageQuad(placement, 640, 480, quad);
    expectCorners(quad, {{320, 240}, {384, 240}, {320, 272}, {384, 272}});
    // Turning about the top-left corner keeps it on the anchor.
    placement.degrees = 90;
    buildImageQuad(placement, 640, 480, quad);
    expectCorners(quad, {{320, 240}, {320, 304}, {288, 240}, {288, 304}});
    // A pivot of minus half the size is the same as none.
    placement.degrees = 0;
    placement.pivot = D3DXVECTOR3{-32, -16, 0};
    buildImageQuad(placement, 640, 480, quad);
    expectCorners(quad, {{288, 224}, {352, 224}, {288, 256}, {352, 256}});
}

TEST(ImageQuad, ColourComponentsAreTruncatedAndOredWithoutMasking) {
    EXPECT_EQ(packImageColour(255, 128.9f, 0, 128.5f), 0x80ff8000u);
    // 300 is 0x12c: its ninth bit spills into the next component up.
    EXPECT_EQ(packImageColour(0, 0, 300, 255), 0xff00012cu);
    EXPECT_EQ(packImageColour(300, 0, 0, 0), 0x012c0000u);
}

}  // namespace
