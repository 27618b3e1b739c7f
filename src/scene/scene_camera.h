// A camera node: looks from its world position at its target (or along its
// −y axis), with an animated roll and horizontal field of view.
#pragma once

#include "anim/track_kinds.h"
#include "platform/d3d8/d3d8.h"
#include "scene/scene_node.h"

class SceneCamera : public SceneNode {
  public:
    // The node's values, then roll (0 without keys) and field of view (the
    // file's value without keys). Both tracks are evaluated in file order.
    void updateOwn(float time) override;
    // Sets the device's view and projection (kept in view and projection):
    // from the world position towards the target, or the point the target
    // distance along the −y axis; up turned by the roll about world z; a 4:3
    // picture whose horizontal field of view is fieldOfView.
    virtual void apply(const Scene& scene, IDirect3DDevice8& device, float nearPlane,
                       float farPlane);

    float fieldOfView = 0;  // radians, horizontal
    float roll = 0;         // radians
    float targetDistance = 0;
    ScalarTrack fieldOfViewTrack;
    ScalarTrack rollTrack;
    D3DXMATRIX view{};
    D3DXMATRIX projection{};
};
