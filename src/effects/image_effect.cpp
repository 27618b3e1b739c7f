#include "effects/image_effect.h"

#include "app/current_device.h"
#include "app/problem_sink.h"
#include "app/script_args.h"
#include "media/texture_store.h"
#include "platform/lua4/lua4.h"

ImageEffect::ImageEffect() {
    colour.addKey({0.0f, {255.0f, 255.0f, 255.0f, 255.0f}});
    position.addKey({0.0f, {320.0f, 240.0f, 0.0f}});
    scale.addKey({0.0f, {1.0f, 1.0f, 0.0f}});
    rotation.addKey({0.0f, 0.0f});
}

bool ImageEffect::init(int stage, lua_State* L) {
    if (stage == 0) {
        readLayerArguments(L);
        return true;
    }
    for (KeyTrack* track :
         std::initializer_list<KeyTrack*>{&colour, &position, &scale, &pivot, &rotation})
        track->sortKeys();
    return true;
}

// Arguments 2 and on, as far as the call gives them.
void ImageEffect::readLayerArguments(lua_State* L) {
    const int last = lua4::lua_gettop(L);
    if (last >= 2) {
        const char* name = stringArg(L, 2);
        textureIndex = name ? textureStore().find(name) : -1;
        if (name && textureIndex < 0)
            reportProblem(ProblemKind::missingTexture, name,
                          "an image layer names this texture, which was never loaded");
    }
    if (last >= 3) srcBlend = DWORD(integerArg(L, 3));
    if (last >= 4) destBlend = DWORD(integerArg(L, 4));
    if (last >= 5) filter = integerArg(L, 5) != 0 ? D3DTEXF_LINEAR : D3DTEXF_POINT;
}

ImagePlacement ImageEffect::placementAt(float time) const {
    ImagePlacement placement;
    placement.position = position.evaluate(time);
    placement.degrees = rotation.evaluate(time);
    placement.scale = scale.evaluate(time);
    const ColorValue c = colour.evaluate(time);
    placement.red = c.c0;
    placement.green = c.c1;
    placement.blue = c.c2;
    placement.alpha = c.c3;
    if (const D3DXIMAGE_INFO* info = textureStore().imageInfo(textureIndex)) {
        placement.imageWidth = float(info->Width);
        placement.imageHeight = float(info->Height);
    }
    if (pivot.keyCount() > 0) placement.pivot = pivot.evaluate(time);
    return placement;
}

// The interval start is not used: image tracks are keyed in demo time.
void ImageEffect::render(float time, float intervalStart) {
    D3DVIEWPORT8 viewport{};
    currentDevice->GetViewport(&viewport);
    buildImageQuad(placementAt(time), viewport.Width, viewport.Height, vertices_);
    draw();
}

void ImageEffect::draw() {
    IDirect3DDevice8* device = currentDevice;
    textureStore().bind(0, textureIndex);
    textureStore().bind(1, -1);
    device->SetTextureStageState(0, D3DTSS_MINFILTER, filter);
    device->SetTextureStageState(0, D3DTSS_MIPFILTER, filter);
    device->SetTextureStageState(0, D3DTSS_MAGFILTER, filter);
    device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_MODULATE);
    device->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_TEXTURE);
    device->SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_DIFFUSE);
    device->SetTextureStageState(1, D3DTSS_COLOROP, D3DTOP_DISABLE);
    device->SetRenderState(D3DRS_ALPHATESTENABLE, TRUE);
    device->SetRenderState(D3DRS_ALPHAFUNC, D3DCMP_GREATER);
    device->SetRenderState(D3DRS_ALPHAREF, 0);
    device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_MODULATE);
    device->SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_TEXTURE);
    device->SetTextureStageState(0, D3DTSS_ALPHAARG2, D3DTA_DIFFUSE);
    device->SetTextureStageState(1, D3DTSS_ALPHAOP, D3DTOP_DISABLE);
    device->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
    device->SetRenderState(D3DRS_DESTBLEND, destBlend);
    device->SetRenderState(D3DRS_SRCBLEND, srcBlend);
    device->SetRenderState(D3DRS_AMBIENT, 0xFFFFFFFF);
    device->SetRenderState(D3DRS_SPECULARENABLE, FALSE);
    device->SetRenderState(D3DRS_LIGHTING, FALSE);
    device->SetRenderState(D3DRS_ZENABLE, D3DZB_FALSE);
    device->SetVertexShader(IMAGE_VERTEX_FVF);
    device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, vertices_, sizeof(ImageVertex));
    device->SetRenderState(D3DRS_ZENABLE, D3DZB_TRUE);
    device->SetRenderState(D3DRS_ALPHABLENDENABLE, FALSE);
    device->SetRenderState(D3DRS_ALPHATESTENABLE, FALSE);
}
