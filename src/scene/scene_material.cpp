#include "scene/scene_material.h"

#include "media/texture_store.h"

D3DCOLORVALUE deviceColour(const SceneColor& colour) {
    return {colour.r, colour.g, colour.b, colour.a};
}

const D3DMATERIAL8& defaultMaterial() {
    static const D3DMATERIAL8 material{
        {1, 1, 1, 1}, {0, 0, 0, 1}, {1, 1, 1, 1}, {0, 0, 0, 1}, 0.0f};
    return material;
}

namespace {

void blend(IDirect3DDevice8& device, DWORD source, DWORD destination) {
    device.SetRenderState(D3DRS_SRCBLEND, source);
    device.SetRenderState(D3DRS_DESTBLEND, destination);
    device.SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
}

}  // namespace

void SceneMaterial::apply(const Scene& scene, IDirect3DDevice8& device) const {
    const D3DMATERIAL8 material{deviceColour(diffuse), deviceColour(ambient),
                                deviceColour(specular), deviceColour(emissive), shininess * 100};
    device.SetMaterial(&material);
    device.SetRenderState(D3DRS_ZWRITEENABLE, TRUE);
    device.SetRenderState(D3DRS_ALPHABLENDENABLE, FALSE);
    device.SetRenderState(D3DRS_ALPHATESTENABLE, FALSE);
    if (hasAlphaTexture) {
        device.SetRenderState(D3DRS_ALPHATESTENABLE, TRUE);
        device.SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
        device.SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
        device.SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
    }
    if (diffuse.a < 1.0f) {
        device.SetRenderState(D3DRS_ZWRITEENABLE, FALSE);
        device.SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
        device.SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
        device.SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
    }
    if (flags & kAdditive)
        blend(device, D3DBLEND_ONE, D3DBLEND_ONE);
    else if (flags & kInverseColor)
        blend(device, D3DBLEND_INVSRCCOLOR, D3DBLEND_INVDESTCOLOR);
    const MaterialLayer& colourMap = layers[kColorMap];
    textureStore().bind(0, colourMap.present ? colourMap.textureIndex : -1);
    device.SetTextureStageState(0, D3DTSS_COLOROP,
                                colourMap.present ? D3DTOP_MODULATE : D3DTOP_SELECTARG2);
    const MaterialLayer& reflectionMap = layers[kReflectionMap];
    textureStore().bind(1, reflectionMap.present ? reflectionMap.textureIndex : -1);
    device.SetTextureStageState(1, D3DTSS_COLOROP,
                                reflectionMap.present ? D3DTOP_ADD : D3DTOP_DISABLE);
}
