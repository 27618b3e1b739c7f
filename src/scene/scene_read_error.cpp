#include "scene/scene_read_error.h"

#include <cstdio>

std::string describeSceneReadError(const SceneReadError& error, std::string_view fileName) {
    char place[64];
    std::snprintf(place, sizeof place, ": chunk 0x%04X at offset %zu: ", unsigned(error.chunkId),
                  error.offset);
    return std::string(fileName) + place + error.problem;
}
