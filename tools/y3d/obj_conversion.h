// Turning an OBJ model into a y3d scene. OBJ is right-handed with
// counter-clockwise front faces and texture v upwards; y3d scenes are drawn
// left-handed with clockwise front faces and v downwards. So z is mirrored,
// every triangle's corner order is reversed, v becomes 1 − v, and each
// triangle is stored with its first two corners swapped, as the format wants.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "obj_model.h"

struct ObjConversionOptions {
    float scale = 1;
    // Adds a dummy "Target" at the model's centre, a camera "Camera" aimed
    // at it from the front and a point light "Light", so the scene can be
    // shown at once.
    bool addCamera = true;
};

struct ObjConversionResult {
    std::vector<std::uint8_t> bytes;
    std::size_t meshes = 0;
    std::size_t vertices = 0;
    std::size_t triangles = 0;
};

// Materials are the model's usemtl names in order, described by the MTL
// material of the same name when there is one. An object with more than
// 65535 distinct vertices becomes several meshes ("name", "name#2", ...).
ObjConversionResult convertObj(const ObjModel& model, const std::vector<MtlMaterial>& materials,
                               const ObjConversionOptions& options);
