// One loaded y3d file in memory: materials, nodes under a root, and the
// kind lists (meshes, lights, cameras, dummies) that view the nodes.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "scene/scene_camera.h"
#include "scene/scene_dummy.h"
#include "scene/scene_light.h"
#include "scene/scene_material.h"
#include "scene/scene_mesh.h"
#include "scene/scene_node.h"
#include "scene/scene_texture_source.h"

class Scene {
  public:
    // The root gets its one scale key: (1, 1, 1) at time 0.
    Scene();
    virtual ~Scene() = default;
    Scene(const Scene&) = delete;
    Scene& operator=(const Scene&) = delete;

    // New objects on behalf of the reader: appended to the nodes (not for
    // materials) and to their kind's list.
    SceneMaterial& createMaterial();
    SceneMesh& createMesh();
    SceneLight& createLight();
    SceneCamera& createCamera();
    SceneDummy& createDummy();

    // The first node in file order whose name is exactly `name`; null if none.
    SceneNode* findNode(std::string_view name) const;

    // Once, right after reading: buffers, sorted tracks, material textures.
    void prepare(SceneTextureSource& textures);
    // The three steps of prepare, for tools that need only some of them.
    void createMeshBuffers();
    void prepareTracks();
    void bindMaterialTextures(SceneTextureSource& textures);

    // Every node under the root at scene time t.
    void update(float time);

    std::int32_t timingFirst = 0;  // stored from the file, not used
    std::int32_t length = 0;       // frames
    std::int32_t ticksPerFrame = 0;
    std::string name;
    std::vector<std::unique_ptr<SceneMaterial>> materials;
    std::vector<std::unique_ptr<SceneNode>> nodes;  // file order; the root is not among them
    std::vector<SceneMesh*> meshes;
    std::vector<SceneLight*> lights;
    std::vector<SceneCamera*> cameras;
    std::vector<SceneDummy*> dummies;
    SceneNode root;
    std::uint32_t lightCount = 0;  // lights the latest draw enabled
    bool lightLimitReported = false;
    // Scratch of the update walk, kept so that updates do not allocate.
    std::vector<SceneNode*> updateStack;

  private:
    template <class Kind>
    Kind& createNode(std::vector<Kind*>& kindList);
};
