#include "scene_info.h"

void readyForInfo(Scene& scene, const SceneInfoRequest& request) {
    scene.prepareTracks();
    for (SceneMesh* mesh : scene.meshes) mesh->computeBounds(scene);
    if (request.at) scene.update(*request.at);
}
