#include "platform/d3d8/gl/fixed_function_shader.h"

#include "platform/d3d8/gl/fog_shader.h"
#include "platform/d3d8/gl/lighting_shader.h"
#include "platform/d3d8/gl/texture_coordinate_shader.h"

namespace {

std::string number(unsigned value) {
    return std::to_string(value);
}

// ---- vertex stage ----

std::string vertexInputs(const FixedFunctionKey& key) {
    std::string text = "layout(location = 0) in vec4 aPosition;\n";
    if (key.hasDiffuse) text += "layout(location = 1) in vec4 aDiffuse;\n";
    if (key.hasSpecular) text += "layout(location = 2) in vec4 aSpecular;\n";
    if (key.hasNormal) text += "layout(location = 3) in vec3 aNormal;\n";
    for (unsigned set = 0; set < key.texCoordCount; ++set)
        text += "layout(location = " + number(ATTRIBUTE_TEXCOORD0 + set) + ") in vec4 aTexCoord" +
                number(set) + ";\n";
    return text;
}

// Flat shading takes the colours of each triangle's first vertex.
std::string colourVaryings(const char* direction, const FixedFunctionKey& key) {
    const std::string qualifier = std::string(key.flatShading ? "flat " : "") + direction;
    return qualifier + " vec4 vDiffuse;\n" + qualifier + " vec4 vSpecular;\n";
}

const char* const SAFE_NORMALIZE = R"(
vec3 safeNormalize(vec3 v) {
    float size = length(v);
    return size > 0.0 ? v / size : vec3(0.0);
}
)";

// Screen x, y (pixel centres on integers) and z with 1/w: the pixel centre
// at Direct3D's x is GL's x + 0.5; the target's row 0 is the top.
const char* const PRETRANSFORMED_POSITION = R"(
    float w = aPosition.w != 0.0 ? 1.0 / aPosition.w : 1.0;
    vec2 ndc = (aPosition.xy + 0.5 - uViewport.xy) / uViewport.zw * 2.0 - 1.0;
    float span = uDepthRange.y - uDepthRange.x;
    float z = span != 0.0 ? (aPosition.z - uDepthRange.x) / span * 2.0 - 1.0 : 0.0;
    gl_Position = vec4(ndc, z, 1.0) * w;
)";

// Direct3D's clip space (y up, z from 0 to w) into GL's for a target stored
// top-down, with the same half-pixel shift as pre-transformed vertices. GL
// clips -w <= 2z - w <= w, which is Direct3D's 0 <= z <= w: nothing nearer
// than the near plane or farther than the far plane is drawn.
const char* const TRANSFORMED_POSITION = R"(
    vec4 clip = uWorldViewProjection * vec4(aPosition.xyz, 1.0);
    gl_Position = vec4(clip.x + clip.w / uViewport.z, -clip.y + clip.w / uViewport.w,
                       2.0 * clip.z - clip.w, clip.w);
)";

// Camera space, where Direct3D lights and generates coordinates. Normals are
// normalised only when D3DRS_NORMALIZENORMALS says so; the direction to the
// eye is +z without a local viewer, as Direct3D defines it.
std::string cameraSpaceCode(const FixedFunctionKey& key) {
    std::string code = "    vec3 eyePosition = (uWorldView * vec4(aPosition.xyz, 1.0)).xyz;\n";
    std::string normal = "vec3(0.0)";
    if (key.hasNormal)
        normal = key.normalizeNormals ? "safeNormalize(uNormalMatrix * aNormal)"
                                      : "uNormalMatrix * aNormal";
    code += "    vec3 eyeNormal = " + normal + ";\n";
    code += std::string("    vec3 toEye = ") +
            (key.localViewer ? "safeNormalize(-eyePosition)" : "vec3(0.0, 0.0, 1.0)") + ";\n";
    return code;
}

std::string vertexShader(const FixedFunctionKey& key) {
    std::string text = "#version 330 core\n" + vertexInputs(key) + colourVaryings("out", key);
    text +=
        "uniform vec4 uViewport;\nuniform vec2 uDepthRange;\nuniform mat4 uWorldViewProjection;\n";
    if (!key.pretransformed) text += "uniform mat4 uWorldView;\nuniform mat3 uNormalMatrix;\n";
    text += SAFE_NORMALIZE + lightingDeclarations(key) + vertexFogDeclarations(key) +
            stageCoordinateDeclarations(key, "out");
    text += "void main() {";
    if (key.pretransformed) {
        text += PRETRANSFORMED_POSITION;
    } else {
        text += TRANSFORMED_POSITION + cameraSpaceCode(key);
    }
    text += vertexColourCode(key) + vertexFogCode(key) + vertexStageCoordinateCode(key);
    return text + "}\n";
}

// ---- fragment stage ----

std::string texel(unsigned stage) {
    return "texel" + number(stage);
}

// The value an argument names, with its modifiers, as a vec4.
std::string argumentValue(std::uint8_t argument, unsigned stage) {
    std::string value;
    switch (argument & D3DTA_SELECTMASK) {
        case D3DTA_DIFFUSE:
            value = "vDiffuse";
            break;
        case D3DTA_TEXTURE:
            value = texel(stage);
            break;
        case D3DTA_TFACTOR:
            value = "uTextureFactor";
            break;
        case D3DTA_SPECULAR:
            value = "vSpecular";
            break;
        case D3DTA_TEMP:
            value = "temp";
            break;
        default:  // D3DTA_CURRENT
            value = "current";
            break;
    }
    if (argument & D3DTA_ALPHAREPLICATE) value = value + ".aaaa";
    if (argument & D3DTA_COMPLEMENT) value = "(vec4(1.0) - " + value + ")";
    return value;
}

struct Operands {
    std::string arg1, arg2, arg0;  // already reduced to .rgb or .a
    std::string alpha1;            // argument 1's alpha, for the ...ADDCOLOR operations
};

// One operation on its operands; `colour` tells the colour from the alpha
// half. Operations Direct3D defines only for colour select argument 1 in the
// alpha half.
std::string operationValue(std::uint8_t op, const Operands& x, unsigned stage, bool colour) {
    const std::string& a = x.arg1;
    const std::string& b = x.arg2;
    switch (op) {
        case D3DTOP_SELECTARG2:
            return b;
        case D3DTOP_MODULATE:
            return a + " * " + b;
        case D3DTOP_MODULATE2X:
            return a + " * " + b + " * 2.0";
        case D3DTOP_MODULATE4X:
            return a + " * " + b + " * 4.0";
        case D3DTOP_ADD:
            return a + " + " + b;
        case D3DTOP_ADDSIGNED:
            return a + " + " + b + " - 0.5";
        case D3DTOP_ADDSIGNED2X:
            return "(" + a + " + " + b + " - 0.5) * 2.0";
        case D3DTOP_SUBTRACT:
            return a + " - " + b;
        case D3DTOP_ADDSMOOTH:
            return a + " + " + b + " - " + a + " * " + b;
        case D3DTOP_BLENDDIFFUSEALPHA:
            return "mix(" + b + ", " + a + ", vDiffuse.a)";
        case D3DTOP_BLENDTEXTUREALPHA:
            return "mix(" + b + ", " + a + ", " + texel(stage) + ".a)";
        case D3DTOP_BLENDFACTORALPHA:
            return "mix(" + b + ", " + a + ", uTextureFactor.a)";
        case D3DTOP_BLENDTEXTUREALPHAPM:
            return a + " + " + b + " * (1.0 - " + texel(stage) + ".a)";
        case D3DTOP_BLENDCURRENTALPHA:
            return "mix(" + b + ", " + a + ", current.a)";
        case D3DTOP_MODULATEALPHA_ADDCOLOR:
            return colour ? a + " + " + x.alpha1 + " * " + b : a;
        case D3DTOP_MODULATECOLOR_ADDALPHA:
            return colour ? a + " * " + b + " + " + x.alpha1 : a;
        case D3DTOP_MODULATEINVALPHA_ADDCOLOR:
            return colour ? "(1.0 - " + x.alpha1 + ") * " + b + " + " + a : a;
        case D3DTOP_MODULATEINVCOLOR_ADDALPHA:
            return colour ? "(1.0 - " + a + ") * " + b + " + " + x.alpha1 : a;
        case D3DTOP_DOTPRODUCT3:
            return colour ? "vec3(dot(" + a + " * 2.0 - 1.0, " + b + " * 2.0 - 1.0))" : a;
        case D3DTOP_MULTIPLYADD:
            return x.arg0 + " + " + a + " * " + b;
        case D3DTOP_LERP:
            return "mix(" + b + ", " + a + ", " + x.arg0 + ")";
        default:  // SELECTARG1, and the bump and premodulate operations
            return a;
    }
}

Operands operands(const std::uint8_t (&args)[3], unsigned stage, const char* part) {
    return {"(" + argumentValue(args[0], stage) + ")" + part,
            "(" + argumentValue(args[1], stage) + ")" + part,
            "(" + argumentValue(args[2], stage) + ")" + part,
            "(" + argumentValue(args[0], stage) + ").a"};
}

// The alpha half: a disabled alpha operation passes the current alpha on; a
// colour DOTPRODUCT3 writes its result to alpha as well.
std::string alphaValue(const FixedFunctionStage& stage, unsigned index, const std::string& colour) {
    if (stage.colorOp == D3DTOP_DOTPRODUCT3) return colour + ".r";
    if (stage.alphaOp == D3DTOP_DISABLE) return "current.a";
    return operationValue(stage.alphaOp, operands(stage.alphaArg, index, ".a"), index, false);
}

// A stage without a texture reads opaque white where it takes the texture
// as another than its first argument; one whose coordinate set the vertex
// lacks samples at (0, 0).
std::string texelFetch(const FixedFunctionStage& stage, unsigned index) {
    if (!stage.textured) return "vec4(1.0)";
    return "texture(uTexture" + number(index) + ", " + sampleCoordinates(stage, index) + ")";
}

std::string stageCode(const FixedFunctionStage& stage, unsigned index) {
    std::string code = "    {\n";
    code += "        vec4 " + texel(index) + " = " + texelFetch(stage, index) + ";\n";
    const std::string colour =
        operationValue(stage.colorOp, operands(stage.colorArg, index, ".rgb"), index, true);
    code += "        vec3 colour = " + colour + ";\n";
    code += "        float alpha = " + alphaValue(stage, index, "colour") + ";\n";
    const char* result = stage.resultArg == D3DTA_TEMP ? "temp" : "current";
    code += std::string("        ") + result + " = clamp(vec4(colour, alpha), 0.0, 1.0);\n";
    return code + "    }\n";
}

const char* compareOperator(std::uint8_t func) {
    switch (func) {
        case D3DCMP_NEVER:
            return nullptr;
        case D3DCMP_LESS:
            return "<";
        case D3DCMP_EQUAL:
            return "==";
        case D3DCMP_LESSEQUAL:
            return "<=";
        case D3DCMP_GREATER:
            return ">";
        case D3DCMP_NOTEQUAL:
            return "!=";
        case D3DCMP_GREATEREQUAL:
            return ">=";
        default:
            return "";  // ALWAYS
    }
}

// The test compares alpha as Direct3D does, as an integer 0..255.
std::string alphaTest(std::uint8_t func) {
    if (func == 0) return "";
    const char* op = compareOperator(func);
    if (op == nullptr) return "    discard;\n";
    if (*op == '\0') return "";
    return std::string("    if (!(floor(current.a * 255.0 + 0.5) ") + op +
           " uAlphaRef)) discard;\n";
}

std::string fragmentShader(const FixedFunctionKey& key) {
    std::string text = "#version 330 core\n" + colourVaryings("in", key) +
                       stageCoordinateDeclarations(key, "in") + fragmentFogDeclarations(key);
    for (unsigned stage = 0; stage < key.stageCount; ++stage)
        text += "uniform sampler2D uTexture" + number(stage) + ";\n";
    text += "uniform vec4 uTextureFactor;\nuniform float uAlphaRef;\nout vec4 fragColour;\n";
    text += "void main() {\n    vec4 current = vDiffuse;\n    vec4 temp = vec4(0.0);\n";
    for (unsigned stage = 0; stage < key.stageCount; ++stage)
        text += stageCode(key.stages[stage], stage);
    if (key.specularAdd) text += "    current.rgb = min(current.rgb + vSpecular.rgb, 1.0);\n";
    text += fragmentFogCode(key) + alphaTest(key.alphaFunc);
    return text + "    fragColour = current;\n}\n";
}

}  // namespace

FixedFunctionSource fixedFunctionSource(const FixedFunctionKey& key) {
    return {vertexShader(key), fragmentShader(key)};
}
