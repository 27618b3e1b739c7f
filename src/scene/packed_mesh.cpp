#include "scene/packed_mesh.h"

#include <algorithm>

#include "d3dx/d3dx_math.h"

namespace {

std::array<std::uint16_t, 3> readSwappedCorners(SceneByteReader& in) {
    const std::uint16_t a = in.u16();
    const std::uint16_t b = in.u16();
    const std::uint16_t c = in.u16();
    return {b, a, c};
}

bool cornersBelow(const std::array<std::uint16_t, 3>& corners, std::uint32_t count) {
    return corners[0] < count && corners[1] < count && corners[2] < count;
}

D3DXVECTOR3 plus(const D3DXVECTOR3& a, const D3DXVECTOR3& b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}

}  // namespace

bool PackedMesh::read(SceneByteReader& in, std::string& problem) {
    return readFrames(in, problem) && readFaces(in, problem) && readTextureFaces(in, problem) &&
           checkSize(problem);
}

bool PackedMesh::readFrames(SceneByteReader& in, std::string& problem) {
    vertexCount_ = in.u32();
    const std::uint32_t frameCount = in.u32();
    if (!in.holds(frameCount, 4 + 12 * std::uint64_t(vertexCount_))) return false;
    if (frameCount == 0) problem = "packed mesh without frames";
    if (vertexCount_ > kMaxVertices)
        problem = "packed mesh of " + std::to_string(vertexCount_) + " vertices, more than 65535";
    if (!problem.empty()) return false;
    frames_.resize(frameCount);
    for (MorphFrame& frame : frames_) {
        frame.time = float(in.i32());
        frame.positions.resize(vertexCount_);
        for (D3DXVECTOR3& position : frame.positions) position = in.vector();
    }
    return !in.failed();
}

bool PackedMesh::readFaces(SceneByteReader& in, std::string& problem) {
    const std::uint32_t faceCount = in.u32();
    if (!in.holds(faceCount, 10)) return false;
    if (faceCount == 0) {
        problem = "packed mesh without faces";
        return false;
    }
    faces_.resize(faceCount);
    for (Face& face : faces_) face.corners = readSwappedCorners(in);
    for (Face& face : faces_) face.material = in.u16();
    for (Face& face : faces_) face.smoothingGroup = in.u16();
    for (const Face& face : faces_)
        if (!cornersBelow(face.corners, vertexCount_)) {
            problem = "packed mesh face names a vertex beyond its " + std::to_string(vertexCount_) +
                      " vertices";
            return false;
        }
    return !in.failed();
}

// Texture faces are in the file only when there are texture coordinates.
bool PackedMesh::readTextureFaces(SceneByteReader& in, std::string& problem) {
    const std::uint32_t count = in.u32();
    if (!in.holds(count, 8)) return false;
    textureCoordinates_.resize(count);
    for (D3DXVECTOR2& uv : textureCoordinates_) uv = in.pair();
    if (count == 0) return !in.failed();
    if (!in.holds(faces_.size(), 6)) return false;
    for (Face& face : faces_) face.textureCorners = readSwappedCorners(in);
    for (const Face& face : faces_)
        if (!cornersBelow(face.textureCorners, count)) {
            problem =
                "packed mesh texture face names a coordinate beyond its " + std::to_string(count);
            return false;
        }
    return !in.failed();
}

bool PackedMesh::checkSize(std::string& problem) const {
    const std::uint64_t slots = vertexCount_ + 3 * std::uint64_t(faces_.size());
    if (frames_.size() * slots <= kMaxFrameEntries) return true;
    problem = "packed mesh too large: " + std::to_string(frames_.size()) + " frames of up to " +
              std::to_string(slots) + " vertices";
    return false;
}

D3DXVECTOR3 PackedMesh::faceNormal(const MorphFrame& frame, const Face& face) const {
    const D3DXVECTOR3& p0 = frame.positions[face.corners[0]];
    const D3DXVECTOR3& p1 = frame.positions[face.corners[1]];
    const D3DXVECTOR3& p2 = frame.positions[face.corners[2]];
    D3DXVECTOR3 e1, e2, normal;
    D3DXVec3Subtract(&e1, &p1, &p0);
    D3DXVec3Subtract(&e2, &p2, &p1);
    D3DXVec3Cross(&normal, &e1, &e2);
    return *D3DXVec3Normalize(&normal, &normal);
}

bool PackedMesh::build(SceneMesh& mesh, std::string& problem) {
    std::vector<VertexClaim> claims(vertexCount_);
    for (MorphFrame& frame : frames_) frame.normals.assign(vertexCount_, {0, 0, 0});
    faceNormals_.resize(frames_.size());
    for (Face& face : faces_) {
        for (std::size_t f = 0; f < frames_.size(); ++f)
            faceNormals_[f] = faceNormal(frames_[f], face);
        for (int corner = 0; corner < 3; ++corner)
            if (!assignCorner(face, corner, claims)) {
                problem = "packed mesh needs more than 65535 vertices";
                return false;
            }
    }
    groupFacesByMaterial(mesh);
    fillVertices(mesh, claims);
    return true;
}

// The first face at a vertex claims it; a later face shares it (adding its
// normal) when smoothing group and texture coordinate agree, and otherwise
// gets a copy of its own, which no later face shares.
bool PackedMesh::assignCorner(Face& face, int corner, std::vector<VertexClaim>& claims) {
    const D3DXVECTOR2 uv = textureCoordinates_.empty()
                               ? D3DXVECTOR2{0, 0}
                               : textureCoordinates_[face.textureCorners[corner]];
    const std::uint16_t k = face.corners[corner];
    VertexClaim& claim = claims[k];
    if (claim.smoothingGroup < 0) {
        claim = {face.smoothingGroup, uv};
        for (std::size_t f = 0; f < frames_.size(); ++f) frames_[f].normals[k] = faceNormals_[f];
    } else if (claim.smoothingGroup != face.smoothingGroup || claim.uv.x != uv.x ||
               claim.uv.y != uv.y) {
        if (claims.size() >= kMaxVertices) return false;
        for (std::size_t f = 0; f < frames_.size(); ++f) {
            const D3DXVECTOR3 position = frames_[f].positions[k];
            frames_[f].positions.push_back(position);
            frames_[f].normals.push_back(faceNormals_[f]);
        }
        claims.push_back({face.smoothingGroup, uv});
        face.corners[corner] = std::uint16_t(claims.size() - 1);
    } else {
        for (std::size_t f = 0; f < frames_.size(); ++f)
            frames_[f].normals[k] = plus(frames_[f].normals[k], faceNormals_[f]);
    }
    return true;
}

// Faces of equal material keep their file order.
void PackedMesh::groupFacesByMaterial(SceneMesh& mesh) {
    std::stable_sort(faces_.begin(), faces_.end(),
                     [](const Face& a, const Face& b) { return a.material < b.material; });
    for (const Face& face : faces_) {
        if (mesh.faceGroups.empty() || mesh.faceGroups.back().materialIndex != face.material) {
            mesh.faceGroups.emplace_back();
            mesh.faceGroups.back().materialIndex = face.material;
        }
        std::vector<std::uint16_t>& indices = mesh.faceGroups.back().indices;
        indices.insert(indices.end(), face.corners.begin(), face.corners.end());
    }
}

// The vertex array keeps frame 0's summed normals; the frames get unit ones.
void PackedMesh::fillVertices(SceneMesh& mesh, const std::vector<VertexClaim>& claims) {
    mesh.isMorph = true;
    mesh.vertices.resize(claims.size());
    mesh.textureCoordinates.resize(claims.size());
    for (std::size_t v = 0; v < claims.size(); ++v) {
        mesh.vertices[v] = {frames_[0].positions[v], frames_[0].normals[v], claims[v].uv.x,
                            claims[v].uv.y};
        mesh.textureCoordinates[v] = claims[v].uv;
    }
    for (MorphFrame& frame : frames_)
        for (D3DXVECTOR3& normal : frame.normals) D3DXVec3Normalize(&normal, &normal);
    mesh.morphFrames = std::move(frames_);
}
