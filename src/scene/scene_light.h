// A light node: point, spot or directional, aimed at its target or along
// its own −y axis.
#pragma once

#include <cstdint>

#include "platform/d3d8/d3d8.h"
#include "scene/scene_color.h"
#include "scene/scene_node.h"

class SceneLight : public SceneNode {
  public:
    // Sets and enables this light at the scene's next light index and
    // counts it. A light the device refuses (a kind it has no type for) is
    // skipped without taking an index. False when the device cannot enable
    // one more light.
    virtual bool apply(Scene& scene, IDirect3DDevice8& device);
    // The light as the device takes it.
    D3DLIGHT8 deviceLight() const;

    std::uint32_t kind = 0;  // 0 point, 1 spot, 2 directional; other values: no valid type
    SceneColor diffuse, ambient, specular;
    float constantAttenuation = 0;
    float linearAttenuation = 0;
    float quadraticAttenuation = 0;
    float range = 10000;
    float outerConeAngle = 0;  // degrees
    float innerConeAngle = 0;  // degrees
    float directionLength = 0;
};
