// Why a y3d file was rejected: the chunk where the problem was found (its
// id and the offset of its header) and what is wrong.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

struct SceneReadError {
    std::uint16_t chunkId = 0;
    std::size_t offset = 0;
    std::string problem;
};

// One line: "FILE: chunk 0xID at offset N: PROBLEM".
std::string describeSceneReadError(const SceneReadError& error, std::string_view fileName);
