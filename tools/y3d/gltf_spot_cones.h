// Assimp's glTF importer copies KHR_lights_punctual's spot cone angles,
// which are measured from the light's axis, into aiLight, whose angles are
// whole cones (2π for a point light) as the other importers give them.
#pragma once

#include <assimp/scene.h>

// Doubles the cone angles of a glTF file's spot lights.
void widenGltfSpotCones(aiScene& scene);
