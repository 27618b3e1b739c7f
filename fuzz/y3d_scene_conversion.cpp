// Fuzzes the converter on scenes built straight from the bytes (no
// importer), shaped as assimp hands them over after its validation step:
// every scene converted without an error must pass our own reader, and the
// images it names must stay inside the folder they are copied to.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "scene/scene_reader.h"
#include "scene_conversion.h"
#include "scene_fuzzing/fuzzed_scene.h"

namespace {

ConversionOptions fuzzedOptions(ByteSource& in) {
    static const float kScales[] = {1, 0.01f, 100, -1, 2.5f, 1e-6f, 1e6f, 3e38f};
    static const char* const kFolders[] = {"", "models", "/data/models"};
    ConversionOptions options;
    options.scale = kScales[in.below(8)];
    options.framesPerSecond = in.oneIn(8) ? 23.976f : float(1 + in.below(120));
    options.addCamera = !in.oneIn(2);
    options.inputFolder = kFolders[in.below(3)];
    return options;
}

// A name copyTextures may write under its folder.
bool staysInside(const std::string& sceneName) {
    const std::filesystem::path path(sceneName);
    if (sceneName.empty() || path.is_absolute()) return false;
    for (const auto& part : path)
        if (part == "..") return false;
    return true;
}

[[noreturn]] void fail(const std::string& problem) {
    std::fprintf(stderr, "converted scene: %s\n", problem.c_str());
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ByteSource in(data, size);
    const ConversionOptions options = fuzzedOptions(in);
    const std::unique_ptr<aiScene> scene = fuzzedScene(in);
    const ConversionResult result = convertScene(*scene, options, "fuzz");
    if (!result.error.empty()) return 0;
    SceneReadError error;
    if (readScene(result.bytes.data(), result.bytes.size(), &error) == nullptr)
        fail("refused by the reader: " + error.problem);
    for (const ReferencedTexture& texture : result.textures)
        if (!staysInside(texture.sceneName)) fail("texture named " + texture.sceneName);
    return 0;
}
