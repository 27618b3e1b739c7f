// The fields of each y3d chunk as the writer takes them. Triangles and
// texture faces are given as the file stores them, first two corners
// swapped relative to how they are drawn.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "d3dx/d3dx_math_types.h"

struct Y3dColor {
    float r = 0, g = 0, b = 0;
};

struct Y3dMaterial {
    std::string name;
    Y3dColor diffuse, ambient, specular, emissive;
    float shininess = 0;
    float transparency = 0;
    std::uint32_t flags = 0;
};

struct Y3dLight {
    std::uint16_t kind = 0;  // 0 point, 1 spot, 2 directional
    Y3dColor diffuse, ambient, specular;
    std::uint16_t attenuationMode = 0;
    float attenuationDistance = 0;
    float innerConeAngle = 0;
    float outerConeAngle = 0;
    float directionLength = 0;
};

struct Y3dCamera {
    std::uint16_t kind = 0;
    float fieldOfView = 0;  // radians, horizontal
    float targetDistance = 0;
};

struct Y3dNodeHeader {
    std::string name;
    std::int32_t id = 0;
    std::int32_t parentId = -1;
    std::int32_t targetId = -1;
    // Rows 0 to 3, three columns each: x axis, y axis, z axis, translation.
    std::array<float, 12> matrix{1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0};
};

using Y3dTriangle = std::array<std::uint16_t, 3>;

struct Y3dScalarKey {
    std::int32_t time;
    float value;
};
struct Y3dVectorKey {
    std::int32_t time;
    D3DXVECTOR3 value;
};
struct Y3dRotationKey {
    std::int32_t time;
    D3DXQUATERNION value;  // relative to the key before it
};

struct Y3dMorphFrame {
    std::int32_t time = 0;
    std::vector<D3DXVECTOR3> positions;
};

// Written as given: the vertex count field and each frame's positions are
// not made to agree.
struct Y3dPackedMesh {
    std::uint32_t vertexCount = 0;
    std::vector<Y3dMorphFrame> frames;
    std::vector<Y3dTriangle> faces;
    std::vector<std::uint16_t> faceMaterials;
    std::vector<std::uint16_t> smoothingGroups;
    std::vector<D3DXVECTOR2> textureCoordinates;
    std::vector<Y3dTriangle> textureFaces;  // written only with texture coordinates
};
