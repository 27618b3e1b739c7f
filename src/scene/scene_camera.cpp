#include "scene/scene_camera.h"

void SceneCamera::updateOwn(float time) {
    SceneNode::updateOwn(time);
    roll = rollTrack.evaluate(time);
    if (fieldOfViewTrack.keyCount() > 0) fieldOfView = fieldOfViewTrack.evaluate(time);
}
