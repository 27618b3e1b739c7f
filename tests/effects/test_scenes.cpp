#include "test_scenes.h"

#include <array>
#include <memory>
#include <numbers>

#include "scene/scene_registry.h"

TestScene::TestScene(const std::string& name) {
    auto owned = std::make_unique<Scene>();
    scene = owned.get();
    sceneRegistry().add(std::move(owned));
    scene->name = name;
    scene->length = 100;
    scene->ticksPerFrame = 160;
    SceneDummy& centre = scene->createDummy();
    centre.name = "centre";
    place(centre, 0, 0, 0);
    camera = &scene->createCamera();
    camera->name = "eye";
    camera->fieldOfView = std::numbers::pi_v<float> / 2;
    camera->target = &centre;
    place(*camera, 0, 0, -10);
}

void TestScene::place(SceneNode& node, float x, float y, float z) {
    node.positionTrack.addKey({0.0f, {x, y, z}});
    node.scaleTrack.addKey({0.0f, {1.0f, 1.0f, 1.0f}});
    scene->root.children.push_back(&node);
}

// Corners clockwise as the camera sees them, so that counter-clockwise
// culling keeps the front face.
SceneMesh& TestScene::addSquare(float x, float y, float z, int material, float size) {
    SceneMesh& mesh = scene->createMesh();
    mesh.name = "square" + std::to_string(scene->meshes.size());
    place(mesh, x, y, z);
    const float h = size / 2;
    for (const auto& [cx, cy, u, v] :
         {std::array<float, 4>{-h, h, 0, 0}, {h, h, 1, 0}, {h, -h, 1, 1}, {-h, -h, 0, 1}})
        mesh.vertices.push_back({{cx, cy, 0}, {0, 0, -1}, u, v});
    FaceGroup group;
    group.indices = {0, 1, 2, 0, 2, 3};
    group.materialIndex = material;
    mesh.faceGroups.push_back(group);
    return mesh;
}

SceneMaterial& TestScene::addMaterial(float transparency, std::uint32_t flags) {
    SceneMaterial& material = scene->createMaterial();
    material.diffuse = {1, 1, 1, 1 - transparency};
    material.transparency = transparency;
    material.flags = flags;
    return material;
}

SceneLight& TestScene::addLight(std::uint32_t kind) {
    SceneLight& light = scene->createLight();
    light.kind = kind;
    light.diffuse = {1, 1, 1, 1};
    light.constantAttenuation = 1;
    place(light, 0, 0, -5);
    return light;
}

SceneMesh& TestScene::addInstance(std::uint32_t source, float x, float y, float z) {
    SceneMesh& mesh = scene->createMesh();
    mesh.isInstance = true;
    mesh.sourceIndex = source;
    place(mesh, x, y, z);
    return mesh;
}

Scene& TestScene::finish() {
    scene->createMeshBuffers();
    scene->prepareTracks();
    scene->update(0);
    return *scene;
}
