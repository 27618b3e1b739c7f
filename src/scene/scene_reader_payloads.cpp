// The payloads of the chunks that create objects and of those that add to
// the current object of their kind (wherever they stand in the tree).
#include "scene/scene_reader.h"

namespace {

SceneColor readColor(SceneByteReader& in, float alpha) {
    const D3DXVECTOR3 rgb = in.vector();
    return {rgb.x, rgb.y, rgb.z, alpha};
}

// Mode 0 constant, 1 linear, 2 quadratic; the distance scales the last two.
void setAttenuation(SceneLight& light, std::uint16_t mode, float distance) {
    if (mode == 0) light.constantAttenuation = 1;
    if (mode == 1) light.linearAttenuation = 1.3f / distance;
    if (mode == 2) light.quadraticAttenuation = 1.3f / distance;
}

}  // namespace

bool SceneReader::readTiming() {
    scene_->timingFirst = in_.i32();
    scene_->length = in_.i32();
    scene_->ticksPerFrame = in_.i32();
    return true;
}

bool SceneReader::readMaterial() {
    SceneMaterial& material = scene_->createMaterial();
    material_ = &material;
    material.name = in_.string();
    const D3DXVECTOR3 colors[4] = {in_.vector(), in_.vector(), in_.vector(), in_.vector()};
    material.shininess = in_.f32();
    material.transparency = in_.f32();
    material.flags = in_.u32();
    const float alpha = 1 - material.transparency;
    SceneColor* targets[4] = {&material.diffuse, &material.ambient, &material.specular,
                              &material.emissive};
    for (int i = 0; i < 4; ++i) *targets[i] = {colors[i].x, colors[i].y, colors[i].z, alpha};
    return true;
}

bool SceneReader::readMaterialMap() {
    if (material_ == nullptr) return fail("material map before any material");
    const std::uint16_t layer = in_.u16();
    std::string fileName = in_.string();
    in_.skip(kY3dMaterialMapTail);
    if (in_.failed()) return fail(in_.problem());
    if (layer >= SceneMaterial::kLayerCount)
        return fail("material layer " + std::to_string(layer) + " is not 0 to 3");
    MaterialLayer& target = material_->layers[layer];
    target.fileName = std::move(fileName);
    target.present = true;
    return true;
}

void SceneReader::makeCurrentNode(SceneNode& node) {
    node_ = &node;
    nodePlaces_.push_back(place_);
}

bool SceneReader::readMesh() {
    mesh_ = &scene_->createMesh();
    makeCurrentNode(*mesh_);
    return true;
}

bool SceneReader::readMeshInstance() {
    mesh_ = &scene_->createMesh();
    mesh_->isInstance = true;
    mesh_->sourceIndex = in_.u32();
    laterChecks_.push_back({place_, LaterCheck::Kind::SourceMesh, mesh_->sourceIndex, mesh_});
    makeCurrentNode(*mesh_);
    return true;
}

bool SceneReader::readLight() {
    SceneLight& light = scene_->createLight();
    light_ = &light;
    makeCurrentNode(light);
    light.kind = in_.u16();
    light.diffuse = readColor(in_, 1);
    light.ambient = readColor(in_, 1);
    light.specular = readColor(in_, 1);
    const std::uint16_t mode = in_.u16();
    const float distance = in_.f32();
    setAttenuation(light, mode, distance);
    light.innerConeAngle = in_.f32();
    light.outerConeAngle = in_.f32();
    light.directionLength = in_.f32();
    in_.skip(4);
    return true;
}

// Kind and the last two values are in the file but unused.
bool SceneReader::readCamera() {
    SceneCamera& camera = scene_->createCamera();
    camera_ = &camera;
    makeCurrentNode(camera);
    in_.skip(2);
    camera.fieldOfView = in_.f32();
    camera.targetDistance = in_.f32();
    in_.skip(8);
    return true;
}

bool SceneReader::readDummy() {
    dummy_ = &scene_->createDummy();
    makeCurrentNode(*dummy_);
    return true;
}

bool SceneReader::readCameraTrack(ScalarTrack SceneCamera::*track) {
    if (camera_ == nullptr) return fail("camera track before any camera");
    const std::uint32_t count = in_.u32();
    if (!in_.holds(count, 8)) return fail(in_.problem());
    for (std::uint32_t i = 0; i < count; ++i) {
        const float time = float(in_.i32());
        (camera_->*track).addKey({time, in_.f32()});
    }
    return true;
}

// The matrix gets the file's three columns in all four rows; the fourth
// column stays (0, 0, 0, 1). A later header for the same node overwrites.
bool SceneReader::readNodeHeader() {
    if (node_ == nullptr) return fail("node header before any node");
    node_->name = in_.string();
    node_->id = in_.i32();
    node_->parentId = in_.i32();
    node_->targetId = in_.i32();
    D3DXMATRIX matrix(1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1);
    for (int row = 0; row < 4; ++row)
        for (int column = 0; column < 3; ++column) matrix(row, column) = in_.f32();
    node_->world = matrix;
    nodePlaces_.back() = place_;
    return true;
}

bool SceneReader::readVectorTrack(VectorTrack SceneNode::*track) {
    if (node_ == nullptr) return fail("node track before any node");
    const std::uint32_t count = in_.u32();
    if (!in_.holds(count, 16)) return fail(in_.problem());
    for (std::uint32_t i = 0; i < count; ++i) {
        const float time = float(in_.i32());
        (node_->*track).addKey({time, in_.vector()});
    }
    return true;
}

bool SceneReader::readRotationTrack() {
    if (node_ == nullptr) return fail("rotation track before any node");
    const std::uint32_t count = in_.u32();
    if (!in_.holds(count, 20)) return fail(in_.problem());
    for (std::uint32_t i = 0; i < count; ++i) {
        const float time = float(in_.i32());
        const D3DXVECTOR3 xyz = in_.vector();
        node_->rotationTrack.addKey({time, {xyz.x, xyz.y, xyz.z, in_.f32()}});
    }
    return true;
}
