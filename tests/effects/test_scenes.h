// Small scenes built in code for the scene layer tests: a camera looking
// at the origin from −z, square meshes facing it, materials and lights,
// registered in the process-wide scene registry under a name of the test's
// own (the registry is never emptied).
#pragma once

#include <string>

#include "scene/scene.h"

class TestScene {
  public:
    // Camera "eye" at (0, 0, −10) looking at the dummy "centre" at the
    // origin, horizontal field of view π/2; 100 frames of 160 ticks.
    explicit TestScene(const std::string& name);

    // A square of side `size` in the plane z = `z`, centred on (x, y),
    // facing the camera, with one face group of the material (−1: none).
    SceneMesh& addSquare(float x, float y, float z, int material, float size = 2);
    SceneMaterial& addMaterial(float transparency = 0, std::uint32_t flags = 0);
    SceneLight& addLight(std::uint32_t kind);
    // An instance of mesh `source` placed at (x, y, z).
    SceneMesh& addInstance(std::uint32_t source, float x, float y, float z);
    // Buffers on the current device and sorted tracks; then registers the
    // scene and updates it at time 0.
    Scene& finish();

    Scene* scene;
    SceneCamera* camera;

  private:
    void place(SceneNode& node, float x, float y, float z);
};
