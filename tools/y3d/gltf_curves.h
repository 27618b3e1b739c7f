// The animation curves of a glTF file that assimp cannot play as they are
// meant: samplers with STEP or CUBICSPLINE interpolation. Assimp keeps only
// their key values and plays them linearly; these curves let the converter
// bake them instead.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "gltf_document.h"

enum class CurvePath { Translation, Rotation, Scale, Weights };
enum class CurveShape { Step, CubicSpline };

struct GltfCurve {
    std::string nodeName;  // as assimp names the node
    CurvePath path = CurvePath::Translation;
    CurveShape shape = CurveShape::Step;
    std::vector<float> times;  // seconds, ascending
    // `width` floats a key (one a morph target for weights); a cubic
    // spline key holds three elements: the in-tangent, the value and the
    // out-tangent.
    std::vector<float> values;
    int width = 3;

    // The curve's value at `seconds`, held at its first and last keys.
    // Rotations come out normalised.
    std::vector<float> valueAt(double seconds) const;
};

struct GltfCurves {
    std::vector<GltfCurve> curves;
    std::vector<std::string> warnings;  // curves that could not be read
};

// The stepped and cubic curves of the file's first animation (the one the
// converter plays), read from the file's bytes.
GltfCurves readSteppedAndCubicCurves(std::span<const std::uint8_t> bytes,
                                     const GltfFileLoader& load);
