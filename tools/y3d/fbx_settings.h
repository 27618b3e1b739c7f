// What assimp leaves of an FBX file's GlobalSettings for its reader to
// apply. Its FBX importer keeps the file's numbers as they are, while its
// COLLADA and glTF importers give metres in right-handed Y-up axes; an FBX
// file gives its unit (UnitScaleFactor, centimetres per file unit, 1 when
// absent) and its axes (UpAxis, FrontAxis and CoordAxis with their signs)
// as scene metadata.
#pragma once

#include <assimp/scene.h>

// Metres per input unit: UnitScaleFactor / 100 for an FBX file, otherwise 1.
float metresPerInputUnit(const aiScene& scene);

// Puts the rotation from an FBX file's axes to Y-up (a Z-up file from 3ds
// Max, say) above its root. Axes that are not a right-handed set are left
// as they are.
void turnFbxAxesToYUp(aiScene& scene);
