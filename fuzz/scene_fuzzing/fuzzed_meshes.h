// Meshes as assimp's validation lets them through: at least one vertex and
// one face, every index in range, each face's kind among the mesh's
// primitive types (which may name more kinds than it has), optional normals
// and texture coordinates, bones with uniquely named bones whose weights
// name existing vertices, and morph targets with the mesh's vertex count.
#pragma once

#include <assimp/mesh.h>

#include <vector>

#include "fuzzed_values.h"

// A vertex index below `count`, which may pass 256.
inline unsigned fuzzedIndex(ByteSource& in, unsigned count) {
    const unsigned raw = count > 256 ? unsigned(in.byte()) << 8 | in.byte() : in.byte();
    return raw % count;
}

inline aiVector3D* fuzzedVectors(ByteSource& in, unsigned count) {
    auto* out = new aiVector3D[count];
    for (unsigned i = 0; i < count; ++i) out[i] = fuzzedVector(in);
    return out;
}

// Mostly triangles, some points, lines and quads; degenerate ones too.
inline unsigned fuzzFace(ByteSource& in, const aiMesh& mesh, aiFace& face) {
    static const unsigned kCorners[8] = {3, 3, 3, 3, 3, 1, 2, 4};
    static const unsigned kTypes[5] = {0, aiPrimitiveType_POINT, aiPrimitiveType_LINE,
                                       aiPrimitiveType_TRIANGLE, aiPrimitiveType_POLYGON};
    face.mNumIndices = kCorners[in.below(8)];
    face.mIndices = new unsigned[face.mNumIndices];
    for (unsigned i = 0; i < face.mNumIndices; ++i)
        face.mIndices[i] = fuzzedIndex(in, mesh.mNumVertices);
    return kTypes[face.mNumIndices];
}

inline void fuzzFaces(ByteSource& in, aiMesh& mesh) {
    mesh.mNumFaces = 1 + in.below(32);
    mesh.mFaces = new aiFace[mesh.mNumFaces];
    for (unsigned f = 0; f < mesh.mNumFaces; ++f)
        mesh.mPrimitiveTypes |= fuzzFace(in, mesh, mesh.mFaces[f]);
    if (in.oneIn(8)) mesh.mPrimitiveTypes |= 1u << in.below(4);  // a kind it lacks
}

inline aiBone* fuzzedBone(ByteSource& in, const aiMesh& mesh, const std::vector<aiNode*>& nodes) {
    auto* bone = new aiBone;
    bone->mName =
        in.oneIn(4) ? aiText(fuzzedName(in)) : nodes[in.below(unsigned(nodes.size()))]->mName;
    bone->mOffsetMatrix = fuzzedMatrix(in);
    bone->mNumWeights = in.below(8);
    bone->mWeights = bone->mNumWeights > 0 ? new aiVertexWeight[bone->mNumWeights] : nullptr;
    for (unsigned w = 0; w < bone->mNumWeights; ++w)
        bone->mWeights[w] = {fuzzedIndex(in, mesh.mNumVertices), in.number()};
    return bone;
}

// Bone names are made unique by appending "'" as often as needed.
inline void fuzzBones(ByteSource& in, aiMesh& mesh, const std::vector<aiNode*>& nodes) {
    const unsigned count = in.below(4);
    mesh.mBones = newPointers<aiBone>(count);
    for (unsigned b = 0; b < count; ++b) {
        aiBone* bone = fuzzedBone(in, mesh, nodes);
        while (std::any_of(mesh.mBones, mesh.mBones + mesh.mNumBones,
                           [&](const aiBone* other) { return other->mName == bone->mName; }))
            bone->mName.Append("'");
        mesh.mBones[mesh.mNumBones++] = bone;
    }
}

inline void fuzzMorphTargets(ByteSource& in, aiMesh& mesh) {
    const unsigned count = in.below(3);
    mesh.mAnimMeshes = newPointers<aiAnimMesh>(count);
    for (unsigned k = 0; k < count; ++k) {
        auto* target = new aiAnimMesh;
        target->mNumVertices = mesh.mNumVertices;
        if (!in.oneIn(4)) target->mVertices = fuzzedVectors(in, mesh.mNumVertices);
        target->mWeight = in.number();
        mesh.mAnimMeshes[mesh.mNumAnimMeshes++] = target;
    }
}

inline aiMesh* fuzzedMesh(ByteSource& in, const std::vector<aiNode*>& nodes, unsigned materials) {
    auto* mesh = new aiMesh;
    mesh->mName = aiText(fuzzedName(in));
    mesh->mMaterialIndex = in.below(materials);
    mesh->mNumVertices = in.oneIn(16) ? 1 + unsigned(in.byte()) * 16 : 1 + in.below(24);
    mesh->mVertices = fuzzedVectors(in, mesh->mNumVertices);
    if (in.oneIn(2)) mesh->mNormals = fuzzedVectors(in, mesh->mNumVertices);
    if (in.oneIn(2)) {
        mesh->mTextureCoords[0] = fuzzedVectors(in, mesh->mNumVertices);
        mesh->mNumUVComponents[0] = 2;
    }
    fuzzFaces(in, *mesh);
    fuzzBones(in, *mesh, nodes);
    fuzzMorphTargets(in, *mesh);
    return mesh;
}
