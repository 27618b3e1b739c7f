#include "mesh_geometry.h"

#include <stdexcept>

#include "vector_math.h"

std::uint16_t MeshGeometry::addVertex(const SceneVertex& vertex) {
    if (vertices_.size() >= 0xFFFF)
        throw std::length_error("a mesh needs more than 65535 vertices");
    vertices_.push_back(vertex);
    return std::uint16_t(vertices_.size() - 1);
}

// Drawn (a, b, c), a triangle faces the viewer when it runs clockwise on
// screen, which makes (b − a) × (c − b) point towards the viewer.
void MeshGeometry::addTriangle(std::uint32_t material, std::uint16_t a, std::uint16_t b,
                               std::uint16_t c) {
    const SceneVertex &va = vertices_[a], &vb = vertices_[b], &vc = vertices_[c];
    const D3DXVECTOR3 face = cross(vb.position - va.position, vc.position - vb.position);
    if (length(face) < 1e-9f) return;
    const D3DXVECTOR3 wanted = va.normal + vb.normal + vc.normal;
    if (dot(face, wanted) < 0) std::swap(b, c);
    groupFor(material).triangles.push_back({b, a, c});
}

void MeshGeometry::addGrid(std::uint32_t material, unsigned columns, unsigned rows,
                           const SurfaceFunction& surface) {
    const auto first = std::uint32_t(vertices_.size());
    for (unsigned row = 0; row <= rows; ++row)
        for (unsigned column = 0; column <= columns; ++column)
            addVertex(surface(float(column) / float(columns), float(row) / float(rows)));
    const auto at = [&](unsigned column, unsigned row) {
        return std::uint16_t(first + row * (columns + 1) + column);
    };
    for (unsigned row = 0; row < rows; ++row)
        for (unsigned column = 0; column < columns; ++column) {
            addTriangle(material, at(column, row), at(column + 1, row), at(column + 1, row + 1));
            addTriangle(material, at(column, row), at(column + 1, row + 1), at(column, row + 1));
        }
}

void MeshGeometry::addFan(std::uint32_t material, const SceneVertex& centre,
                          const std::vector<SceneVertex>& rim) {
    const std::uint16_t middle = addVertex(centre);
    std::vector<std::uint16_t> ring;
    for (const SceneVertex& v : rim) ring.push_back(addVertex(v));
    for (std::size_t i = 0; i + 1 < ring.size(); ++i)
        addTriangle(material, middle, ring[i], ring[i + 1]);
}

std::size_t MeshGeometry::triangleCount() const {
    std::size_t count = 0;
    for (const MaterialTriangles& group : groups_) count += group.triangles.size();
    return count;
}

MaterialTriangles& MeshGeometry::groupFor(std::uint32_t material) {
    for (MaterialTriangles& group : groups_)
        if (group.material == material) return group;
    groups_.push_back({material, {}});
    return groups_.back();
}
