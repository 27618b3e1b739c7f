#include "scene/scene.h"

Scene::Scene() {
    root.scaleTrack.addKey({0.0f, {1.0f, 1.0f, 1.0f}});
}

template <class Kind>
Kind& Scene::createNode(std::vector<Kind*>& kindList) {
    auto node = std::make_unique<Kind>();
    Kind& created = *node;
    nodes.push_back(std::move(node));
    kindList.push_back(&created);
    return created;
}

SceneMaterial& Scene::createMaterial() {
    materials.push_back(std::make_unique<SceneMaterial>());
    return *materials.back();
}

SceneMesh& Scene::createMesh() {
    return createNode(meshes);
}

SceneLight& Scene::createLight() {
    return createNode(lights);
}

SceneCamera& Scene::createCamera() {
    return createNode(cameras);
}

SceneDummy& Scene::createDummy() {
    return createNode(dummies);
}

SceneNode* Scene::findNode(std::string_view wanted) const {
    for (const auto& node : nodes)
        if (node->name == wanted) return node.get();
    return nullptr;
}

void Scene::update(float time) {
    root.update(*this, time);
}
