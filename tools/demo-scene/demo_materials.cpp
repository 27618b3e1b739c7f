#include "demo_materials.h"

#include <string>

#include "scene/y3d_chunk_writers.h"

namespace {

// Material flags: bit 0 adds to what is behind, bit 2 draws both sides.
constexpr std::uint32_t kAdditive = 1;
constexpr std::uint32_t kTwoSided = 4;

struct MaterialMaps {
    std::string colour;      // layer 0
    std::string reflection;  // layer 2
};

// Lights' ambient colours are the only ambient light in scene drawing, so
// the ambient colours below are kept near the diffuse ones; emissive
// colours give the glowing parts their own light.
Y3dMaterial describe(DemoMaterial which, MaterialMaps& maps) {
    switch (which) {
        case kFloor:
            maps.colour = "backdrop.jpg";
            return {"Floor",
                    {0.8f, 0.8f, 0.85f},
                    {0.7f, 0.7f, 0.75f},
                    {0.35f, 0.35f, 0.4f},
                    {0, 0, 0},
                    0.25f,
                    0,
                    0};
        case kTrim:
            return {"Trim",
                    {0.22f, 0.24f, 0.3f},
                    {0.2f, 0.22f, 0.28f},
                    {0.9f, 0.9f, 1.0f},
                    {0.02f, 0.02f, 0.04f},
                    0.6f,
                    0,
                    0};
        case kChrome:
            maps.reflection = "sky.jpg";
            return {
                "Chrome", {0.3f, 0.32f, 0.38f}, {0.2f, 0.2f, 0.25f}, {1, 1, 1}, {0, 0, 0}, 0.8f, 0,
                0};
        case kWater:
            maps.reflection = "sky.jpg";
            return {"Water",
                    {0.05f, 0.18f, 0.3f},
                    {0.05f, 0.15f, 0.25f},
                    {0.9f, 0.95f, 1.0f},
                    {0.0f, 0.03f, 0.06f},
                    0.7f,
                    0,
                    0};
        case kStriped:
            maps.colour = "stripes.bmp";
            return {"Striped",
                    {1, 1, 1},
                    {0.8f, 0.8f, 0.8f},
                    {0.7f, 0.7f, 0.7f},
                    {0.05f, 0.05f, 0.05f},
                    0.5f,
                    0,
                    0};
        case kBeacon:
            maps.colour = "star.tga";
            return {"Beacon",
                    {1, 1, 1},
                    {0.5f, 0.5f, 0.5f},
                    {0.5f, 0.5f, 0.5f},
                    {0.5f, 0.45f, 0.35f},
                    0.3f,
                    0,
                    0};
        case kStone:
            return {"Stone",
                    {0.78f, 0.7f, 0.62f},
                    {0.6f, 0.55f, 0.5f},
                    {0.25f, 0.22f, 0.2f},
                    {0, 0, 0},
                    0.15f,
                    0,
                    0};
        case kGlass:
            // Scene drawing takes alpha from the colour map, so glass.png's own
            // alpha sets how much shows through; the transparency puts the
            // panels in the second pass with blending on.
            maps.colour = "glass.png";
            return {"Glass",
                    {0.6f, 0.85f, 1.0f},
                    {0.4f, 0.55f, 0.7f},
                    {1, 1, 1},
                    {0.05f, 0.1f, 0.15f},
                    0.9f,
                    0.5f,
                    kTwoSided};
        case kHaloGlow:
            return {"HaloGlow",
                    {0.5f, 0.25f, 0.05f},
                    {0, 0, 0},
                    {0.4f, 0.3f, 0.2f},
                    {0.75f, 0.35f, 0.08f},
                    0.4f,
                    0,
                    kAdditive};
        case kSparkGlow:
            return {"SparkGlow", {0.3f, 0.1f, 0.3f}, {0, 0, 0}, {0, 0, 0}, {0.85f, 0.4f, 1.0f}, 0,
                    0,           kAdditive};
        case kMaterialCount:
            break;
    }
    return {};
}

}  // namespace

void writeDemoMaterials(Y3dWriter& out) {
    for (std::uint16_t i = 0; i < kMaterialCount; ++i) {
        MaterialMaps maps;
        beginMaterial(out, describe(DemoMaterial(i), maps));
        if (!maps.colour.empty()) writeMaterialMap(out, 0, maps.colour);
        if (!maps.reflection.empty()) writeMaterialMap(out, 2, maps.reflection);
        out.end();
    }
}
