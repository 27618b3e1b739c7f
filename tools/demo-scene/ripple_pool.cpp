#include "ripple_pool.h"

#include <algorithm>
#include <cmath>

#include "mesh_geometry.h"
#include "scene_timing.h"
#include "vector_math.h"

namespace {

// Vertex 0 is the centre; ring r (from 1) holds `segments` vertices from
// index 1 + (r − 1) × segments on, going round once without a seam.
struct PolarGrid {
    unsigned rings, segments;
    std::uint16_t at(unsigned ring, unsigned segment) const {
        if (ring == 0) return 0;
        return std::uint16_t(1 + (ring - 1) * segments + segment % segments);
    }
    std::size_t vertexCount() const { return 1 + std::size_t(rings) * segments; }
};

float rippleHeight(const RippleShape& shape, float distance, float phase) {
    const float wave = 2 * kPi * (distance / shape.waveLength - float(shape.wavesPerLoop) * phase);
    // Calm in the very middle, so the centre vertex does not bob on its own.
    const float calm = std::min(1.0f, distance / shape.waveLength);
    return shape.height * calm * std::sin(wave);
}

std::vector<D3DXVECTOR3> surfaceAt(const RippleShape& shape, const PolarGrid& grid, float phase) {
    std::vector<D3DXVECTOR3> points(grid.vertexCount());
    points[0] = {0, rippleHeight(shape, 0, phase), 0};
    for (unsigned ring = 1; ring <= grid.rings; ++ring)
        for (unsigned segment = 0; segment < grid.segments; ++segment) {
            const float distance = shape.radius * float(ring) / float(grid.rings);
            const float angle = 2 * kPi * float(segment) / float(grid.segments);
            points[grid.at(ring, segment)] = {distance * std::cos(angle),
                                              rippleHeight(shape, distance, phase),
                                              distance * std::sin(angle)};
        }
    return points;
}

// The faces of the flat disc, wound to face up.
std::vector<Y3dTriangle> upwardFaces(const PolarGrid& grid, const std::vector<D3DXVECTOR3>& flat) {
    MeshGeometry mesh;
    for (const D3DXVECTOR3& p : flat) mesh.addVertex({p, {0, 1, 0}, 0, 0});
    for (unsigned segment = 0; segment < grid.segments; ++segment)
        mesh.addTriangle(0, grid.at(0, 0), grid.at(1, segment), grid.at(1, segment + 1));
    for (unsigned ring = 1; ring < grid.rings; ++ring)
        for (unsigned segment = 0; segment < grid.segments; ++segment) {
            mesh.addTriangle(0, grid.at(ring, segment), grid.at(ring + 1, segment),
                             grid.at(ring + 1, segment + 1));
            mesh.addTriangle(0, grid.at(ring, segment), grid.at(ring + 1, segment + 1),
                             grid.at(ring, segment + 1));
        }
    return mesh.groups().front().triangles;
}

}  // namespace

Y3dPackedMesh ripplePool(std::uint16_t material, const RippleShape& shape) {
    const PolarGrid grid{shape.rings, shape.segments};
    Y3dPackedMesh mesh;
    mesh.vertexCount = std::uint32_t(grid.vertexCount());
    for (unsigned frame = 0; frame <= shape.frames; ++frame) {
        const float phase = float(frame) / float(shape.frames);
        mesh.frames.push_back({loopTick(phase), surfaceAt(shape, grid, phase)});
    }
    std::vector<D3DXVECTOR3> flat = surfaceAt(shape, grid, 0);
    for (D3DXVECTOR3& p : flat) p.y = 0;
    mesh.faces = upwardFaces(grid, flat);
    mesh.faceMaterials.assign(mesh.faces.size(), material);
    mesh.smoothingGroups.assign(mesh.faces.size(), 1);
    return mesh;
}
