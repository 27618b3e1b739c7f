// SceneMesh::createBuffers: the mesh's vertices and face groups into
// write-only managed buffers, through the buffer registry.
#include <cstring>
#include <limits>

#include "scene/buffer_registry.h"
#include "scene/scene.h"

const SceneMesh& SceneMesh::geometry(const Scene& scene) const {
    return isInstance ? *scene.meshes[sourceIndex] : *this;
}

SceneMesh& SceneMesh::geometry(Scene& scene) {
    return isInstance ? *scene.meshes[sourceIndex] : *this;
}

// A mesh whose buffer the device refuses stays not ready and is not drawn.
void SceneMesh::createBuffers(const Scene& scene) {
    computeBounds(scene);
    if (isInstance) {
        ready = true;
        return;
    }
    ready = false;
    BufferRegistry& registry = bufferRegistry();
    if (vertexBuffer != nullptr) registry.releaseVertexBuffer(vertexBuffer);
    vertexBuffer = nullptr;
    if (vertices.size() > std::numeric_limits<UINT>::max() / sizeof(SceneVertex)) return;
    const UINT length = UINT(vertices.size() * sizeof(SceneVertex));
    vertexBuffer =
        registry.createVertexBuffer(length, D3DUSAGE_WRITEONLY, kSceneVertexFvf, D3DPOOL_MANAGED);
    if (vertexBuffer == nullptr) return;
    BYTE* data = nullptr;
    if (FAILED(vertexBuffer->Lock(0, length, &data, 0))) return;
    std::memcpy(data, vertices.data(), length);
    vertexBuffer->Unlock();
    for (FaceGroup& group : faceGroups)
        if (!group.createIndexBuffer()) return;
    ready = true;
}
