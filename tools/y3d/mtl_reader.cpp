// Reading MTL text into materials.
#include "obj_model.h"
#include "text_lines.h"

namespace {

bool readColor(const std::vector<std::string_view>& words, Y3dColor& color) {
    float rgb[3];
    if (words.size() < 2 || !parseFloat(words[1], rgb[0])) return false;
    rgb[1] = rgb[2] = rgb[0];  // one number: grey
    if (words.size() >= 4 && (!parseFloat(words[2], rgb[1]) || !parseFloat(words[3], rgb[2])))
        return false;
    color = {rgb[0], rgb[1], rgb[2]};
    return true;
}

bool readNumber(const std::vector<std::string_view>& words, float& value) {
    return words.size() >= 2 && parseFloat(words[1], value);
}

// A map statement's file name is its last word (options such as -bm come first).
std::string mapFile(const std::vector<std::string_view>& words) {
    return std::string(words.back());
}

bool readStatement(const std::vector<std::string_view>& words, MtlMaterial& m) {
    const std::string_view kind = words[0];
    float value = 0;
    if (kind == "Kd") return readColor(words, m.diffuse);
    if (kind == "Ka") return readColor(words, m.ambient);
    if (kind == "Ks") return readColor(words, m.specular);
    if (kind == "Ke") return readColor(words, m.emissive);
    if (kind == "Ns") {
        if (!readNumber(words, value)) return false;
        m.shininess = value / 100;  // Direct3D power = shininess × 100
    } else if (kind == "d" || kind == "Tr") {
        if (!readNumber(words, value)) return false;
        m.transparency = kind == "d" ? 1 - value : value;
    } else if (words.size() >= 2 && kind == "map_Kd") {
        m.colorMap = mapFile(words);
    } else if (words.size() >= 2 && kind == "map_d") {
        m.opacityMap = mapFile(words);
    } else if (words.size() >= 2 && (kind == "refl" || kind == "map_refl")) {
        m.reflectionMap = mapFile(words);
    }
    return true;
}

}  // namespace

bool readMtl(std::span<const std::uint8_t> bytes, std::vector<MtlMaterial>& materials,
             std::string& error) {
    TextLines lines(bytes);
    std::vector<std::string_view> words;
    while (lines.next(words)) {
        if (words.empty()) continue;
        if (words[0] == "newmtl") {
            materials.push_back({});
            materials.back().name = std::string(lines.restAfterFirstWord());
            continue;
        }
        if (materials.empty() || readStatement(words, materials.back())) continue;
        error = "line " + std::to_string(lines.lineNumber()) + ": bad " + std::string(words[0]);
        return false;
    }
    return true;
}
