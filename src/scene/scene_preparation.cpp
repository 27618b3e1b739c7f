// Scene::prepare: what can be computed once is computed here, right after
// reading, so that frames only evaluate tracks and rebuild matrices.
#include "scene/scene.h"

void Scene::prepare(SceneTextureSource& textures) {
    createMeshBuffers();
    prepareTracks();
    bindMaterialTextures(textures);
}

// Instances only get their bounds and become ready.
void Scene::createMeshBuffers() {
    for (SceneMesh* mesh : meshes) mesh->createBuffers(*this);
}

// Rotation keys are stored relative to their predecessor; prepare makes them
// absolute. Camera field-of-view and roll tracks stay in file order, and the
// root's tracks as they are.
void Scene::prepareTracks() {
    for (const auto& node : nodes) {
        node->positionTrack.sortKeys();
        node->scaleTrack.sortKeys();
        node->rotationTrack.prepare();
    }
}

// With an opacity map, the colour map (or, without one, the opacity image
// itself) gets the opacity as alpha, in the colour layer's index. Layer 1
// never gets an index of its own; layer 3 is ignored.
void Scene::bindMaterialTextures(SceneTextureSource& textures) {
    for (const auto& material : materials) {
        auto& layers = material->layers;
        MaterialLayer& color = layers[SceneMaterial::kColorMap];
        const MaterialLayer& opacity = layers[SceneMaterial::kOpacityMap];
        if (opacity.present) {
            const std::string& colorName = color.present ? color.fileName : opacity.fileName;
            color.textureIndex = textures.loadAlphaTexture(colorName, opacity.fileName);
            material->hasAlphaTexture = true;
        } else if (color.present) {
            color.textureIndex = textures.loadTexture(color.fileName);
            material->hasAlphaTexture = false;
        }
        MaterialLayer& reflection = layers[SceneMaterial::kReflectionMap];
        if (reflection.present) reflection.textureIndex = textures.loadTexture(reflection.fileName);
    }
}
