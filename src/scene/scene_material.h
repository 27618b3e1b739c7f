// A surface description shared by face groups: colours, transparency,
// blending flags and up to three texture maps.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "platform/d3d8/d3d8.h"
#include "scene/scene_color.h"

// One texture map of a material, named in the file and bound to a texture
// of the texture store when the scene is prepared.
struct MaterialLayer {
    std::string fileName;
    bool present = false;
    int textureIndex = -1;  // -1: not bound, or the texture failed to load
};

class Scene;

class SceneMaterial {
  public:
    static constexpr std::uint32_t kAdditive = 1;      // flag bit 0
    static constexpr std::uint32_t kInverseColor = 2;  // flag bit 1
    static constexpr std::uint32_t kTwoSided = 4;      // flag bit 2
    static constexpr int kColorMap = 0;
    static constexpr int kOpacityMap = 1;
    static constexpr int kReflectionMap = 2;
    static constexpr int kLayerCount = 4;  // layer 3 is kept but never used

    virtual ~SceneMaterial() = default;

    // Material colours, blending, depth writes, alpha test and the two
    // texture stages (colour map, reflection map) for this material.
    virtual void apply(const Scene& scene, IDirect3DDevice8& device) const;

    // Drawn in the second pass: see-through, alpha-textured or flagged.
    bool isTransparent() const { return transparency > 0 || hasAlphaTexture || flags != 0; }

    std::string name;
    SceneColor diffuse, ambient, specular, emissive;  // alpha = 1 − transparency
    float transparency = 0;                           // 0 opaque .. 1 clear
    float shininess = 0;                              // Direct3D power = shininess × 100
    std::uint32_t flags = 0;
    bool hasAlphaTexture = false;
    std::array<MaterialLayer, kLayerCount> layers;
};

// What a face group without a material is drawn with: white diffuse and
// specular, no ambient or emissive, power 0.
const D3DMATERIAL8& defaultMaterial();
D3DCOLORVALUE deviceColour(const SceneColor& colour);
