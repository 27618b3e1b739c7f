#include "platform/d3d8/gl/texture_coordinate_shader.h"

namespace {

std::string number(unsigned value) {
    return std::to_string(value);
}

std::string varying(unsigned stage) {
    return "vStageCoord" + number(stage);
}

bool transformed(const FixedFunctionKey& key, const FixedFunctionStage& stage) {
    return stage.transformCount != 0 && !key.pretransformed;
}

// A coordinate set extended to four elements as Direct3D does before a
// texture matrix: a 1 after the last element given, zeros beyond, so that
// the row after a set's last element carries the translation: (u, 1, 0, 0),
// (u, v, 1, 0), (u, v, w, 1).
std::string paddedSet(const FixedFunctionStage& stage) {
    const std::string set = "aTexCoord" + number(stage.texCoordSet);
    switch (stage.inputFloats) {
        case 1:
            return "vec4(" + set + ".x, 1.0, 0.0, 0.0)";
        case 2:
            return "vec4(" + set + ".xy, 1.0, 0.0)";
        case 3:
            return "vec4(" + set + ".xyz, 1.0)";
        default:
            return set;
    }
}

// Generated coordinates are three-dimensional, with 1 as fourth element.
// The reflection vector is 2 (E · N) N − E for E towards the eye.
std::string inputCoordinates(const FixedFunctionStage& stage) {
    switch (stage.texGen) {
        case TexGen::CameraNormal:
            return "vec4(eyeNormal, 1.0)";
        case TexGen::CameraPosition:
            return "vec4(eyePosition, 1.0)";
        case TexGen::CameraReflection:
            return "vec4(2.0 * dot(toEye, eyeNormal) * eyeNormal - toEye, 1.0)";
        default:
            if (stage.texCoordSet == NO_TEXCOORD_SET) return "vec4(0.0, 0.0, 0.0, 1.0)";
            return paddedSet(stage);
    }
}

const char* const ELEMENTS = "xyzw";

}  // namespace

std::string stageCoordinateDeclarations(const FixedFunctionKey& key, const char* direction) {
    std::string text;
    const bool vertex = std::string(direction) == "out";
    for (unsigned index = 0; index < key.stageCount; ++index) {
        const FixedFunctionStage& stage = key.stages[index];
        if (!stage.textured) continue;
        text += std::string(direction) + " vec4 " + varying(index) + ";\n";
        if (vertex && transformed(key, stage))
            text += "uniform mat4 uTextureMatrix" + number(index) + ";\n";
    }
    return text;
}

// The texture matrix is Direct3D's: row vector × matrix, which is the GLSL
// product matrix * vector of the matrix as sent.
std::string vertexStageCoordinateCode(const FixedFunctionKey& key) {
    std::string code;
    for (unsigned index = 0; index < key.stageCount; ++index) {
        const FixedFunctionStage& stage = key.stages[index];
        if (!stage.textured) continue;
        std::string value = inputCoordinates(stage);
        if (transformed(key, stage)) value = "uTextureMatrix" + number(index) + " * " + value;
        code += "    " + varying(index) + " = " + value + ";\n";
    }
    return code;
}

// With a count, only that many elements reach the rasterizer (a single one
// samples at v = 0); projected ones are divided by the last of them.
std::string sampleCoordinates(const FixedFunctionStage& stage, unsigned index) {
    const std::string v = varying(index);
    const unsigned count = stage.transformCount;
    if (count == 1) return "vec2(" + v + ".x, 0.0)";
    if (!stage.projected) return v + ".xy";
    const std::string last = v + "." + ELEMENTS[count - 1];
    if (count == 2) return "vec2(" + v + ".x / " + last + ", 0.0)";
    return v + ".xy / " + last;
}
