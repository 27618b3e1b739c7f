#include "scene/scene_registry.h"

Scene* SceneRegistry::findScene(std::string_view name) const {
    for (const auto& scene : scenes_)
        if (scene->name == name) return scene.get();
    return nullptr;
}

SceneRegistry& sceneRegistry() {
    static SceneRegistry registry;
    return registry;
}
