// Drawing one prepared, updated scene through one of its cameras into the
// current render target, with the fixed-function pipeline: the scene's
// lights, one material per face group, a colour map and an additive
// reflection map, meshes culled against the view volume, opaque groups
// first and see-through ones after.
#pragma once

#include "platform/d3d8/d3d8.h"
#include "scene/scene.h"
#include "scene/scene_fog.h"

void drawScene(IDirect3DDevice8& device, Scene& scene, SceneCamera& camera, float nearPlane,
               float farPlane, const SceneFog& fog, float sceneTime);

// A fog colour as Direct3D takes it: each component 255 from 1 up, 0 from
// 0 down, otherwise c × 255 + 0.5 truncated.
D3DCOLOR fogColour(const SceneColor& colour);
