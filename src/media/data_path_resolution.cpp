// The unpacked-mode lookup of names that were written on Windows.
#include <algorithm>
#include <cctype>
#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

#include "media/data_access.h"

namespace DataAccess {

namespace {

namespace fs = std::filesystem;

std::string withForwardSlashes(std::string name) {
    std::replace(name.begin(), name.end(), '\\', '/');
    return name;
}

std::vector<std::string> components(const std::string& path) {
    std::vector<std::string> parts;
    std::size_t begin = 0;
    while (begin <= path.size()) {
        std::size_t end = std::min(path.find('/', begin), path.size());
        if (end > begin) parts.push_back(path.substr(begin, end - begin));
        begin = end + 1;
    }
    return parts;
}

bool equalIgnoringCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

bool isPresent(const fs::path& path) {
    std::error_code error;
    return fs::exists(path, error);
}

// The entry of directory whose name equals component but for letter case;
// the first in name order when several do.
std::optional<std::string> caseInsensitiveEntry(const fs::path& directory,
                                                const std::string& component) {
    std::optional<std::string> found;
    std::error_code error;
    for (fs::directory_iterator it(directory, error), end; !error && it != end;
         it.increment(error)) {
        std::string entry = it->path().filename().string();
        if (equalIgnoringCase(entry, component) && (!found || entry < *found)) found = entry;
    }
    return found;
}

}  // namespace

std::string resolvePath(const std::string& name) {
    std::string plain = dataPath(withForwardSlashes(name));
    if (isPresent(plain)) return plain;
    fs::path resolved = "data";
    for (const std::string& component : components(withForwardSlashes(name))) {
        if (isPresent(resolved / component)) {
            resolved /= component;
        } else if (auto entry = caseInsensitiveEntry(resolved, component)) {
            resolved /= *entry;
        } else {
            return plain;
        }
    }
    return resolved.string();
}

}  // namespace DataAccess
