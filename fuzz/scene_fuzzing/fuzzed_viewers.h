// Cameras and lights of every kind, each named after exactly one node, as
// assimp's validation requires (a node may hold a camera and a light). A
// node whose name is not unique is renamed for its camera or light.
#pragma once

#include <assimp/camera.h>
#include <assimp/light.h>
#include <assimp/scene.h>

#include <algorithm>
#include <utility>

#include "fuzzed_nodes.h"

template <typename Item>
bool namesAny(Item* const* items, unsigned count, const aiString& name) {
    return std::any_of(items, items + count, [&](const Item* item) { return item->mName == name; });
}

inline bool holdsViewer(const aiScene& scene, const aiString& name) {
    return namesAny(scene.mCameras, scene.mNumCameras, name) ||
           namesAny(scene.mLights, scene.mNumLights, name);
}

// The name of a node for a new camera or light: one that holds none yet,
// renamed until no other node shares its name; for a light, sometimes a
// camera's node. False when every node holds one.
inline bool viewerName(ByteSource& in, const aiScene& scene, const std::vector<aiNode*>& nodes,
                       bool forLight, aiString& name) {
    if (forLight && scene.mNumCameras > 0 && in.oneIn(4)) {
        name = scene.mCameras[in.below(scene.mNumCameras)]->mName;
        if (!namesAny(scene.mLights, scene.mNumLights, name)) return true;
    }
    const std::size_t start = in.below(unsigned(nodes.size()));
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        aiNode& node = *nodes[(start + i) % nodes.size()];
        if (holdsViewer(scene, node.mName)) continue;
        while (countNamed(*scene.mRootNode, node.mName) != 1) node.mName.Append("~");
        name = node.mName;
        return true;
    }
    return false;
}

inline aiCamera* fuzzedCamera(ByteSource& in, const aiString& name) {
    auto* camera = new aiCamera;
    camera->mName = name;
    if (in.oneIn(2)) camera->mPosition = fuzzedVector(in);
    if (in.oneIn(2)) camera->mLookAt = fuzzedVector(in);
    if (in.oneIn(2)) camera->mUp = fuzzedVector(in);
    if (in.oneIn(2)) camera->mHorizontalFOV = in.number();
    if (in.oneIn(2)) camera->mAspect = in.number();
    if (in.oneIn(4)) camera->mOrthographicWidth = in.number();
    camera->mClipPlaneNear = in.number();
    camera->mClipPlaneFar = in.number();
    if (camera->mClipPlaneFar <= camera->mClipPlaneNear)  // refused by validation
        std::swap(camera->mClipPlaneNear, camera->mClipPlaneFar);
    if (camera->mClipPlaneFar <= camera->mClipPlaneNear) {  // equal
        camera->mClipPlaneNear = 0.1f;
        camera->mClipPlaneFar = 1000;
    }
    return camera;
}

inline aiLight* fuzzedLight(ByteSource& in, const aiString& name) {
    static const aiLightSourceType kTypes[] = {aiLightSource_UNDEFINED, aiLightSource_DIRECTIONAL,
                                               aiLightSource_POINT,     aiLightSource_SPOT,
                                               aiLightSource_AMBIENT,   aiLightSource_AREA};
    auto* light = new aiLight;
    light->mName = name;
    light->mType = kTypes[in.below(6)];
    light->mPosition = fuzzedVector(in);
    light->mDirection = fuzzedVector(in);
    if (in.oneIn(2)) light->mUp = fuzzedVector(in);
    light->mAttenuationConstant = in.number();
    light->mAttenuationLinear = in.number();
    light->mAttenuationQuadratic = in.number();
    light->mColorDiffuse = {in.number(), in.number(), in.number()};
    light->mColorSpecular = {in.number(), in.number(), in.number()};
    light->mColorAmbient = {in.number(), in.number(), in.number()};
    light->mAngleInnerCone = in.number();
    light->mAngleOuterCone = in.number();
    if (light->mAngleInnerCone > light->mAngleOuterCone)  // refused by validation
        std::swap(light->mAngleInnerCone, light->mAngleOuterCone);
    return light;
}

inline void fuzzViewers(ByteSource& in, aiScene& scene, const std::vector<aiNode*>& nodes) {
    const unsigned cameras = in.below(3), lights = in.below(4);
    scene.mCameras = newPointers<aiCamera>(cameras);
    aiString name;
    for (unsigned i = 0; i < cameras && viewerName(in, scene, nodes, false, name); ++i)
        scene.mCameras[scene.mNumCameras++] = fuzzedCamera(in, name);
    scene.mLights = newPointers<aiLight>(lights);
    for (unsigned i = 0; i < lights && viewerName(in, scene, nodes, true, name); ++i)
        scene.mLights[scene.mNumLights++] = fuzzedLight(in, name);
    dropIfEmpty(scene.mCameras, scene.mNumCameras);
    dropIfEmpty(scene.mLights, scene.mNumLights);
}
