// Materials with any of the properties the converter reads, texture paths
// inside and outside the input's folder, and embedded images that paths
// name as "*N" or by their file name. Format hints keep their first four
// characters lower case, as assimp's validation requires.
#pragma once

#include <assimp/material.h>
#include <assimp/texture.h>

#include <algorithm>
#include <cctype>
#include <cstring>

#include "fuzzed_values.h"

inline std::string fuzzedTexturePath(ByteSource& in) {
    static const char* const kPool[] = {"tex.png",
                                        "maps/wood.jpg",
                                        "../up.png",
                                        "a/../../b.png",
                                        "/abs/tex.png",
                                        "C:\\tex\\x.png",
                                        "*0",
                                        "*1",
                                        "*7",
                                        "*-1",
                                        "",
                                        ".",
                                        "./t.png",
                                        "sub/./t.png",
                                        "embedded.png",
                                        "/data/models/t.png",
                                        "dir/embedded.png",
                                        "..",
                                        "/"};
    constexpr unsigned kCount = sizeof kPool / sizeof kPool[0];
    const unsigned choice = in.below(kCount + 1);
    return choice < kCount ? kPool[choice] : in.text(16);
}

inline void addColor(ByteSource& in, aiMaterial& m, const char* key, unsigned type,
                     unsigned index) {
    if (!in.oneIn(2)) return;
    const aiColor4D color(in.number(), in.number(), in.number(), in.number());
    m.AddProperty(&color, 1, key, type, index);
}

template <typename Value>
void addValue(ByteSource& in, aiMaterial& m, Value value, const char* key, unsigned type,
              unsigned index) {
    if (in.oneIn(2)) m.AddProperty(&value, 1, key, type, index);
}

inline void addTexture(ByteSource& in, aiMaterial& m, aiTextureType type) {
    if (!in.oneIn(2)) return;
    const aiString path = aiText(fuzzedTexturePath(in));
    m.AddProperty(&path, AI_MATKEY_TEXTURE(type, 0));
}

inline aiMaterial* fuzzedMaterial(ByteSource& in) {
    auto* m = new aiMaterial;
    if (in.oneIn(2)) {
        const aiString name = aiText(fuzzedName(in));
        m->AddProperty(&name, AI_MATKEY_NAME);
    }
    addColor(in, *m, AI_MATKEY_COLOR_DIFFUSE);
    addColor(in, *m, AI_MATKEY_BASE_COLOR);
    addColor(in, *m, AI_MATKEY_COLOR_AMBIENT);
    addColor(in, *m, AI_MATKEY_COLOR_SPECULAR);
    addColor(in, *m, AI_MATKEY_COLOR_EMISSIVE);
    addValue(in, *m, in.number(), AI_MATKEY_SHININESS);
    addValue(in, *m, in.number(), AI_MATKEY_OPACITY);
    addValue(in, *m, int(in.below(3)), AI_MATKEY_TWOSIDED);
    addValue(in, *m, int(in.below(3)), AI_MATKEY_BLEND_FUNC);
    for (aiTextureType type : {aiTextureType_DIFFUSE, aiTextureType_BASE_COLOR,
                               aiTextureType_OPACITY, aiTextureType_REFLECTION})
        addTexture(in, *m, type);
    return m;
}

inline void fuzzFormatHint(ByteSource& in, aiTexture& texture) {
    static const char* const kPool[] = {"png", "jpg", "", "bmp", "a/b", "/../../x", "..", "raw"};
    const unsigned choice = in.below(9);
    std::string hint = choice < 8 ? kPool[choice] : in.text(HINTMAXTEXTURELEN - 1);
    std::transform(hint.begin(), hint.end(), hint.begin(),
                   [](char c) { return char(std::tolower(static_cast<unsigned char>(c))); });
    std::memset(texture.achFormatHint, 0, sizeof texture.achFormatHint);
    std::memcpy(texture.achFormatHint, hint.data(), hint.size());
}

// Compressed (mHeight 0: mWidth bytes of a file) or raw texels.
inline aiTexture* fuzzedTexture(ByteSource& in) {
    auto* texture = new aiTexture;
    texture->mWidth = 1 + in.below(16);
    texture->mHeight = in.oneIn(4) ? 1 + in.below(4) : 0;
    const unsigned texels =
        texture->mHeight > 0 ? texture->mWidth * texture->mHeight : (texture->mWidth + 3) / 4;
    texture->pcData = new aiTexel[texels]();
    fuzzFormatHint(in, *texture);
    static const char* const kNames[] = {"", "embedded.png", "dir/embedded.png", "tex.png"};
    texture->mFilename = aiText(kNames[in.below(4)]);
    return texture;
}
