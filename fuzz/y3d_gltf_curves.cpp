// Fuzzes the glTF reading that finds stepped and cubic animation curves
// (JSON, .glb containers, data URIs, accessors), then plays each curve.
#include <cstddef>
#include <cstdint>

#include "gltf_curves.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    // An external buffer reads as the input itself.
    const GltfCurves found = readSteppedAndCubicCurves(
        bytes, [&](const std::string&) { return std::vector<std::uint8_t>(data, data + size); });
    for (const GltfCurve& curve : found.curves) {
        const double first = curve.times.front(), last = curve.times.back();
        for (const double t : {first - 1, first, (first + last) / 2, last, last + 1})
            if (curve.valueAt(t).size() != std::size_t(curve.width)) __builtin_trap();
    }
    return 0;
}
