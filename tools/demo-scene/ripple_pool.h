// The pool in the middle of the stage: a round water surface whose rings
// of ripples run outwards, stored as a morphing (packed) mesh with one
// frame per step of the loop.
#pragma once

#include <cstdint>

#include "scene/y3d_records.h"

struct RippleShape {
    float radius = 5;
    float waveLength = 2.5f;
    float height = 0.12f;  // of a crest above the still surface
    unsigned wavesPerLoop = 2;
    unsigned frames = 24;  // steps over the loop; one more frame closes it
    unsigned rings = 10;
    unsigned segments = 36;
};

// Every face uses `material`; there are no texture coordinates, so the
// player shares each vertex between all its faces and smooths the normals.
Y3dPackedMesh ripplePool(std::uint16_t material, const RippleShape& shape);
