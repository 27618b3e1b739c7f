#include "scene/scene_drawing.h"

#include <cstdio>

#include "platform/d3d8/device_state.h"
#include "scene/view_frustum.h"

namespace {

// Rows (0.4, 0, 0, 0), (0, −0.4, 0, 0), (0, 0, 0, 0), (0.5, −0.5, 0, 1):
// the camera-space reflection vector r becomes u = 0.4·r.x + 0.5,
// v = −0.4·r.y − 0.5.
const D3DMATRIX kReflectionTextureMatrix = {{{0.4f, 0.0f, 0.0f, 0.0f},
                                             {0.0f, -0.4f, 0.0f, 0.0f},
                                             {0.0f, 0.0f, 0.0f, 0.0f},
                                             {0.5f, -0.5f, 0.0f, 1.0f}}};

DWORD colourByte(float c) {
    if (c >= 1.0f) return 255;
    if (c <= 0.0f) return 0;
    return DWORD(c * 255.0f + 0.5f);
}

void setFog(IDirect3DDevice8& device, const SceneFog& fog) {
    device.SetRenderState(D3DRS_RANGEFOGENABLE, TRUE);
    device.SetRenderState(D3DRS_FOGENABLE, TRUE);
    device.SetRenderState(D3DRS_FOGSTART, floatBits(fog.start));
    device.SetRenderState(D3DRS_FOGEND, floatBits(fog.end));
    device.SetRenderState(D3DRS_FOGCOLOR, fogColour(fog.colour));
    device.SetRenderState(D3DRS_FOGTABLEMODE, D3DFOG_LINEAR);
}

void setStageOperations(IDirect3DDevice8& device, DWORD stage, DWORD colourOp, DWORD alphaOp,
                        DWORD secondArgument) {
    device.SetTextureStageState(stage, D3DTSS_COLOROP, colourOp);
    device.SetTextureStageState(stage, D3DTSS_COLORARG1, D3DTA_TEXTURE);
    device.SetTextureStageState(stage, D3DTSS_COLORARG2, secondArgument);
    device.SetTextureStageState(stage, D3DTSS_ALPHAOP, alphaOp);
    device.SetTextureStageState(stage, D3DTSS_ALPHAARG1, D3DTA_TEXTURE);
    device.SetTextureStageState(stage, D3DTSS_ALPHAARG2, secondArgument);
}

void setFixedStates(IDirect3DDevice8& device) {
    device.SetRenderState(D3DRS_NORMALIZENORMALS, TRUE);
    device.SetRenderState(D3DRS_ZFUNC, D3DCMP_LESSEQUAL);
    device.SetRenderState(D3DRS_ZENABLE, TRUE);
    device.SetRenderState(D3DRS_ZWRITEENABLE, TRUE);
    device.SetRenderState(D3DRS_CULLMODE, D3DCULL_CCW);
    device.SetRenderState(D3DRS_SPECULARENABLE, TRUE);
    device.SetRenderState(D3DRS_LIGHTING, TRUE);
    device.SetRenderState(D3DRS_SHADEMODE, D3DSHADE_GOURAUD);
    device.SetRenderState(D3DRS_AMBIENT, 0);
    for (DWORD stage = 0; stage < 2; ++stage) {
        device.SetTextureStageState(stage, D3DTSS_MAGFILTER, D3DTEXF_LINEAR);
        device.SetTextureStageState(stage, D3DTSS_MINFILTER, D3DTEXF_LINEAR);
        device.SetTextureStageState(stage, D3DTSS_MIPFILTER, D3DTEXF_LINEAR);
    }
    setStageOperations(device, 0, D3DTOP_MODULATE, D3DTOP_SELECTARG1, D3DTA_DIFFUSE);
    setStageOperations(device, 1, D3DTOP_DISABLE, D3DTOP_DISABLE, D3DTA_CURRENT);
    device.SetRenderState(D3DRS_ALPHAFUNC, D3DCMP_GREATEREQUAL);
    device.SetRenderState(D3DRS_ALPHAREF, 8);
    device.SetRenderState(D3DRS_ALPHABLENDENABLE, FALSE);
    device.SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    device.SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
}

// Stage 1's coordinates: the reflection vector through the texture matrix.
struct KeptStageStates {
    DWORD transformFlags = 0;
    DWORD texCoordIndex = 0;
};

KeptStageStates startReflectionCoordinates(IDirect3DDevice8& device) {
    KeptStageStates kept;
    device.SetTransform(D3DTS_TEXTURE1, &kReflectionTextureMatrix);
    device.GetTextureStageState(1, D3DTSS_TEXTURETRANSFORMFLAGS, &kept.transformFlags);
    device.GetTextureStageState(1, D3DTSS_TEXCOORDINDEX, &kept.texCoordIndex);
    device.SetTextureStageState(1, D3DTSS_TEXTURETRANSFORMFLAGS, D3DTTFF_COUNT2);
    device.SetTextureStageState(1, D3DTSS_TEXCOORDINDEX, D3DTSS_TCI_CAMERASPACEREFLECTIONVECTOR);
    return kept;
}

// Lights in array order from index 0. One the device refuses to switch on
// (more than it supports) ends the list; the scene says so once.
void applyLights(IDirect3DDevice8& device, Scene& scene) {
    scene.lightCount = 0;
    for (SceneLight* light : scene.lights) {
        if (light->apply(scene, device)) continue;
        if (!scene.lightLimitReported)
            std::printf("Scene %s has %zu lights; the device draws the first %u\n",
                        scene.name.c_str(), scene.lights.size(), unsigned(scene.lightCount));
        scene.lightLimitReported = true;
        break;
    }
}

// Lights an earlier draw of a scene with more lights left on would light
// this scene too: they are switched off.
void switchOffLightsAbove(IDirect3DDevice8& device, DWORD count) {
    for (DWORD index = count; index <= D3D_MAX_LIGHT_INDEX; ++index) {
        BOOL on = FALSE;
        if (FAILED(device.GetLightEnable(index, &on)) || !on) return;
        device.LightEnable(index, FALSE);
    }
}

void finish(IDirect3DDevice8& device, const KeptStageStates& kept) {
    device.SetTextureStageState(1, D3DTSS_TEXTURETRANSFORMFLAGS, kept.transformFlags);
    device.SetTextureStageState(1, D3DTSS_TEXCOORDINDEX, kept.texCoordIndex);
    device.SetRenderState(D3DRS_RANGEFOGENABLE, FALSE);
    device.SetRenderState(D3DRS_FOGENABLE, FALSE);
}

}  // namespace

D3DCOLOR fogColour(const SceneColor& c) {
    return colourByte(c.a) << 24 | colourByte(c.r) << 16 | colourByte(c.g) << 8 | colourByte(c.b);
}

void drawScene(IDirect3DDevice8& device, Scene& scene, SceneCamera& camera, float nearPlane,
               float farPlane, const SceneFog& fog, float sceneTime) {
    camera.apply(scene, device, nearPlane, farPlane);
    if (fog.enabled) setFog(device, fog);
    setFixedStates(device);
    const KeptStageStates kept = startReflectionCoordinates(device);
    const ViewFrustum frustum(camera.view, camera.projection);
    for (SceneMesh* mesh : scene.meshes) mesh->cull(frustum);
    applyLights(device, scene);
    switchOffLightsAbove(device, scene.lightCount);
    for (int pass = 0; pass < 2; ++pass)
        for (SceneMesh* mesh : scene.meshes)
            if (mesh->visible) mesh->draw(scene, device, pass, sceneTime);
    finish(device, kept);
}
