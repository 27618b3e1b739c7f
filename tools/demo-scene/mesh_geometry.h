// A mesh while it is being built: its vertices and its triangles grouped by
// material, ready to be written as a y3d mesh.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "scene/scene_vertex.h"
#include "scene/y3d_records.h"

struct MaterialTriangles {
    std::uint32_t material = 0;
    std::vector<Y3dTriangle> triangles;  // as stored: first two corners swapped
};

// Where a parametric surface is at (s, t), both in 0..1.
using SurfaceFunction = std::function<SceneVertex(float s, float t)>;

class MeshGeometry {
  public:
    // Throws std::length_error past the 16-bit index range.
    std::uint16_t addVertex(const SceneVertex& vertex);
    // A triangle of three vertices, wound so that its front faces the side
    // the corners' normals point to. Triangles without area are dropped.
    void addTriangle(std::uint32_t material, std::uint16_t a, std::uint16_t b, std::uint16_t c);
    // (columns + 1) × (rows + 1) vertices of `surface` and two triangles per cell.
    void addGrid(std::uint32_t material, unsigned columns, unsigned rows,
                 const SurfaceFunction& surface);
    // A flat fan from `centre` to the points of `rim` (in order, not closed).
    void addFan(std::uint32_t material, const SceneVertex& centre,
                const std::vector<SceneVertex>& rim);

    const std::vector<SceneVertex>& vertices() const { return vertices_; }
    const std::vector<MaterialTriangles>& groups() const { return groups_; }
    std::size_t triangleCount() const;

  private:
    MaterialTriangles& groupFor(std::uint32_t material);

    std::vector<SceneVertex> vertices_;
    std::vector<MaterialTriangles> groups_;
};
