#include "platform/d3d8/gl/fog_shader.h"

namespace {

// uFogParams: FOGEND, 1 / (FOGEND − FOGSTART), FOGDENSITY, 1 when table
// fog reads w.
std::string factorFunction(std::uint8_t formula) {
    std::string body;
    switch (formula) {
        case D3DFOG_EXP:
            body = "exp(-distance * uFogParams.z)";
            break;
        case D3DFOG_EXP2:
            body = "exp(-(distance * uFogParams.z) * (distance * uFogParams.z))";
            break;
        default:  // D3DFOG_LINEAR
            body = "(uFogParams.x - distance) * uFogParams.y";
            break;
    }
    return "float fogFactor(float distance) {\n    return clamp(" + body + ", 0.0, 1.0);\n}\n";
}

// Table fog of a perspective projection reads the eye distance w (1 / the
// fragment's 1/w); of an affine one, the depth z (0..1).
const char* const TABLE_DISTANCE = "uFogParams.w != 0.0 ? 1.0 / gl_FragCoord.w : gl_FragCoord.z";

}  // namespace

std::string vertexFogDeclarations(const FixedFunctionKey& key) {
    if (key.fog != FogKind::Vertex) return "";
    return "uniform vec4 uFogParams;\nout float vFog;\n" + factorFunction(key.fogFormula);
}

std::string fragmentFogDeclarations(const FixedFunctionKey& key) {
    switch (key.fog) {
        case FogKind::None:
            return "";
        case FogKind::Table:
            return "uniform vec4 uFogColour;\nuniform vec4 uFogParams;\n" +
                   factorFunction(key.fogFormula);
        case FogKind::Vertex:
            return "uniform vec4 uFogColour;\nin float vFog;\n";
        default:
            return "uniform vec4 uFogColour;\n";
    }
}

// Range fog measures the distance to the eye, otherwise the camera-space depth.
std::string vertexFogCode(const FixedFunctionKey& key) {
    if (key.fog != FogKind::Vertex) return "";
    const char* distance = key.rangeFog ? "length(eyePosition)" : "abs(eyePosition.z)";
    return std::string("    vFog = fogFactor(") + distance + ");\n";
}

std::string fragmentFogCode(const FixedFunctionKey& key) {
    std::string factor;
    switch (key.fog) {
        case FogKind::None:
            return "";
        case FogKind::Table:
            factor = std::string("fogFactor(") + TABLE_DISTANCE + ")";
            break;
        case FogKind::Vertex:
            factor = "vFog";
            break;
        default:
            factor = "clamp(vSpecular.a, 0.0, 1.0)";
            break;
    }
    return "    current.rgb = mix(uFogColour.rgb, current.rgb, " + factor + ");\n";
}
