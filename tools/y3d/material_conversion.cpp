#include "material_conversion.h"

#include <assimp/material.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <filesystem>

namespace {

constexpr std::uint32_t kAdditive = 1, kTwoSided = 4;

Y3dColor colorOf(const aiMaterial& m, const char* key, unsigned type, unsigned index,
                 Y3dColor fallback = {}) {
    aiColor3D c;
    if (m.Get(key, type, index, c) != AI_SUCCESS) return fallback;
    return {c.r, c.g, c.b};
}

Y3dMaterial y3dMaterial(const aiMaterial& m, std::size_t number) {
    Y3dMaterial out;
    aiString name;
    out.name = m.Get(AI_MATKEY_NAME, name) == AI_SUCCESS && name.length > 0
                   ? name.C_Str()
                   : "material " + std::to_string(number);
    out.diffuse = colorOf(m, AI_MATKEY_COLOR_DIFFUSE,
                          colorOf(m, AI_MATKEY_BASE_COLOR, Y3dColor{0.8f, 0.8f, 0.8f}));
    out.ambient = colorOf(m, AI_MATKEY_COLOR_AMBIENT);
    out.specular = colorOf(m, AI_MATKEY_COLOR_SPECULAR);
    out.emissive = colorOf(m, AI_MATKEY_COLOR_EMISSIVE);
    float shininess = 0, opacity = 1;
    m.Get(AI_MATKEY_SHININESS, shininess);
    m.Get(AI_MATKEY_OPACITY, opacity);
    out.shininess = std::max(shininess, 0.0f) / 100;  // Direct3D power = shininess × 100
    out.transparency = std::clamp(1 - opacity, 0.0f, 1.0f);
    int twoSided = 0, blend = aiBlendMode_Default;
    m.Get(AI_MATKEY_TWOSIDED, twoSided);
    m.Get(AI_MATKEY_BLEND_FUNC, blend);
    out.flags = (twoSided != 0 ? kTwoSided : 0) | (blend == aiBlendMode_Additive ? kAdditive : 0);
    return out;
}

// The format hint of a compressed image names its file type; the hint
// comes from the input, so only letters and digits make an extension
// (anything else could lead the copied file out of its folder).
std::string extensionOf(const aiTexture& texture) {
    const std::string hint(texture.achFormatHint,
                           strnlen(texture.achFormatHint, sizeof texture.achFormatHint));
    const bool usable = !hint.empty() && std::all_of(hint.begin(), hint.end(), [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) != 0;
    });
    return texture.mHeight == 0 && usable ? hint : "raw";
}

class MaterialConverter {
  public:
    MaterialConverter(const aiScene& scene, const std::string& folder, const std::string& stem)
        : scene_(scene), folder_(folder), stem_(stem) {}

    MaterialConversion convert() {
        for (unsigned i = 0; i < scene_.mNumMaterials && result_.error.empty(); ++i) {
            const aiMaterial& m = *scene_.mMaterials[i];
            ConvertedMaterial converted{y3dMaterial(m, i), {}};
            converted.maps[0] = map(m, aiTextureType_DIFFUSE, aiTextureType_BASE_COLOR);
            converted.maps[1] = map(m, aiTextureType_OPACITY, aiTextureType_OPACITY);
            converted.maps[2] = map(m, aiTextureType_REFLECTION, aiTextureType_REFLECTION);
            result_.materials.push_back(std::move(converted));
        }
        return std::move(result_);
    }

  private:
    std::string map(const aiMaterial& m, aiTextureType type, aiTextureType fallback) {
        aiString path;
        if (m.GetTexture(type, 0, &path) != AI_SUCCESS &&
            m.GetTexture(fallback, 0, &path) != AI_SUCCESS)
            return "";
        const auto [embedded, index] = scene_.GetEmbeddedTextureAndIndex(path.C_Str());
        return embedded != nullptr ? embeddedName(embedded, index) : fileName(path.C_Str());
    }

    std::string embeddedName(const aiTexture* texture, int index) {
        return remember(stem_ + "-" + std::to_string(index) + "." + extensionOf(*texture), texture);
    }

    std::string fileName(const std::string& path) {
        const std::string name = textureNameInside(path, folder_);
        if (name.empty()) {
            if (result_.error.empty())
                result_.error = "texture " + path + " lies outside its folder";
            return "";
        }
        return remember(name, nullptr);
    }

    std::string remember(const std::string& name, const aiTexture* embedded) {
        auto& list = result_.textures;
        if (std::none_of(list.begin(), list.end(), [&](auto& t) { return t.sceneName == name; }))
            list.push_back({name, embedded});
        return name;
    }

    const aiScene& scene_;
    const std::string& folder_;
    const std::string& stem_;
    MaterialConversion result_;
};

}  // namespace

std::string textureNameInside(const std::string& path, const std::string& inputFolder) {
    std::string text = path;
    std::replace(text.begin(), text.end(), '\\', '/');
    std::filesystem::path name(text);
    if (name.is_absolute()) {
        const std::filesystem::path folder =
            std::filesystem::absolute(inputFolder.empty() ? "." : inputFolder).lexically_normal();
        name = name.lexically_normal().lexically_relative(folder);
    }
    name = name.lexically_normal();
    const std::string result = name.generic_string();
    if (result.empty() || result == "." || result.rfind("..", 0) == 0) return "";
    return result;
}

MaterialConversion convertMaterials(const aiScene& scene, const std::string& inputFolder,
                                    const std::string& embeddedStem) {
    return MaterialConverter(scene, inputFolder, embeddedStem).convert();
}
