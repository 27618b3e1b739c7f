// SceneMesh::draw and SceneMesh::cull: one mesh in one pass, and whether it
// can be seen at all.
#include "d3dx/d3dx_math.h"
#include "media/texture_store.h"
#include "scene/scene.h"

void SceneMesh::cull(const ViewFrustum& frustum) {
    visible = false;
    D3DXVECTOR3 centre, far;
    D3DXVec3TransformCoord(&centre, &sphereCentre, &world);
    D3DXVec3TransformCoord(&far, &farCorner, &world);
    D3DXVECTOR3 reach;
    const float radius = D3DXVec3Length(D3DXVec3Subtract(&reach, &far, &centre));
    if (frustum.sphereOutside(centre, radius)) return;
    std::array<D3DXVECTOR3, 8> corners;
    for (int i = 0; i < 8; ++i) D3DXVec3TransformCoord(&corners[i], &boxCorners[i], &world);
    visible = !frustum.cornersOutside(corners);
}

// A group without triangles has no index buffer and nothing to draw.
void SceneMesh::drawGroup(IDirect3DDevice8& device, const FaceGroup& group, UINT vertexCount) {
    if (group.indexBuffer == nullptr) return;
    device.SetIndices(group.indexBuffer, 0);
    device.DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, vertexCount, 0,
                                UINT(group.indices.size() / 3));
}

// An instance is placed by its own world matrix and draws its source's
// buffers and morph state.
void SceneMesh::draw(Scene& scene, IDirect3DDevice8& device, int pass, float sceneTime) {
    if (!ready) return;
    device.SetTransform(D3DTS_WORLD, &world);
    SceneMesh& g = geometry(scene);
    if (g.isMorph) g.updateMorph(sceneTime);
    device.SetVertexShader(kSceneVertexFvf);
    device.SetStreamSource(0, g.vertexBuffer, sizeof(SceneVertex));
    const UINT vertexCount = UINT(g.vertices.size());
    for (const FaceGroup& group : g.faceGroups) {
        const SceneMaterial* material = nullptr;
        if (group.materialIndex < 0) {
            device.SetMaterial(&defaultMaterial());
            textureStore().bind(0, -1);
            textureStore().bind(1, -1);
        } else {
            material = scene.materials[std::size_t(group.materialIndex)].get();
            if (material->isTransparent() != (pass == 1)) continue;
            material->apply(scene, device);
        }
        drawGroup(device, group, vertexCount);
        if (material == nullptr || (material->flags & SceneMaterial::kTwoSided) == 0) continue;
        device.SetRenderState(D3DRS_CULLMODE, D3DCULL_CW);
        drawGroup(device, group, vertexCount);
        device.SetRenderState(D3DRS_CULLMODE, D3DCULL_CCW);
    }
}
