#include "platform/gdi/font_matching.h"

#include <fontconfig/fontconfig.h>

#include <memory>

namespace gdi {
namespace {

struct PatternDeleter {
    void operator()(FcPattern* pattern) const { FcPatternDestroy(pattern); }
};
struct FontSetDeleter {
    void operator()(FcFontSet* set) const { FcFontSetDestroy(set); }
};
using Pattern = std::unique_ptr<FcPattern, PatternDeleter>;
using FontSet = std::unique_ptr<FcFontSet, FontSetDeleter>;

constexpr int boldFrom = 600;  // FW_SEMIBOLD and heavier ask for a bold face

Pattern requestPattern(const FontRequest& request) {
    Pattern pattern(FcPatternCreate());
    const auto* family = reinterpret_cast<const FcChar8*>(request.faceName.c_str());
    if (!request.faceName.empty()) FcPatternAddString(pattern.get(), FC_FAMILY, family);
    int weight = request.weight > 0 ? request.weight : 400;  // FW_DONTCARE: regular
    FcPatternAddInteger(pattern.get(), FC_WEIGHT, FcWeightFromOpenType(weight));
    FcPatternAddInteger(pattern.get(), FC_SLANT, request.italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pattern.get(), FC_SCALABLE, FcTrue);
    FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern);
    FcDefaultSubstitute(pattern.get());
    return pattern;
}

FontFile fileOf(FcPattern* font, const FontRequest& request) {
    FontFile file;
    FcChar8* path = nullptr;
    if (FcPatternGetString(font, FC_FILE, 0, &path) == FcResultMatch) {
        file.path = reinterpret_cast<const char*>(path);
    }
    FcPatternGetInteger(font, FC_INDEX, 0, &file.index);
    int weight = FC_WEIGHT_REGULAR;
    int slant = FC_SLANT_ROMAN;
    FcPatternGetInteger(font, FC_WEIGHT, 0, &weight);
    FcPatternGetInteger(font, FC_SLANT, 0, &slant);
    file.simulateBold = request.weight >= boldFrom && weight < FC_WEIGHT_DEMIBOLD;
    file.simulateItalic = request.italic && slant == FC_SLANT_ROMAN;
    return file;
}

}  // namespace

std::vector<FontFile> fontCandidates(const FontRequest& request) {
    std::vector<FontFile> files;
    if (!FcInit()) return files;
    Pattern pattern = requestPattern(request);
    FcResult result = FcResultNoMatch;
    FontSet sorted(FcFontSort(nullptr, pattern.get(), FcTrue, nullptr, &result));
    if (!sorted) return files;
    for (int i = 0; i < sorted->nfont; ++i) {
        FontFile file = fileOf(sorted->fonts[i], request);
        if (!file.path.empty()) files.push_back(std::move(file));
    }
    return files;
}

}  // namespace gdi
