// A light node: point, spot or directional, aimed at its target or along
// its own −y axis.
#pragma once

#include <cstdint>

#include "scene/scene_color.h"
#include "scene/scene_node.h"

class SceneLight : public SceneNode {
  public:
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
