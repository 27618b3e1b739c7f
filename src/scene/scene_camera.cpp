#include "scene/scene_camera.h"

#include <cmath>
#include <cstring>

#include "d3dx/d3dx_math.h"
#include "scene/scene.h"

namespace {

// 1.33333 as the float with bits 0x3FAAAA8F, a hair under 4/3.
float pictureAspect() {
    const std::uint32_t bits = 0x3FAAAA8F;
    float aspect;
    std::memcpy(&aspect, &bits, sizeof aspect);
    return aspect;
}

}  // namespace

void SceneCamera::updateOwn(float time) {
    SceneNode::updateOwn(time);
    roll = rollTrack.evaluate(time);
    if (fieldOfViewTrack.keyCount() > 0) fieldOfView = fieldOfViewTrack.evaluate(time);
}

void SceneCamera::apply(const Scene& scene, IDirect3DDevice8& device, float nearPlane,
                        float farPlane) {
    D3DXMATRIX turn;
    const D3DXVECTOR3 straightUp{0, 1, 0};
    D3DXVECTOR3 up;
    D3DXVec3TransformCoord(&up, &straightUp, D3DXMatrixRotationZ(&turn, roll));
    D3DXVECTOR3 lookAt;
    if (target != nullptr) {
        lookAt = target->position;
    } else {
        const D3DXVECTOR3 ahead{0, -targetDistance, 0};
        D3DXVec3TransformCoord(&lookAt, &ahead, &world);
    }
    D3DXMatrixLookAtLH(&view, &position, &lookAt, &up);
    // The stored field of view is horizontal; a 4:3 picture's vertical one
    // is narrower.
    const float fovY = float(2.0 * std::atan(0.75 * std::tan(fieldOfView / 2.0)));
    D3DXMatrixPerspectiveFovLH(&projection, fovY, pictureAspect(), nearPlane, farPlane);
    device.SetTransform(D3DTS_VIEW, &view);
    device.SetTransform(D3DTS_PROJECTION, &projection);
}
