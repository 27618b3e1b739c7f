// Scene preparation's textures from the process-wide texture store.
#pragma once

#include "media/texture_store.h"
#include "scene/scene_texture_source.h"

class TextureStoreSource : public SceneTextureSource {
  public:
    explicit TextureStoreSource(TextureStore& store) : store_(store) {}

    int loadTexture(const std::string& name) override { return store_.loadTexture(name); }
    int loadAlphaTexture(const std::string& name, const std::string& alphaName) override {
        return store_.loadAlphaTexture(name, alphaName);
    }

  private:
    TextureStore& store_;
};
