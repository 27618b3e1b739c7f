// Skinned meshes and meshes with morph targets become packed meshes whose
// morph frames hold the deformed positions at every scene frame, in the
// node's own space (the node still moves by its tracks). The player works
// the normals out from the faces, all in one smoothing group.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "mesh_building.h"
#include "mirroring.h"
#include "scene/packed_mesh.h"
#include "scene_converter.h"

namespace {

bool deforms(const aiMesh& mesh) {
    return mesh.mNumBones > 0 || mesh.mNumAnimMeshes > 0;
}

const aiMeshMorphAnim* morphChannel(const aiAnimation* animation, const aiNode& node,
                                    const aiMesh& mesh) {
    for (unsigned i = 0; animation != nullptr && i < animation->mNumMorphMeshChannels; ++i) {
        const aiMeshMorphAnim* channel = animation->mMorphMeshChannels[i];
        if (channel->mName == node.mName || channel->mName == mesh.mName) return channel;
    }
    return nullptr;
}

// Each target's weight at `time` (input ticks), keys interpolated linearly;
// the mesh's own weights without keys.
std::vector<float> morphWeights(const aiMesh& mesh, const aiMeshMorphAnim* channel, double time) {
    std::vector<float> weights(mesh.mNumAnimMeshes);
    for (unsigned k = 0; k < mesh.mNumAnimMeshes; ++k) weights[k] = mesh.mAnimMeshes[k]->mWeight;
    if (channel == nullptr || channel->mNumKeys == 0) return weights;
    const aiMeshMorphKey* keys = channel->mKeys;
    unsigned i = 0;
    while (i + 1 < channel->mNumKeys && keys[i + 1].mTime <= time) ++i;
    const bool between = i + 1 < channel->mNumKeys && time > keys[i].mTime;
    const double s = between ? (time - keys[i].mTime) / (keys[i + 1].mTime - keys[i].mTime) : 0;
    std::fill(weights.begin(), weights.end(), 0.0f);
    for (const auto& [key, share] :
         {std::pair{&keys[i], 1 - s}, std::pair{&keys[std::min(i + 1, channel->mNumKeys - 1)], s}})
        for (unsigned v = 0; v < key->mNumValuesAndWeights; ++v)
            if (key->mValues[v] < weights.size())
                weights[key->mValues[v]] += float(key->mWeights[v] * share);
    return weights;
}

// Positions of the mesh at `seconds`, in the space of `node`.
std::vector<aiVector3D> deformedPositions(const aiNode& root, const aiMesh& mesh,
                                          const aiNode& node, const PoseSampler& poses,
                                          const aiAnimation* animation, double seconds) {
    std::vector<aiVector3D> p(mesh.mVertices, mesh.mVertices + mesh.mNumVertices);
    const std::vector<float> weights =
        morphWeights(mesh, morphChannel(animation, node, mesh), seconds * poses.ticksPerSecond());
    for (unsigned k = 0; k < mesh.mNumAnimMeshes; ++k)
        for (unsigned v = 0; v < mesh.mNumVertices && mesh.mAnimMeshes[k]->mVertices; ++v)
            p[v] += (mesh.mAnimMeshes[k]->mVertices[v] - mesh.mVertices[v]) * weights[k];
    if (mesh.mNumBones == 0) return p;
    std::vector<aiVector3D> skinned(p.size());
    std::vector<bool> weighted(p.size(), false);
    aiMatrix4x4 toNode = poses.global(node, seconds);
    toNode.Inverse();
    for (unsigned b = 0; b < mesh.mNumBones; ++b) {
        const aiBone& bone = *mesh.mBones[b];
        const aiNode* boneNode = root.FindNode(bone.mName);
        if (boneNode == nullptr) continue;
        const aiMatrix4x4 m = toNode * poses.global(*boneNode, seconds) * bone.mOffsetMatrix;
        for (unsigned w = 0; w < bone.mNumWeights; ++w) {
            const aiVertexWeight& weight = bone.mWeights[w];
            skinned[weight.mVertexId] += (m * p[weight.mVertexId]) * weight.mWeight;
            weighted[weight.mVertexId] = true;
        }
    }
    for (std::size_t v = 0; v < p.size(); ++v)
        if (!weighted[v]) skinned[v] = p[v];  // no bone moves it
    return skinned;
}

// The reader splits a vertex wherever its faces' texture coordinates
// differ, and a coordinate that is no number differs even from itself.
float numberOr0(float value) {
    return std::isnan(value) ? 0.0f : value;
}

// Texture coordinates and faces of the node's meshes, their vertices
// numbered on from one mesh to the next.
Y3dPackedMesh packedFaces(const aiScene& scene, const std::vector<unsigned>& meshes, float scale) {
    Y3dPackedMesh packed;
    for (unsigned i : meshes) {
        const aiMesh& mesh = *scene.mMeshes[i];
        const std::uint32_t first = packed.vertexCount;
        for (unsigned v = 0; v < mesh.mNumVertices; ++v) {
            const SceneVertex vertex = sceneVertex(mesh, v, scale);
            packed.textureCoordinates.push_back({numberOr0(vertex.u), numberOr0(vertex.v)});
        }
        for (unsigned f = 0; f < mesh.mNumFaces; ++f) {
            const unsigned* c = mesh.mFaces[f].mIndices;
            if (mesh.mFaces[f].mNumIndices != 3) continue;
            // As for plain meshes: drawn (a, c, b), stored (c, a, b).
            const Y3dTriangle face{std::uint16_t(first + c[2]), std::uint16_t(first + c[0]),
                                   std::uint16_t(first + c[1])};
            packed.faces.push_back(face);
            packed.textureFaces.push_back(face);
            packed.faceMaterials.push_back(std::uint16_t(mesh.mMaterialIndex));
            packed.smoothingGroups.push_back(1);
        }
        packed.vertexCount += mesh.mNumVertices;
    }
    return packed;
}

// The scene frames to bake: every one while frames × vertex slots stay
// within `budget`, otherwise evenly spaced ones ending with the last (the
// player blends between them).
std::vector<std::int32_t> bakedFrames(std::int32_t lastFrame, std::uint64_t slots,
                                      std::uint64_t budget) {
    const std::uint64_t most = budget / slots;  // at least 1
    std::int32_t step = 1;
    if (std::uint64_t(lastFrame) + 1 > most)
        step = most > 1 ? std::int32_t((std::uint64_t(lastFrame) + most - 2) / (most - 1))
                        : lastFrame + 1;
    std::vector<std::int32_t> frames;
    for (std::int32_t frame = 0; frame < lastFrame; frame += step) frames.push_back(frame);
    if (step <= lastFrame || lastFrame == 0) frames.push_back(lastFrame);
    return frames;
}

}  // namespace

void SceneConverter::bakeMorphFrames(const PlannedNode& planned,
                                     const std::vector<unsigned>& meshes, Y3dPackedMesh& packed) {
    const std::int32_t lastFrame = animation_ != nullptr ? length_ : 0;
    const std::uint64_t slots = packed.vertexCount + 3 * std::uint64_t(packed.faces.size());
    const std::vector<std::int32_t> frames = bakedFrames(lastFrame, slots, morphBudget_);
    if (frames.size() < std::size_t(lastFrame) + 1)
        result_.warnings.push_back("mesh " + planned.name + " baked at " +
                                   std::to_string(frames.size()) + " of its frames");
    for (std::int32_t frame : frames) {
        Y3dMorphFrame out{frame * SceneClock::kTicks, {}};
        for (unsigned i : meshes)
            for (const aiVector3D& p :
                 deformedPositions(*scene_.mRootNode, *scene_.mMeshes[i], *planned.node, poses_,
                                   animation_, double(frame) / clock_.framesPerSecond))
                out.positions.push_back(mirroredPoint(p, options_.scale));
        packed.frames.push_back(std::move(out));
    }
}

bool SceneConverter::deformsAny(const aiNode& node) const {
    const std::vector<unsigned> meshes = triangleMeshesOf(scene_, node);
    return std::any_of(meshes.begin(), meshes.end(),
                       [&](unsigned i) { return deforms(*scene_.mMeshes[i]); });
}

// The reader's limit on one packed mesh (frames × vertex slots) shared out
// among the scene's morphing meshes, which keeps the whole file within it.
void SceneConverter::shareMorphBudget(const NodePlan& plan) {
    const auto morphing = std::count_if(plan.nodes.begin(), plan.nodes.end(), [&](auto& planned) {
        return planned.kind == PlannedKind::Mesh && deformsAny(*planned.node);
    });
    morphBudget_ = PackedMesh::kMaxFrameEntries / std::max<std::uint64_t>(1, morphing);
}

// False when the node's meshes do not deform, or are too large for one
// packed mesh (they are then written still, with a warning).
bool SceneConverter::writeMorphMesh(const PlannedNode& planned) {
    if (!deformsAny(*planned.node)) return false;
    const std::vector<unsigned> meshes = triangleMeshesOf(scene_, *planned.node);
    Y3dPackedMesh packed = packedFaces(scene_, meshes, options_.scale);
    const std::uint64_t slots = packed.vertexCount + 3 * std::uint64_t(packed.faces.size());
    if (packed.vertexCount > kMaxMeshVertices || slots > morphBudget_) {
        result_.warnings.push_back("mesh " + planned.name + " is too large to morph; left still");
        return false;
    }
    bakeMorphFrames(planned, meshes, packed);
    beginPackedMesh(out_, packed);
    writeHeader(planned.name, planned.id, planned.parentId, -1, planned.node);
    writeTracks(planned.node);
    out_.end();
    ++result_.summary.meshNodes;
    ++result_.summary.meshes;
    ++result_.summary.morphMeshes;
    result_.summary.vertices += packed.vertexCount;
    result_.summary.triangles += packed.faces.size();
    return true;
}
