// Which input nodes become y3d nodes, as what kind, under which name and
// id. A node is kept when it holds a mesh, a camera or a supported light,
// has such a node below it, or is animated; a kept node holding nothing
// becomes a dummy. Names are made unique in order of appearance ("name",
// "name#2", ...). An unanimated root with an identity matrix and nothing of
// its own is left out: its children go straight under the scene root.
#pragma once

#include <assimp/scene.h>

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "pose_sampler.h"

enum class PlannedKind { Mesh, Camera, Light, Dummy };

struct PlannedNode {
    const aiNode* node = nullptr;
    PlannedKind kind = PlannedKind::Dummy;
    std::string name;
    std::int32_t id = 0;
    std::int32_t parentId = -1;
    const aiCamera* camera = nullptr;
    const aiLight* light = nullptr;
};

// Hands out names no other node of the scene has.
class UniqueNames {
  public:
    std::string claim(const std::string& wanted);

  private:
    std::set<std::string> taken_;
};

struct NodePlan {
    std::vector<PlannedNode> nodes;  // parents before their children
    std::size_t unsupportedLights = 0;
    std::size_t orthographicCameras = 0;
};

bool isSupportedLight(const aiLight& light);
bool holdsTriangles(const aiMesh& mesh);
// The node's meshes that hold triangles (points and lines are left out).
std::vector<unsigned> triangleMeshesOf(const aiScene& scene, const aiNode& node);
NodePlan planNodes(const aiScene& scene, const PoseSampler& poses, UniqueNames& names,
                   std::int32_t& nextId);
