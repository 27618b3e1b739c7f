// A Wavefront OBJ model as read: shared position, texture-coordinate and
// normal lists, and objects whose faces index them; and the materials of
// its MTL libraries.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "d3dx/d3dx_math_types.h"
#include "scene/y3d_records.h"

struct ObjCorner {
    std::size_t position = 0;  // 0-based
    long uv = -1;              // -1: none
    long normal = -1;          // -1: none
};

struct ObjFace {
    std::vector<ObjCorner> corners;  // three or more, counter-clockwise from the front
    long material = -1;              // index into ObjModel::materialNames, -1: none
};

struct ObjObject {
    std::string name;
    std::vector<ObjFace> faces;
};

struct ObjModel {
    std::vector<D3DXVECTOR3> positions;
    std::vector<D3DXVECTOR2> uvs;
    std::vector<D3DXVECTOR3> normals;
    std::vector<ObjObject> objects;  // only objects with faces
    std::vector<std::string> materialNames;
    std::vector<std::string> materialLibraries;
};

struct MtlMaterial {
    std::string name;
    Y3dColor diffuse{0.8f, 0.8f, 0.8f};
    Y3dColor ambient{0.2f, 0.2f, 0.2f};
    Y3dColor specular{0, 0, 0};
    Y3dColor emissive{0, 0, 0};
    float shininess = 0;     // y3d scale: Direct3D power / 100
    float transparency = 0;  // 0 opaque
    std::string colorMap, opacityMap, reflectionMap;
};

// OBJ text: v, vt, vn, f (1-based or negative indices; v, v/vt, v//vn,
// v/vt/vn), o and g (a new object), usemtl, mtllib. Other statements are
// ignored. False with "line N: problem" on a line that cannot be used.
bool readObj(std::span<const std::uint8_t> bytes, const std::string& defaultName, ObjModel& model,
             std::string& error);

// MTL text: newmtl, Kd, Ka, Ks, Ke, Ns, d, Tr, map_Kd, map_d, refl and
// map_refl. Materials are appended to `materials`.
bool readMtl(std::span<const std::uint8_t> bytes, std::vector<MtlMaterial>& materials,
             std::string& error);
