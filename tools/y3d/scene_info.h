// What `tessal-y3d info` reports about a scene, as text or as one JSON
// object: timing, materials with their maps, nodes with kinds, ids, parents,
// targets and key counts, meshes with vertices, face groups, frames and
// bounds; with a scene time, world positions, camera roll and field of view,
// and the vertex positions of morphing meshes.
#pragma once

#include <optional>
#include <string>

#include "scene/scene.h"

struct SceneInfoRequest {
    std::string fileName;
    std::optional<float> at;  // scene ticks
};

// Sorts the tracks, computes every mesh's bounds and, with a time, updates
// the scene to it. No device is needed.
void readyForInfo(Scene& scene, const SceneInfoRequest& request);

std::string sceneInfoText(const Scene& scene, const SceneInfoRequest& request);
std::string sceneInfoJson(const Scene& scene, const SceneInfoRequest& request);
