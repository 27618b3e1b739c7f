// Every scene the script has loaded, in load order, kept for the whole
// process: reloading the script or changing the device leaves it alone.
#pragma once

#include <memory>
#include <string_view>
#include <vector>

#include "scene/scene.h"

class SceneRegistry {
  public:
    // No check for a scene of the same name is made.
    void add(std::unique_ptr<Scene> scene) { scenes_.push_back(std::move(scene)); }
    // The first scene registered under exactly this name; null if none.
    Scene* findScene(std::string_view name) const;
    std::size_t size() const { return scenes_.size(); }

  private:
    std::vector<std::unique_ptr<Scene>> scenes_;
};

// The process-wide registry.
SceneRegistry& sceneRegistry();
