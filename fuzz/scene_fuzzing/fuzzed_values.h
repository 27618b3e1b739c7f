// Names, vectors, rotations and matrices read from the fuzz bytes. Names
// come mostly from a small pool, so that nodes, meshes, bones and channels
// share them and some repeat.
#pragma once

#include <assimp/matrix4x4.h>
#include <assimp/types.h>

#include <string>
#include <vector>

#include "byte_source.h"

inline std::string fuzzedName(ByteSource& in) {
    static const char* const kPool[] = {"",       "a",      "b",     "a#2",      "node",
                                        "Camera", "Target", "Light", "a.Target", "Scene",
                                        "bone",   "mesh",   "a#2#2"};
    constexpr unsigned kCount = sizeof kPool / sizeof kPool[0];
    const unsigned choice = in.below(kCount + 1);
    return choice < kCount ? kPool[choice] : in.text(12);
}

inline aiString aiText(const std::string& text) {
    aiString out;
    out.Set(text);
    return out;
}

inline aiVector3D fuzzedVector(ByteSource& in) {
    const float x = in.number(), y = in.number(), z = in.number();
    return {x, y, z};
}

// Any four numbers: importers hand over unnormalised quaternions too.
inline aiQuaternion fuzzedRotation(ByteSource& in) {
    if (!in.oneIn(2)) return {};
    const float w = in.number(), x = in.number(), y = in.number(), z = in.number();
    return {w, x, y, z};
}

// Identity, a composed transform, or sixteen numbers.
inline aiMatrix4x4 fuzzedMatrix(ByteSource& in) {
    switch (in.below(3)) {
        case 1: {
            const aiVector3D scaling = fuzzedVector(in);
            const aiQuaternion rotation = fuzzedRotation(in);
            return aiMatrix4x4(scaling, rotation, fuzzedVector(in));
        }
        case 2: {
            aiMatrix4x4 m;
            for (unsigned row = 0; row < 4; ++row)
                for (unsigned column = 0; column < 4; ++column) m[row][column] = in.number();
            return m;
        }
        default:
            return {};
    }
}

// Allocates `count` pointers as assimp's destructors free them (delete[]);
// null for none, as assimp requires.
template <typename T>
T** newPointers(unsigned count) {
    return count > 0 ? new T*[count]() : nullptr;
}

// Assimp wants no array where there are no items.
template <typename T>
void dropIfEmpty(T**& items, unsigned count) {
    if (count > 0) return;
    delete[] items;
    items = nullptr;
}
