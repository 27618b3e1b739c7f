#include "mesh_building.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <unordered_map>

#include "d3dx/d3dx_math.h"
#include "mirroring.h"

namespace {

// Vertices are equal when all their bytes are.
std::string bytesOf(const SceneVertex& v) {
    return {reinterpret_cast<const char*>(&v), sizeof v};
}

class MeshBuilder {
  public:
    explicit MeshBuilder(float scale) : scale_(scale) { startMesh(); }

    void add(const aiMesh& mesh) {
        for (unsigned f = 0; f < mesh.mNumFaces; ++f) {
            const aiFace& face = mesh.mFaces[f];
            if (face.mNumIndices == 3) addTriangle(mesh, face.mIndices);
        }
    }

    std::vector<BuiltMesh> finish() {
        if (built_.back().groups.empty()) built_.pop_back();
        return std::move(built_);
    }

  private:
    void startMesh() {
        built_.emplace_back();
        index_.clear();
    }

    std::size_t newVertices(const SceneVertex (&corners)[3]) const {
        std::size_t count = 0;
        for (const SceneVertex& v : corners) count += index_.count(bytesOf(v)) == 0 ? 1 : 0;
        return count;
    }

    std::uint16_t indexOf(const SceneVertex& v) {
        std::vector<SceneVertex>& vertices = built_.back().vertices;
        auto [found, added] = index_.try_emplace(bytesOf(v), std::uint16_t(vertices.size()));
        if (added) vertices.push_back(v);
        return found->second;
    }

    BuiltFaceGroup& groupOf(std::uint32_t material) {
        std::vector<BuiltFaceGroup>& groups = built_.back().groups;
        auto group = std::find_if(groups.begin(), groups.end(),
                                  [&](const BuiltFaceGroup& g) { return g.material == material; });
        if (group != groups.end()) return *group;
        groups.push_back({material, {}});
        return groups.back();
    }

    // Drawn as (a, c, b), which keeps the mirrored face's front; the file
    // stores the first two corners swapped: (c, a, b).
    void addTriangle(const aiMesh& mesh, const unsigned* corners) {
        const SceneVertex v[3] = {sceneVertex(mesh, corners[0], scale_),
                                  sceneVertex(mesh, corners[1], scale_),
                                  sceneVertex(mesh, corners[2], scale_)};
        if (built_.back().vertices.size() + newVertices(v) > kMaxMeshVertices) startMesh();
        const std::uint16_t a = indexOf(v[0]), b = indexOf(v[1]), c = indexOf(v[2]);
        groupOf(mesh.mMaterialIndex).triangles.push_back({c, a, b});
    }

    float scale_;
    std::vector<BuiltMesh> built_;
    // The current mesh's vertices by their bytes.
    std::unordered_map<std::string, std::uint16_t> index_;
};

}  // namespace

std::size_t BuiltMesh::triangleCount() const {
    std::size_t count = 0;
    for (const BuiltFaceGroup& group : groups) count += group.triangles.size();
    return count;
}

SceneVertex sceneVertex(const aiMesh& mesh, unsigned index, float scale) {
    SceneVertex v{mirroredPoint(mesh.mVertices[index], scale), {0, 0, 0}, 0, 0};
    if (mesh.mNormals != nullptr) {
        v.normal = mirroredDirection(mesh.mNormals[index]);
        D3DXVec3Normalize(&v.normal, &v.normal);
    }
    if (mesh.mTextureCoords[0] != nullptr) {
        v.u = mesh.mTextureCoords[0][index].x;
        v.v = 1 - mesh.mTextureCoords[0][index].y;
    }
    return v;
}

std::vector<BuiltMesh> buildMeshes(const aiScene& scene, const std::vector<unsigned>& meshes,
                                   float scale) {
    MeshBuilder builder(scale);
    for (unsigned index : meshes) builder.add(*scene.mMeshes[index]);
    return builder.finish();
}
