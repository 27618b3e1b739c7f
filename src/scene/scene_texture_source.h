// Where scene preparation gets material textures from: the texture store in
// the player, anything that hands out texture indices in tests and tools.
#pragma once

#include <string>

class SceneTextureSource {
  public:
    virtual ~SceneTextureSource() = default;
    // Texture index of the image, or -1 when it failed to load.
    virtual int loadTexture(const std::string& name) = 0;
    // The colour image with the alpha image's blue channel as its alpha.
    virtual int loadAlphaTexture(const std::string& name, const std::string& alphaName) = 0;
};
