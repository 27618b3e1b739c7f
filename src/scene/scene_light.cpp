#include "scene/scene_light.h"

#include "d3dx/d3dx_math.h"
#include "scene/scene.h"
#include "scene/scene_material.h"

namespace {

constexpr float kRadiansPerDegree = 0.017453292f;

D3DLIGHTTYPE lightType(std::uint32_t kind) {
    switch (kind) {
        case 0:
            return D3DLIGHT_POINT;
        case 1:
            return D3DLIGHT_SPOT;
        case 2:
            return D3DLIGHT_DIRECTIONAL;
        default:
            return D3DLIGHTTYPE(0);  // no type: the device refuses the light
    }
}

D3DVECTOR deviceVector(const D3DXVECTOR3& v) {
    return {v.x, v.y, v.z};
}

}  // namespace

// Towards the target when there is one (not normalised); otherwise the
// light's own −y axis, turned by its world matrix without the translation,
// scaled to the direction length.
D3DLIGHT8 SceneLight::deviceLight() const {
    D3DLIGHT8 light{};
    light.Type = lightType(kind);
    light.Diffuse = deviceColour(diffuse);
    light.Specular = deviceColour(specular);
    light.Ambient = deviceColour(ambient);
    light.Position = deviceVector(position);
    D3DXVECTOR3 direction;
    if (target != nullptr) {
        D3DXVec3Subtract(&direction, &target->position, &position);
    } else {
        const D3DXVECTOR3 down{-world.m[1][0], -world.m[1][1], -world.m[1][2]};
        D3DXVec3Normalize(&direction, &down);
        direction = {direction.x * directionLength, direction.y * directionLength,
                     direction.z * directionLength};
    }
    light.Direction = deviceVector(direction);
    light.Range = range;
    light.Falloff = 0;
    light.Attenuation0 = constantAttenuation;
    light.Attenuation1 = linearAttenuation;
    light.Attenuation2 = quadraticAttenuation;
    light.Theta = innerConeAngle * kRadiansPerDegree;
    light.Phi = outerConeAngle * kRadiansPerDegree;
    return light;
}

bool SceneLight::apply(Scene& scene, IDirect3DDevice8& device) {
    const D3DLIGHT8 light = deviceLight();
    if (FAILED(device.SetLight(scene.lightCount, &light))) return true;
    if (FAILED(device.LightEnable(scene.lightCount, TRUE))) return false;
    ++scene.lightCount;
    return true;
}
