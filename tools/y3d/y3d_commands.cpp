#include "y3d_commands.h"

#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

#include "contained_run.h"
#include "conversion_report.h"
#include "input_supplements.h"
#include "output_files.h"
#include "platform/files/regular_file.h"
#include "scene/scene_reader.h"
#include "scene_conversion.h"
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

// Input folder, for textures; "" for the working folder.
std::string folderOf(const std::string& path) {
    return std::filesystem::path(path).parent_path().string();
}

void printWarnings(const std::string& input, const std::vector<std::string>& warnings) {
    for (const std::string& warning : warnings)
        std::fprintf(stderr, "tessal-y3d: %s: warning: %s\n", input.c_str(), warning.c_str());
}

// Writes the scene and, when asked, its textures; false after a message.
bool writeOutputs(const Y3dToolOptions& options, ConversionResult& result) {
    std::string error;
    if (!writeAtomically(options.output, result.bytes, error)) {
        std::fprintf(stderr, "tessal-y3d: %s: cannot write: %s\n", options.output.c_str(),
                     error.c_str());
        return false;
    }
    if (!options.copyTexturesTo.empty())
        copyTextures(result.textures, folderOf(options.input), options.copyTexturesTo,
                     result.warnings);
    return true;
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

namespace {

int convertInThisProcess(const Y3dToolOptions& options) {
    std::string error;
    std::vector<std::string> supplementWarnings;
    const std::unique_ptr<aiScene> scene =
        readInputScene(options.input, options.framesPerSecond, supplementWarnings, error);
    if (scene == nullptr) {
        std::fprintf(stderr, "tessal-y3d: %s: cannot be read: %s\n", options.input.c_str(),
                     error.c_str());
        return 1;
    }
    const ConversionOptions conversion{options.scale, options.framesPerSecond, options.addCamera,
                                       folderOf(options.input)};
    const std::string stem = std::filesystem::path(options.output).stem().string();
    ConversionResult result = convertScene(*scene, conversion, stem);
    result.warnings.insert(result.warnings.begin(), supplementWarnings.begin(),
                           supplementWarnings.end());
    if (!result.error.empty()) {
        std::fprintf(stderr, "tessal-y3d: %s: %s\n", options.input.c_str(), result.error.c_str());
        return 1;
    }
    if (!options.dryRun && !writeOutputs(options, result)) return 1;
    printWarnings(options.input, result.warnings);
    std::printf("%s %s\n%s", options.dryRun ? "would write" : "wrote", options.output.c_str(),
                describeConversion(result.summary, result.textures.size()).c_str());
    return 0;
}

// The conversion in a child process: assimp's importers can crash on a
// damaged file, and a crash there must end as one message, not as the
// tool's own crash; some damaged files send an importer round a loop for
// ever. Nothing is written before the input has been read.
constexpr unsigned importerSeconds = 120;

int convertInChild(const Y3dToolOptions& options) {
    const ContainedEnd end =
        runContained([&options] { return convertInThisProcess(options); }, importerSeconds);
    if (end.how == ContainedEnd::How::Exited) return end.code;
    if (end.how == ContainedEnd::How::OutOfTime) {
        std::fprintf(stderr,
                     "tessal-y3d: %s: the importer did not finish reading it in %d s of "
                     "processor time; nothing written\n",
                     options.input.c_str(), int(importerSeconds));
        return 1;
    }
    std::fprintf(stderr,
                 "tessal-y3d: %s: the importer crashed reading it (signal %d); nothing written\n",
                 options.input.c_str(), end.code);
    return 1;
}

}  // namespace

int runConvert(const Y3dToolOptions& options) {
    FileError fileError = FileError::none;
    std::FILE* file = openRegularFile(options.input, &fileError);
    if (file == nullptr) {  // a missing file or a folder, named plainly
        std::fprintf(stderr, "tessal-y3d: %s: %s\n", options.input.c_str(),
                     describeFileError(fileError));
        return 1;
    }
    std::fclose(file);
    return convertInChild(options);
}
