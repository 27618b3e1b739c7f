// SceneMesh::computeBounds: the sphere and box culling tests use, in mesh
// space, from the geometry mesh (itself or an instance's source).
#include <algorithm>

#include "d3dx/d3dx_math.h"
#include "scene/scene.h"

namespace {

constexpr float kFloatMax = 3.4028235e38f;

struct Box {
    D3DXVECTOR3 min{kFloatMax, kFloatMax, kFloatMax};
    D3DXVECTOR3 max{-kFloatMax, -kFloatMax, -kFloatMax};

    void include(const D3DXVECTOR3& p) {
        min = {std::min(min.x, p.x), std::min(min.y, p.y), std::min(min.z, p.z)};
        max = {std::max(max.x, p.x), std::max(max.y, p.y), std::max(max.z, p.z)};
    }
    D3DXVECTOR3 middle() const {
        return {min.x + (max.x - min.x) / 2, min.y + (max.y - min.y) / 2,
                min.z + (max.z - min.z) / 2};
    }
};

float distance(const D3DXVECTOR3& a, const D3DXVECTOR3& b) {
    D3DXVECTOR3 d;
    return D3DXVec3Length(D3DXVec3Subtract(&d, &a, &b));
}

}  // namespace

// A mesh without vertices has all its bounds at the origin.
void SceneMesh::computeBounds(const Scene& scene) {
    const SceneMesh& g = geometry(scene);
    Box box;
    for (const SceneVertex& vertex : g.vertices) box.include(vertex.position);
    if (g.vertices.empty()) box = {{0, 0, 0}, {0, 0, 0}};
    if (g.isMorph) {
        for (const MorphFrame& frame : g.morphFrames)
            for (std::size_t v = 0; v < g.vertices.size(); ++v) box.include(frame.positions[v]);
        sphereCentre = box.middle();
    } else {
        float radius = 0;
        sphereCentre = {0, 0, 0};
        D3DXComputeBoundingSphere(g.vertices.data(), DWORD(g.vertices.size()), kSceneVertexFvf,
                                  &sphereCentre, &radius);
    }
    for (int i = 0; i < 8; ++i)
        boxCorners[i] = {(i & 1) ? box.max.x : box.min.x, (i & 2) ? box.max.y : box.min.y,
                         (i & 4) ? box.max.z : box.min.z};
    const bool maxIsFarther = distance(box.max, sphereCentre) > distance(box.min, sphereCentre);
    farCorner = maxIsFarther ? box.max : box.min;
}
