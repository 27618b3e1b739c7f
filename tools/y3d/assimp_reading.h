// Reading a modelling tool's file through assimp, with the processing the
// conversion relies on: triangles only, points and lines set apart, smooth
// normals where the file has none, an FBX file's axes turned Y-up and a glTF
// file's spot cones made whole.
#pragma once

#include <assimp/scene.h>
#include <assimp/Importer.hpp>

#include <cstdint>
#include <span>
#include <string>

// The scene the importer holds, or null with the importer's reason.
const aiScene* readWithAssimp(Assimp::Importer& importer, const std::string& path,
                              std::string& error);
const aiScene* readWithAssimp(Assimp::Importer& importer, std::span<const std::uint8_t> bytes,
                              const char* formatHint, std::string& error);
