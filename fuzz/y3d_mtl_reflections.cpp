// Fuzzes the OBJ "mtllib" and MTL "refl" line reading.
#include <cstddef>
#include <cstdint>

#include "mtl_reflection_maps.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    materialLibraries(bytes);
    reflectionMaps(bytes);
    return 0;
}
