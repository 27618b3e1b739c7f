#include "mtl_reflection_maps.h"

#include <sstream>
#include <string_view>

namespace {

// Calls `take` with the words of each line that starts with `prefix`,
// comments left out. The prefix spares splitting the lines of a large OBJ.
template <typename Take>
void forEachLine(std::span<const std::uint8_t> bytes, std::string_view prefix, Take take) {
    std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        std::string_view view = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        view.remove_prefix(std::min(view.find_first_not_of(" \t"), view.size()));
        if (view.substr(0, prefix.size()) != prefix) continue;
        const std::string line(view.substr(0, view.find('#')));
        std::istringstream words(line);
        std::string keyword;
        if (words >> keyword) take(keyword, words);
    }
}

std::vector<std::string> wordsOf(std::istringstream& words) {
    std::vector<std::string> out;
    for (std::string word; words >> word;) out.push_back(word);
    return out;
}

}  // namespace

std::vector<std::string> materialLibraries(std::span<const std::uint8_t> obj) {
    std::vector<std::string> libraries;
    forEachLine(obj, "mtllib", [&](const std::string& keyword, std::istringstream& words) {
        if (keyword != "mtllib") return;
        for (std::string& name : wordsOf(words)) libraries.push_back(std::move(name));
    });
    return libraries;
}

std::map<std::string, std::string> reflectionMaps(std::span<const std::uint8_t> mtl) {
    std::map<std::string, std::string> maps;
    std::string material;
    forEachLine(mtl, "", [&](const std::string& keyword, std::istringstream& words) {
        const std::vector<std::string> rest = wordsOf(words);
        if (keyword == "newmtl") material = rest.empty() ? "" : rest.front();
        if (keyword == "refl" && !rest.empty() && !material.empty())
            maps.emplace(material, rest.back());
    });
    return maps;
}
