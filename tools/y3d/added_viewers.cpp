// A camera for inputs that bring none (OBJ, most 3DS), and a light when
// they bring no light either, so the converted scene can be looked at at
// once: the camera looks at the
// model's centre from in front of it (−z, once mirrored), the light sits
// above and beside the camera.
#include <algorithm>

#include "d3dx/d3dx_math.h"
#include "mirroring.h"
#include "node_plan.h"
#include "scene_converter.h"

namespace {

void collectPoints(const aiScene& scene, const aiNode& node, const PoseSampler& poses, float scale,
                   std::vector<D3DXVECTOR3>& points) {
    const aiMatrix4x4 world = poses.global(node, 0);
    for (unsigned index : triangleMeshesOf(scene, node)) {
        const aiMesh& mesh = *scene.mMeshes[index];
        for (unsigned i = 0; i < mesh.mNumVertices; ++i)
            points.push_back(mirroredPoint(world * mesh.mVertices[i], scale));
    }
    for (unsigned i = 0; i < node.mNumChildren; ++i)
        collectPoints(scene, *node.mChildren[i], poses, scale, points);
}

}  // namespace

void SceneConverter::writeAddedViewers() {
    std::vector<D3DXVECTOR3> points;
    collectPoints(scene_, *scene_.mRootNode, poses_, options_.scale, points);
    D3DXVECTOR3 centre{0, 0, 0};
    float radius = 1;
    D3DXComputeBoundingSphere(points.data(), DWORD(points.size()), D3DFVF_XYZ, &centre, &radius);
    radius = std::max(radius, 1e-3f);
    const D3DXVECTOR3 eye{centre.x, centre.y + radius * 0.5f, centre.z - radius * 2.5f};
    const std::int32_t targetId = nextId_++;
    beginDummy(out_);
    writeStill(names_.claim("Target"), targetId, -1, -1, centre);
    out_.end();
    beginCamera(out_, {0, 0.8f, radius * 2.5f});
    writeStill(names_.claim("Camera"), nextId_++, -1, targetId, eye);
    out_.end();
    result_.summary.dummies += 1;
    result_.summary.cameras += 1;
    if (result_.summary.lights > 0) return;  // the input lights itself
    beginLight(out_, {0, {1, 1, 1}, {0.2f, 0.2f, 0.2f}, {1, 1, 1}, 0, 0, 0, 0, radius});
    writeStill(names_.claim("Light"), nextId_++, -1, targetId,
               {eye.x + radius, eye.y + radius, eye.z});
    out_.end();
    result_.summary.lights += 1;
}
