#include "shapes.h"

#include <cmath>

#include "vector_math.h"

namespace {

constexpr float kTurn = 2 * kPi;

D3DXVECTOR3 onCircle(float angle, float radius, float y) {
    return {radius * std::cos(angle), y, radius * std::sin(angle)};
}

// A vertical wall of a cylinder between two heights; `facing` is +1 for an
// outer wall, −1 for an inner one.
void addWall(MeshGeometry& mesh, std::uint32_t material, float radius, float bottom, float top,
             float facing, unsigned segments) {
    mesh.addGrid(material, segments, 1, [=](float s, float t) {
        const float angle = s * kTurn;
        const D3DXVECTOR3 normal = onCircle(angle, facing, 0);
        return SceneVertex{onCircle(angle, radius, top + (bottom - top) * t), normal, s * 8, t};
    });
}

// Finite differences of a surface, for normals of shapes without a simple
// closed form. The sign is chosen so that the normal leans like `outward`.
D3DXVECTOR3 surfaceNormal(const std::function<D3DXVECTOR3(float, float)>& at, float s, float t,
                          D3DXVECTOR3 outward) {
    constexpr float h = 1e-3f;
    const D3DXVECTOR3 ds = at(s + h, t) - at(s - h, t);
    const D3DXVECTOR3 dt = at(s, t + h) - at(s, t - h);
    const D3DXVECTOR3 n = normalized(cross(ds, dt));
    return dot(n, outward) < 0 ? n * -1.0f : n;
}

// One face of a cube: centre direction `normal`, spanned by `across` and `down`.
void addCubeFace(MeshGeometry& mesh, std::uint32_t material, float half, D3DXVECTOR3 normal,
                 D3DXVECTOR3 across, D3DXVECTOR3 down) {
    mesh.addGrid(material, 1, 1, [=](float s, float t) {
        const D3DXVECTOR3 p =
            normal * half + across * ((s - 0.5f) * 2 * half) + down * ((t - 0.5f) * 2 * half);
        return SceneVertex{p, normal, s, t};
    });
}

}  // namespace

MeshGeometry ringPlatform(std::uint32_t top, std::uint32_t wall, float innerRadius,
                          float outerRadius, float depth) {
    MeshGeometry mesh;
    constexpr unsigned segments = 48;
    // The texture spans the stage once: the backdrop picture does not tile.
    const float across = 1 / (2 * outerRadius);
    mesh.addGrid(top, segments, 6, [=](float s, float t) {
        const D3DXVECTOR3 p = onCircle(s * kTurn, innerRadius + (outerRadius - innerRadius) * t, 0);
        return SceneVertex{p, {0, 1, 0}, p.x * across + 0.5f, p.z * across + 0.5f};
    });
    addWall(mesh, wall, outerRadius, -depth, 0, 1, segments);
    addWall(mesh, wall, innerRadius, -depth, 0, -1, segments);
    return mesh;
}

MeshGeometry sphere(std::uint32_t material, float radius, unsigned segments, unsigned rings) {
    MeshGeometry mesh;
    mesh.addGrid(material, segments, rings, [=](float s, float t) {
        const float around = s * kTurn, down = t * kPi;
        const D3DXVECTOR3 normal{std::sin(down) * std::cos(around), std::cos(down),
                                 std::sin(down) * std::sin(around)};
        return SceneVertex{normal * radius, normal, s * 2, t};
    });
    return mesh;
}

MeshGeometry torus(std::uint32_t material, float ringRadius, float tubeRadius, unsigned segments,
                   unsigned sides) {
    MeshGeometry mesh;
    mesh.addGrid(material, segments, sides, [=](float s, float t) {
        const float around = s * kTurn, tube = t * kTurn;
        const D3DXVECTOR3 normal = onCircle(around, std::cos(tube), std::sin(tube));
        const D3DXVECTOR3 centre = onCircle(around, ringRadius, 0);
        return SceneVertex{centre + normal * tubeRadius, normal, s * 8, t};
    });
    return mesh;
}

// The knot's core line winds p times round the z axis and q times through
// the hole of a torus of radii `size` and size / 2. The tube's frame comes
// from that torus: "out" points from the torus's core circle to the knot,
// which never vanishes and closes up after one lap.
MeshGeometry torusKnot(std::uint32_t material, int p, int q, float size, float tubeRadius,
                       unsigned segments, unsigned sides) {
    const auto core = [=](float a) {
        const float r = size * (1 + 0.5f * std::cos(q * a));
        return D3DXVECTOR3{r * std::cos(p * a), r * std::sin(p * a), 0.5f * size * std::sin(q * a)};
    };
    const auto ringPoint = [=](float a) {
        return D3DXVECTOR3{size * std::cos(p * a), size * std::sin(p * a), 0};
    };
    MeshGeometry mesh;
    mesh.addGrid(material, segments, sides, [=](float s, float t) {
        const float a = s * kTurn;
        const D3DXVECTOR3 centre = core(a);
        const D3DXVECTOR3 along = normalized(core(a + 1e-3f) - core(a - 1e-3f));
        const D3DXVECTOR3 away = centre - ringPoint(a);
        const D3DXVECTOR3 out = normalized(away - along * dot(away, along));
        const D3DXVECTOR3 side = cross(along, out);
        const float angle = t * kTurn;
        const D3DXVECTOR3 normal = out * std::cos(angle) + side * std::sin(angle);
        return SceneVertex{centre + normal * tubeRadius, normal, s * 16, t};
    });
    return mesh;
}

MeshGeometry twistedColumn(std::uint32_t material, float radius, unsigned flutes, float twist,
                           float height, unsigned segments, unsigned rows) {
    const auto at = [=](float s, float t) {
        const float angle = s * kTurn;
        const float reach = radius * (1 + 0.15f * std::cos(float(flutes) * angle));
        return onCircle(angle + twist * t, reach, height * t);
    };
    MeshGeometry mesh;
    mesh.addGrid(material, segments, rows, [=](float s, float t) {
        const D3DXVECTOR3 p = at(s, t);
        return SceneVertex{p, surfaceNormal(at, s, t, {p.x, 0, p.z}), s * 2, t * 3};
    });
    std::vector<SceneVertex> rim;
    for (unsigned i = 0; i <= segments; ++i) {
        const D3DXVECTOR3 p = at(float(i) / float(segments), 1);
        rim.push_back({p, {0, 1, 0}, 0.5f + p.x / (4 * radius), 0.5f + p.z / (4 * radius)});
    }
    mesh.addFan(material, {{0, height, 0}, {0, 1, 0}, 0.5f, 0.5f}, rim);
    return mesh;
}

MeshGeometry panel(std::uint32_t material, float width, float height, unsigned columns,
                   unsigned rows) {
    MeshGeometry mesh;
    mesh.addGrid(material, columns, rows, [=](float s, float t) {
        return SceneVertex{{(s - 0.5f) * width, t * height, 0}, {0, 0, -1}, s, 1 - t};
    });
    return mesh;
}

MeshGeometry cube(std::uint32_t material, float size) {
    MeshGeometry mesh;
    const float half = size / 2;
    addCubeFace(mesh, material, half, {0, 0, -1}, {1, 0, 0}, {0, -1, 0});
    addCubeFace(mesh, material, half, {0, 0, 1}, {-1, 0, 0}, {0, -1, 0});
    addCubeFace(mesh, material, half, {1, 0, 0}, {0, 0, 1}, {0, -1, 0});
    addCubeFace(mesh, material, half, {-1, 0, 0}, {0, 0, -1}, {0, -1, 0});
    addCubeFace(mesh, material, half, {0, 1, 0}, {1, 0, 0}, {0, 0, -1});
    addCubeFace(mesh, material, half, {0, -1, 0}, {1, 0, 0}, {0, 0, 1});
    return mesh;
}
