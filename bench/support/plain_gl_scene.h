// The reference of the scene benchmark's GL case: a plain OpenGL 3.3
// program drawing the same indexed meshes with the same per-vertex lighting
// (Direct3D's equations for the lights the scene has: point, spot,
// directional; material diffuse and specular) and the same linear fog,
// one draw per mesh, into a 640 × 480 framebuffer of its own.
#pragma once

#include <memory>
#include <vector>

#include "scene/scene.h"

class PlainGlScene {
  public:
    // Null when no GL 3.3 context can be had.
    static std::unique_ptr<PlainGlScene> create(const Scene& scene);
    ~PlainGlScene();

    // Draws the scene as it stands after its latest update, through the
    // camera's latest view and projection, and waits until it is drawn.
    void drawFrame(const Scene& scene, const SceneCamera& camera);

    struct Parts;

  private:
    explicit PlainGlScene(std::unique_ptr<Parts> parts);
    std::unique_ptr<Parts> parts_;
};
