// Turning a scene assimp has read into y3d bytes: meshes, materials, the
// node hierarchy with its animation, cameras and lights, in the scene's
// left-handed space and time base.
#pragma once

#include <assimp/scene.h>

#include <cstdint>
#include <string>
#include <vector>

#include "conversion_options.h"
#include "material_conversion.h"

// What a conversion made, for the summary the tool prints.
struct ConversionSummary {
    std::size_t meshNodes = 0, cameras = 0, lights = 0, dummies = 0;
    std::size_t meshes = 0, morphMeshes = 0, vertices = 0, triangles = 0;
    std::size_t materials = 0;
    std::int32_t lengthFrames = 1;
    double framesPerSecond = 30;
};

struct ConversionResult {
    std::vector<std::uint8_t> bytes;
    ConversionSummary summary;
    std::vector<ReferencedTexture> textures;
    std::vector<std::string> warnings;  // what was left out
    std::string error;                  // set when nothing could be made
};

// `embeddedStem` names embedded images ("<stem>-<n>.<format>").
ConversionResult convertScene(const aiScene& scene, const ConversionOptions& options,
                              const std::string& embeddedStem);
