// What assimp 5.2.5 reads past, read from the input ourselves and put into
// the scene it made before the conversion: a glTF file's stepped and cubic
// animation curves (assimp keeps only their key values, played linearly)
// and the reflection maps of an OBJ file's materials.
#pragma once

#include <assimp/scene.h>

#include <memory>
#include <string>
#include <vector>

// Warnings name what could not be added.
void supplementScene(aiScene& scene, const std::string& inputPath, double framesPerSecond,
                     std::vector<std::string>& warnings);

// The input as assimp reads it, supplemented; null, with assimp's reason,
// when assimp cannot read it.
std::unique_ptr<aiScene> readInputScene(const std::string& path, double framesPerSecond,
                                        std::vector<std::string>& warnings, std::string& error);
