#include "archive/name_match.h"

#include <string>

namespace {

constexpr size_t kCompareLimit = 512;

std::string normalisedName(std::string_view name) {
    std::string copy(name.substr(0, kCompareLimit));
    for (char& c : copy) {
        if (c == '\\' || c == '/') c = '_';
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return copy;
}

}  // namespace

bool namesMatch(std::string_view entryName, std::string_view wantedName) {
    return normalisedName(entryName) == normalisedName(wantedName);
}
