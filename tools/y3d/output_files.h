// Files the converter writes: never half-written under their final name.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "material_conversion.h"

// Writes to a temporary name in the same folder, then renames; on failure
// nothing is left and `error` says why.
bool writeAtomically(const std::string& path, std::span<const std::uint8_t> bytes,
                     std::string& error);

// Each referenced image written to `folder`/<scene name>: embedded images
// from their bytes, others copied from beside the input. Images that
// cannot be had are reported in `warnings`; returns the number written.
std::size_t copyTextures(const std::vector<ReferencedTexture>& textures,
                         const std::string& inputFolder, const std::string& folder,
                         std::vector<std::string>& warnings);
