// Morph animation: the two frames around the scene time blended into the
// vertex buffer, once per distinct time.
#include <cstddef>

#include "scene/scene_mesh.h"

// Before the first frame the first, from the last frame on the last; a time
// no segment holds (not a number, or frames out of time order) shows frame 0.
MorphPose SceneMesh::poseAt(float t) const {
    const std::size_t k = morphFrames.size();
    if (k == 0) return {};
    if (t < morphFrames[0].time) return {&morphFrames[0]};
    if (t >= morphFrames[k - 1].time) return {&morphFrames[k - 1]};
    for (std::size_t i = 0; i + 1 < k; ++i) {
        const MorphFrame& a = morphFrames[i];
        const MorphFrame& b = morphFrames[i + 1];
        if (a.time <= t && t < b.time) return {&a, &b, (t - a.time) / (b.time - a.time)};
    }
    return {&morphFrames[0]};
}

// Normals are blended without renormalizing; drawing normalizes them.
void SceneMesh::writePose(const MorphPose& pose, SceneVertex* out) const {
    const MorphFrame& a = *pose.from;
    const MorphFrame& b = pose.to != nullptr ? *pose.to : a;
    const float s = pose.to != nullptr ? pose.s : 0.0f;
    for (std::size_t v = 0; v < vertices.size(); ++v) {
        const D3DXVECTOR3& pa = a.positions[v];
        const D3DXVECTOR3& pb = b.positions[v];
        const D3DXVECTOR3& na = a.normals[v];
        const D3DXVECTOR3& nb = b.normals[v];
        out[v].position = {pa.x + s * (pb.x - pa.x), pa.y + s * (pb.y - pa.y),
                           pa.z + s * (pb.z - pa.z)};
        out[v].normal = {na.x + s * (nb.x - na.x), na.y + s * (nb.y - na.y),
                         na.z + s * (nb.z - na.z)};
        out[v].u = vertices[v].u;
        out[v].v = vertices[v].v;
    }
}

void SceneMesh::updateMorph(float time) {
    if (time == lastMorphTime) return;
    lastMorphTime = time;
    const MorphPose pose = poseAt(time);
    if (pose.from == nullptr) return;
    if (pose.to == nullptr)
        refill(*pose.from);
    else
        fillVertexBuffer(pose);
}

void SceneMesh::refill(const MorphFrame& frame) {
    fillVertexBuffer({&frame});
}

// Locks the whole buffer; a mesh without one (not ready) is left alone.
bool SceneMesh::fillVertexBuffer(const MorphPose& pose) {
    if (vertexBuffer == nullptr) return false;
    BYTE* data = nullptr;
    const UINT length = UINT(vertices.size() * sizeof(SceneVertex));
    if (FAILED(vertexBuffer->Lock(0, length, &data, 0))) return false;
    writePose(pose, reinterpret_cast<SceneVertex*>(data));
    vertexBuffer->Unlock();
    return true;
}
