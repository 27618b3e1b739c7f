// Fuzzes `tessal-y3d convert` on glTF text: whatever assimp accepts is
// converted, and every converted scene must pass our own reader.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "assimp_reading.h"
#include "scene/scene_reader.h"
#include "scene_conversion.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Assimp::Importer importer;
    std::string error;
    const aiScene* scene = readWithAssimp(importer, {data, size}, "gltf", error);
    if (scene == nullptr) return 0;
    const ConversionResult result = convertScene(*scene, {}, "fuzz");
    if (!result.error.empty()) return 0;
    if (readScene(result.bytes.data(), result.bytes.size()) == nullptr) std::abort();
    return 0;
}
