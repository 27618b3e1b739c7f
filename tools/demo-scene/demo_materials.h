// The sample scene's materials, written in this order, so that each
// enumerator is the material's index in the file.
#pragma once

#include <cstdint>

#include "scene/y3d_writer.h"

enum DemoMaterial : std::uint16_t {
    kFloor,      // the stage's top: the backdrop picture, lit
    kTrim,       // the stage's walls: dark satin metal
    kChrome,     // the knot: dark base with the sky reflected
    kWater,      // the pool: deep blue with the sky reflected
    kStriped,    // the moons: the rainbow stripes
    kBeacon,     // the little cube: the star picture, self-lit
    kStone,      // the columns: warm pale stone, untextured
    kGlass,      // the panels: frosted glass, half transparent, both sides
    kHaloGlow,   // the ring round the knot: orange light, added
    kSparkGlow,  // the spark that carries the moving light: violet, added
    kMaterialCount
};

void writeDemoMaterials(Y3dWriter& out);
