#include "platform/d3d8/gl/lighting_shader.h"

#include "platform/d3d8/gl/uniform_values.h"

namespace {

// A light beyond its range gives nothing; without attenuation factors (a
// zero denominator) a light is not attenuated rather than infinitely bright.
const char* const LIGHTING_FUNCTIONS = R"(
float attenuation(vec4 factors, float distance, float range) {
    if (distance > range) return 0.0;
    float denominator = factors.x + (factors.y + factors.z * distance) * distance;
    return denominator > 0.0 ? 1.0 / denominator : 1.0;
}
float spotFactor(float rho, vec4 cone) {
    if (rho > cone.x) return 1.0;
    if (rho <= cone.y) return 0.0;
    return pow((rho - cone.y) / (cone.x - cone.y), cone.z);
}
float specularFactor(vec3 normal, vec3 toLight, vec3 toEye, float nDotL, float power) {
    if (nDotL <= 0.0) return 0.0;
    float nDotH = dot(normal, safeNormalize(toEye + toLight));
    return nDotH > 0.0 ? pow(nDotH, power) : 0.0;
}
)";

std::string number(unsigned value) {
    return std::to_string(value);
}

std::string lightVector(unsigned light, unsigned vector) {
    return "uLights[" + number(light * LIGHT_VECTORS + vector) + "]";
}

std::string materialColour(ColourSource source, unsigned materialVector) {
    switch (source) {
        case ColourSource::VertexDiffuse:
            return "aDiffuse";
        case ColourSource::VertexSpecular:
            return "aSpecular";
        default:
            return "uMaterial[" + number(materialVector) + "]";
    }
}

// Sets toLight and intensity (attenuation times spot factor) of one light.
std::string lightGeometry(unsigned light, std::uint8_t type) {
    if (type == D3DLIGHT_DIRECTIONAL)
        return "        vec3 toLight = " + lightVector(light, 4) +
               ".xyz;\n        float intensity = 1.0;\n";
    const std::string position = lightVector(light, 3);
    std::string code = "        vec3 offset = " + position + ".xyz - eyePosition;\n";
    code += "        float distance = length(offset);\n";
    code += "        vec3 toLight = distance > 0.0 ? offset / distance : vec3(0.0);\n";
    code += "        float intensity = attenuation(" + lightVector(light, 5) + ", distance, " +
            position + ".w);\n";
    if (type == D3DLIGHT_SPOT)
        code += "        intensity *= spotFactor(dot(" + lightVector(light, 4) +
                ".xyz, toLight), " + lightVector(light, 6) + ");\n";
    return code;
}

std::string lightCode(unsigned light, std::uint8_t type, bool specular) {
    std::string code = "    {\n" + lightGeometry(light, type);
    code += "        float nDotL = max(dot(eyeNormal, toLight), 0.0);\n";
    code += "        ambientLight += intensity * " + lightVector(light, 2) + ".rgb;\n";
    code += "        diffuseLight += intensity * nDotL * " + lightVector(light, 0) + ".rgb;\n";
    if (specular)
        code +=
            "        specularLight += intensity * specularFactor(eyeNormal, toLight, toEye, "
            "nDotL, uMaterial[5].x) * " +
            lightVector(light, 1) + ".rgb;\n";
    return code + "    }\n";
}

// The diffuse alpha is the diffuse colour source's; the specular alpha
// stays the vertex's own (0 without one), as unlit, so that a fog factor
// carried there is kept.
std::string litColourCode(const FixedFunctionKey& key) {
    const FixedFunctionLighting& lighting = key.lighting;
    std::string code = "    vec4 diffuseColour = " + materialColour(lighting.diffuse, 0) + ";\n";
    code += "    vec3 ambientLight = uMaterial[4].rgb;\n";
    code += "    vec3 diffuseLight = vec3(0.0);\n    vec3 specularLight = vec3(0.0);\n";
    for (unsigned light = 0; light < lighting.lightCount; ++light)
        code += lightCode(light, lighting.lightTypes[light], key.specularAdd != 0);
    code += "    vec3 lit = " + materialColour(lighting.ambient, 1) + ".rgb * ambientLight + " +
            "diffuseColour.rgb * diffuseLight + " + materialColour(lighting.emissive, 3) +
            ".rgb;\n";
    code += "    vDiffuse = clamp(vec4(lit, diffuseColour.a), 0.0, 1.0);\n";
    code += "    vSpecular = vec4(clamp(" + materialColour(lighting.specular, 2) +
            ".rgb * specularLight, 0.0, 1.0), " + (key.hasSpecular ? "aSpecular.a" : "0.0") +
            ");\n";
    return code;
}

}  // namespace

std::string lightingDeclarations(const FixedFunctionKey& key) {
    if (!key.lighting.enabled) return "";
    std::string text = "uniform vec4 uMaterial[" + number(MATERIAL_VECTORS) + "];\n";
    if (key.lighting.lightCount > 0)
        text += "uniform vec4 uLights[" + number(key.lighting.lightCount * LIGHT_VECTORS) + "];\n";
    return text + LIGHTING_FUNCTIONS;
}

std::string vertexColourCode(const FixedFunctionKey& key) {
    if (key.lighting.enabled) return litColourCode(key);
    std::string code =
        key.hasDiffuse ? "    vDiffuse = aDiffuse;\n" : "    vDiffuse = vec4(1.0);\n";
    code += key.hasSpecular ? "    vSpecular = aSpecular;\n" : "    vSpecular = vec4(0.0);\n";
    return code;
}
