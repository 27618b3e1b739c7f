#include "y3d_commands.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <vector>

#include "obj_conversion.h"
#include "platform/files/regular_file.h"
#include "scene/scene_reader.h"
#include "scene_info.h"

namespace {

// The file's bytes; nothing, with one line naming the path and the
// problem, when it is not a readable regular file.
std::optional<std::vector<std::uint8_t>> readInput(const std::filesystem::path& path) {
    FileError error = FileError::none;
    auto bytes = readRegularFile(path.string(), UINT64_MAX, &error);
    if (!bytes)
        std::fprintf(stderr, "tessal-y3d: %s: %s\n", path.string().c_str(),
                     describeFileError(error));
    return bytes;
}

bool writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return bool(file.flush());
}

// The MTL libraries beside the OBJ file; one that cannot be read is
// reported, and its materials get default values.
std::vector<MtlMaterial> readLibraries(const ObjModel& model,
                                       const std::filesystem::path& objPath) {
    std::vector<MtlMaterial> materials;
    for (const std::string& library : model.materialLibraries) {
        const std::filesystem::path path = objPath.parent_path() / library;
        const auto bytes = readRegularFile(path.string());
        std::string error;
        if (!bytes)
            std::fprintf(stderr, "tessal-y3d: cannot read %s; its materials get defaults\n",
                         path.string().c_str());
        else if (!readMtl(*bytes, materials, error))
            std::fprintf(stderr, "tessal-y3d: %s: %s\n", path.string().c_str(), error.c_str());
    }
    return materials;
}

}  // namespace

int runInfo(const Y3dToolOptions& options) {
    const auto bytes = readInput(options.input);
    if (!bytes) return 1;
    SceneReadError error;
    std::unique_ptr<Scene> scene = readScene(bytes->data(), bytes->size(), &error);
    if (scene == nullptr) {
        std::fprintf(stderr, "%s\n", describeSceneReadError(error, options.input).c_str());
        return 1;
    }
    const SceneInfoRequest request{options.input, options.at};
    readyForInfo(*scene, request);
    const std::string report =
        options.json ? sceneInfoJson(*scene, request) : sceneInfoText(*scene, request);
    std::fputs(report.c_str(), stdout);
    return 0;
}

int runConvert(const Y3dToolOptions& options) {
    const auto bytes = readInput(options.input);
    if (!bytes) return 1;
    std::fprintf(stderr, "reading %s\n", options.input.c_str());
    ObjModel model;
    std::string error;
    const std::string name = std::filesystem::path(options.input).stem().string();
    if (!readObj(*bytes, name, model, error)) {
        std::fprintf(stderr, "tessal-y3d: %s: %s\n", options.input.c_str(), error.c_str());
        return 1;
    }
    const std::vector<MtlMaterial> materials = readLibraries(model, options.input);
    const ObjConversionResult result =
        convertObj(model, materials, {options.scale, options.addCamera});
    if (!writeFile(options.output, result.bytes)) {
        std::fprintf(stderr, "tessal-y3d: cannot write %s\n", options.output.c_str());
        return 1;
    }
    std::fprintf(stderr, "wrote %s: %zu meshes, %zu vertices, %zu triangles, %zu materials\n",
                 options.output.c_str(), result.meshes, result.vertices, result.triangles,
                 model.materialNames.size());
    return 0;
}
