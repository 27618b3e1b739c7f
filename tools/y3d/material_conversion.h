// The input's materials as y3d materials, with the texture files they
// name. Texture names are kept relative to the input's folder; an embedded
// image gets a file name of its own ("<output stem>-<n>.<format>").
#pragma once

#include <assimp/scene.h>

#include <string>
#include <vector>

#include "scene/y3d_records.h"

struct ConvertedMaterial {
    Y3dMaterial material;
    std::string maps[3];  // colour, opacity, reflection; empty when absent
};

// One image a converted scene refers to.
struct ReferencedTexture {
    std::string sceneName;                // as the y3d file names it
    const aiTexture* embedded = nullptr;  // or a file beside the input
};

struct MaterialConversion {
    std::vector<ConvertedMaterial> materials;
    std::vector<ReferencedTexture> textures;  // each once
    std::string error;                        // a texture path that leaves the folder
};

MaterialConversion convertMaterials(const aiScene& scene, const std::string& inputFolder,
                                    const std::string& embeddedStem);

// A texture path as the scene names it: relative, '/'-separated, inside
// the input's folder; empty when it points outside.
std::string textureNameInside(const std::string& path, const std::string& inputFolder);
