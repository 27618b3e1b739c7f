#include "obj_conversion.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>

#include "d3dx/d3dx_math.h"
#include "scene/y3d_chunk_writers.h"

namespace {

constexpr std::size_t kMaxMeshVertices = 65535;

// One mesh being filled: distinct vertices and triangles by material.
struct MeshPart {
    std::string objectName;
    std::size_t number = 1;  // parts of one object count from 1
    std::string name() const {
        return number == 1 ? objectName : objectName + "#" + std::to_string(number);
    }
    std::vector<SceneVertex> vertices;
    std::map<std::tuple<std::size_t, long, long>, std::uint16_t> vertexOf;
    std::vector<std::pair<long, std::vector<Y3dTriangle>>> groups;  // in order of first use
};

class ObjConverter {
  public:
    ObjConverter(const ObjModel& model, const ObjConversionOptions& options)
        : model_(model), options_(options) {}

    ObjConversionResult convert(const std::vector<MtlMaterial>& materials);

  private:
    D3DXVECTOR3 position(std::size_t index) const;
    void computeSmoothNormals();
    void convertObject(const ObjObject& object);
    void addTriangle(MeshPart& part, long material, const ObjCorner* corners[3]);
    std::size_t newCorners(const MeshPart& part, const ObjCorner* corners[3]) const;
    std::uint16_t vertexFor(MeshPart& part, const ObjCorner& corner);
    void writeMaterials(const std::vector<MtlMaterial>& materials);
    void writePart(const MeshPart& part);
    void writeViewers();
    void writeStill(const std::string& name, std::int32_t id, std::int32_t target, D3DXVECTOR3 at);

    const ObjModel& model_;
    const ObjConversionOptions& options_;
    std::vector<D3DXVECTOR3> smoothNormals_;  // per position, for corners without a normal
    std::vector<MeshPart> parts_;
    Y3dWriter out_;
    std::int32_t nextId_ = 1;
    ObjConversionResult result_;
};

// Mirrored in z and scaled.
D3DXVECTOR3 ObjConverter::position(std::size_t index) const {
    const D3DXVECTOR3& p = model_.positions[index];
    return {p.x * options_.scale, p.y * options_.scale, -p.z * options_.scale};
}

// Each face's normal, in the mirrored space, added to its corners'
// positions. As for packed meshes, the normal of a face drawn (p0, p1, p2)
// is (p1 − p0) × (p2 − p1).
void ObjConverter::computeSmoothNormals() {
    smoothNormals_.assign(model_.positions.size(), {0, 0, 0});
    for (const ObjObject& object : model_.objects)
        for (const ObjFace& face : object.faces)
            for (std::size_t i = 1; i + 1 < face.corners.size(); ++i) {
                const std::size_t at[3] = {face.corners[0].position, face.corners[i].position,
                                           face.corners[i + 1].position};
                // In drawing order, as faces are drawn once converted.
                D3DXVECTOR3 p[3] = {position(at[0]), position(at[2]), position(at[1])};
                D3DXVECTOR3 e1, e2, n;
                D3DXVec3Cross(&n, D3DXVec3Subtract(&e1, &p[1], &p[0]),
                              D3DXVec3Subtract(&e2, &p[2], &p[1]));
                for (std::size_t k : at)
                    smoothNormals_[k] = {smoothNormals_[k].x + n.x, smoothNormals_[k].y + n.y,
                                         smoothNormals_[k].z + n.z};
            }
    for (D3DXVECTOR3& n : smoothNormals_) D3DXVec3Normalize(&n, &n);
}

std::uint16_t ObjConverter::vertexFor(MeshPart& part, const ObjCorner& corner) {
    const auto key = std::make_tuple(corner.position, corner.uv, corner.normal);
    const auto found = part.vertexOf.find(key);
    if (found != part.vertexOf.end()) return found->second;
    SceneVertex vertex{position(corner.position), smoothNormals_[corner.position], 0, 0};
    if (corner.normal >= 0) {
        const D3DXVECTOR3& n = model_.normals[std::size_t(corner.normal)];
        vertex.normal = {n.x, n.y, -n.z};
        D3DXVec3Normalize(&vertex.normal, &vertex.normal);
    }
    if (corner.uv >= 0) {
        vertex.u = model_.uvs[std::size_t(corner.uv)].x;
        vertex.v = 1 - model_.uvs[std::size_t(corner.uv)].y;
    }
    part.vertices.push_back(vertex);
    const auto index = std::uint16_t(part.vertices.size() - 1);
    part.vertexOf.emplace(key, index);
    return index;
}

std::size_t ObjConverter::newCorners(const MeshPart& part, const ObjCorner* corners[3]) const {
    std::size_t count = 0;
    for (int i = 0; i < 3; ++i)
        count +=
            part.vertexOf.count({corners[i]->position, corners[i]->uv, corners[i]->normal}) ? 0 : 1;
    return count;
}

// Drawn in reverse of the OBJ order (a, c, b), which makes the mirrored
// face clockwise from the front; stored with the first two swapped: (c, a, b).
void ObjConverter::addTriangle(MeshPart& part, long material, const ObjCorner* corners[3]) {
    if (part.vertices.size() + newCorners(part, corners) > kMaxMeshVertices) {
        MeshPart next;
        next.objectName = part.objectName;
        next.number = part.number + 1;
        parts_.push_back(std::move(next));  // `part` is no longer valid
        addTriangle(parts_.back(), material, corners);
        return;
    }
    const std::uint16_t a = vertexFor(part, *corners[0]);
    const std::uint16_t b = vertexFor(part, *corners[1]);
    const std::uint16_t c = vertexFor(part, *corners[2]);
    auto group = std::find_if(part.groups.begin(), part.groups.end(),
                              [&](const auto& g) { return g.first == material; });
    if (group == part.groups.end()) group = part.groups.insert(part.groups.end(), {material, {}});
    group->second.push_back({c, a, b});
    ++result_.triangles;
}

// Polygons become fans around their first corner.
void ObjConverter::convertObject(const ObjObject& object) {
    parts_.emplace_back();
    parts_.back().objectName = object.name;
    for (const ObjFace& face : object.faces)
        for (std::size_t i = 1; i + 1 < face.corners.size(); ++i) {
            const ObjCorner* corners[3] = {&face.corners[0], &face.corners[i],
                                           &face.corners[i + 1]};
            addTriangle(parts_.back(), face.material, corners);
        }
}

void ObjConverter::writeMaterials(const std::vector<MtlMaterial>& materials) {
    for (const std::string& name : model_.materialNames) {
        auto found = std::find_if(materials.begin(), materials.end(),
                                  [&](const MtlMaterial& m) { return m.name == name; });
        MtlMaterial m;
        if (found != materials.end()) m = *found;
        beginMaterial(out_, {name, m.diffuse, m.ambient, m.specular, m.emissive, m.shininess,
                             m.transparency, 0});
        if (!m.colorMap.empty()) writeMaterialMap(out_, 0, m.colorMap);
        if (!m.opacityMap.empty()) writeMaterialMap(out_, 1, m.opacityMap);
        if (!m.reflectionMap.empty()) writeMaterialMap(out_, 2, m.reflectionMap);
        out_.end();
    }
}

// A node at `at` that does not move: one key on each track.
void ObjConverter::writeStill(const std::string& name, std::int32_t id, std::int32_t target,
                              D3DXVECTOR3 at) {
    Y3dNodeHeader header;
    header.name = name;
    header.id = id;
    header.targetId = target;
    writeNodeHeader(out_, header);
    writePositionTrack(out_, std::vector<Y3dVectorKey>{{0, at}});
    writeRotationTrack(out_, std::vector<Y3dRotationKey>{{0, {0, 0, 0, 1}}});
    writeScaleTrack(out_, std::vector<Y3dVectorKey>{{0, {1, 1, 1}}});
}

void ObjConverter::writePart(const MeshPart& part) {
    beginMesh(out_);
    writeStill(part.name(), nextId_++, -1, {0, 0, 0});
    writeMeshVertices(out_, part.vertices);
    for (const auto& [material, triangles] : part.groups)
        writeMeshFaceGroup(out_, material < 0 ? kY3dNoMaterial : std::uint32_t(material),
                           triangles);
    out_.end();
    ++result_.meshes;
    result_.vertices += part.vertices.size();
}

// The camera looks from in front of the model (−z, once mirrored) at its
// centre; the light sits above and to the side of the camera.
void ObjConverter::writeViewers() {
    std::vector<D3DXVECTOR3> points;
    for (std::size_t i = 0; i < model_.positions.size(); ++i) points.push_back(position(i));
    D3DXVECTOR3 centre{0, 0, 0};
    float radius = 1;
    D3DXComputeBoundingSphere(points.data(), DWORD(points.size()), D3DFVF_XYZ, &centre, &radius);
    radius = std::max(radius, 1e-3f);
    const D3DXVECTOR3 eye{centre.x, centre.y + radius * 0.5f, centre.z - radius * 2.5f};
    const std::int32_t targetId = nextId_++;
    beginDummy(out_);
    writeStill("Target", targetId, -1, centre);
    out_.end();
    beginCamera(out_, {0, 0.8f, radius * 2.5f});
    writeStill("Camera", nextId_++, targetId, eye);
    out_.end();
    beginLight(out_, {0, {1, 1, 1}, {0.2f, 0.2f, 0.2f}, {1, 1, 1}, 0, 0, 0, 0, radius});
    writeStill("Light", nextId_++, targetId, {eye.x + radius, eye.y + radius, eye.z});
    out_.end();
}

ObjConversionResult ObjConverter::convert(const std::vector<MtlMaterial>& materials) {
    computeSmoothNormals();
    for (const ObjObject& object : model_.objects) convertObject(object);
    beginContainer(out_);
    writeSceneTiming(out_, 0, 100, 160);
    writeMaterials(materials);
    for (const MeshPart& part : parts_) writePart(part);
    if (options_.addCamera && !model_.positions.empty()) writeViewers();
    result_.bytes = out_.finish();
    return std::move(result_);
}

}  // namespace

ObjConversionResult convertObj(const ObjModel& model, const std::vector<MtlMaterial>& materials,
                               const ObjConversionOptions& options) {
    return ObjConverter(model, options).convert(materials);
}
