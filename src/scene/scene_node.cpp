#include "scene/scene_node.h"

#include "d3dx/d3dx_math.h"
#include "scene/scene.h"

SceneNode::SceneNode() {
    D3DXMatrixIdentity(&world);
}

void SceneNode::update(Scene& scene, float time) {
    std::vector<SceneNode*>& pending = scene.updateStack;
    pending.clear();
    pending.push_back(this);
    while (!pending.empty()) {
        SceneNode* node = pending.back();
        pending.pop_back();
        node->updateOwn(time);
        pending.insert(pending.end(), node->children.rbegin(), node->children.rend());
    }
}

void SceneNode::updateOwn(float time) {
    position = positionTrack.evaluate(time);
    rotation = rotationTrack.evaluate(time);
    scale = scaleTrack.evaluate(time);
    D3DXMATRIX step;
    D3DXMatrixIdentity(&world);
    D3DXMatrixMultiply(&world, &world, D3DXMatrixScaling(&step, scale.x, scale.y, scale.z));
    D3DXMatrixMultiply(&world, &world, D3DXMatrixRotationQuaternion(&step, &rotation));
    D3DXMatrixMultiply(&world, &world,
                       D3DXMatrixTranslation(&step, position.x, position.y, position.z));
    if (parent == nullptr) return;
    D3DXMatrixMultiply(&world, &world, &parent->world);
    D3DXVec3TransformCoord(&position, &position, &parent->world);
}
