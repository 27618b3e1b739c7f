// Reflection maps of Wavefront MTL material libraries ("refl" lines),
// which assimp's OBJ reader leaves out.
#pragma once

#include <cstdint>
#include <map>
#include <span>
#include <string>
#include <vector>

// The material libraries an OBJ file names on its "mtllib" lines.
std::vector<std::string> materialLibraries(std::span<const std::uint8_t> obj);

// Each material's reflection map file, by material name: the last word of
// its first "refl" line (the options before it, such as "-type sphere",
// are left out).
std::map<std::string, std::string> reflectionMaps(std::span<const std::uint8_t> mtl);
