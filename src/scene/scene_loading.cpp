#include "scene/scene_loading.h"

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <vector>

#include "app/problem_sink.h"
#include "media/data_access.h"
#include "media/observed_extract.h"
#include "platform/bass/file_bytes.h"
#include "scene/scene_reader.h"
#include "scene/texture_store_source.h"

namespace {

std::optional<std::vector<std::uint8_t>> sceneBytes(const std::string& name) {
    if (DataAccess::unpackedMode) {
        const std::string path = DataAccess::resolvePath(name);
        auto bytes = readFileBytes(path.c_str(), 0, 0);
        if (!bytes) {
            std::printf("Couldn't open scene %s, does file exist?\n", path.c_str());
            reportProblem(ProblemKind::sceneLoad, name, "cannot be opened");
        }
        return bytes;
    }
    std::uint8_t* buffer = nullptr;
    std::uint32_t size = 0;
    if (!extractObserved(name, buffer, size)) return std::nullopt;
    std::vector<std::uint8_t> bytes(buffer, buffer + size);
    std::free(buffer);
    return bytes;
}

// The bytes are only needed while reading; they go before preparation.
std::unique_ptr<Scene> readNamedScene(const std::string& name) {
    const std::optional<std::vector<std::uint8_t>> bytes = sceneBytes(name);
    if (!bytes) return nullptr;
    SceneReadError error;
    std::unique_ptr<Scene> scene = readScene(bytes->data(), bytes->size(), &error);
    if (scene == nullptr) {
        const std::string description = describeSceneReadError(error, name);
        std::printf("%s\n", description.c_str());
        reportProblem(ProblemKind::sceneLoad, name, description);
    }
    return scene;
}

}  // namespace

Scene* loadScene(const std::string& name, SceneRegistry& registry, SceneTextureSource& textures) {
    std::unique_ptr<Scene> scene = readNamedScene(name);
    if (scene == nullptr) return nullptr;
    scene->name = name;
    Scene* loaded = scene.get();
    registry.add(std::move(scene));
    loaded->prepare(textures);
    return loaded;
}

Scene* loadScene(const std::string& name) {
    TextureStoreSource textures(textureStore());
    return loadScene(name, sceneRegistry(), textures);
}
