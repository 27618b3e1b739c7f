// Skinned meshes and meshes with morph targets, baked into packed-mesh
// morph frames.
#include "scene_converter.h"

bool SceneConverter::writeMorphMesh(const PlannedNode&) {
    return false;
}
