// Loading a scene file by the name a script gives: its bytes from the data
// directory or the archive, read into a scene, registered and prepared.
#pragma once

#include <string>

#include "scene/scene_registry.h"
#include "scene/scene_texture_source.h"

// Reports a missing file ("Couldn't open scene %s, does file exist?\n" with
// the path), a failed extraction (by the data access) or a rejected file
// (one line naming the file, chunk and offset) on standard output; the
// scene is then not registered. Returns the registered scene or null.
Scene* loadScene(const std::string& name, SceneRegistry& registry, SceneTextureSource& textures);

// The same into the process-wide scene registry, with material textures from
// the process-wide texture store: what the loady3d command does.
Scene* loadScene(const std::string& name);
