#include "platform/d3d8/standard_caps.h"

#include "platform/d3d8/light_table.h"

namespace {

constexpr DWORD MAX_TEXTURE_SIZE = 4096;

void setPipelineCaps(D3DCAPS8& caps) {
    caps.PrimitiveMiscCaps = D3DPMISCCAPS_MASKZ | D3DPMISCCAPS_CULLNONE | D3DPMISCCAPS_CULLCW |
                             D3DPMISCCAPS_CULLCCW | D3DPMISCCAPS_COLORWRITEENABLE |
                             D3DPMISCCAPS_BLENDOP;
    caps.RasterCaps = D3DPRASTERCAPS_DITHER | D3DPRASTERCAPS_ZTEST | D3DPRASTERCAPS_FOGVERTEX |
                      D3DPRASTERCAPS_FOGTABLE | D3DPRASTERCAPS_MIPMAPLODBIAS |
                      D3DPRASTERCAPS_FOGRANGE | D3DPRASTERCAPS_ANISOTROPY | D3DPRASTERCAPS_ZFOG |
                      D3DPRASTERCAPS_WFOG;
    caps.ZCmpCaps = D3DPCMPCAPS_ALL;
    caps.AlphaCmpCaps = D3DPCMPCAPS_ALL;
    caps.SrcBlendCaps = D3DPBLENDCAPS_ALL;
    caps.DestBlendCaps = D3DPBLENDCAPS_ALL;
    caps.ShadeCaps = D3DPSHADECAPS_COLORGOURAUDRGB | D3DPSHADECAPS_SPECULARGOURAUDRGB |
                     D3DPSHADECAPS_ALPHAGOURAUDBLEND | D3DPSHADECAPS_FOGGOURAUD;
    caps.StencilCaps = D3DSTENCILCAPS_ALL;
}

void setTextureCaps(D3DCAPS8& caps) {
    caps.TextureCaps = D3DPTEXTURECAPS_PERSPECTIVE | D3DPTEXTURECAPS_ALPHA |
                       D3DPTEXTURECAPS_PROJECTED | D3DPTEXTURECAPS_MIPMAP;
    caps.TextureFilterCaps = D3DPTFILTERCAPS_MINFPOINT | D3DPTFILTERCAPS_MINFLINEAR |
                             D3DPTFILTERCAPS_MINFANISOTROPIC | D3DPTFILTERCAPS_MIPFPOINT |
                             D3DPTFILTERCAPS_MIPFLINEAR | D3DPTFILTERCAPS_MAGFPOINT |
                             D3DPTFILTERCAPS_MAGFLINEAR | D3DPTFILTERCAPS_MAGFANISOTROPIC;
    caps.TextureAddressCaps = D3DPTADDRESSCAPS_WRAP | D3DPTADDRESSCAPS_MIRROR |
                              D3DPTADDRESSCAPS_CLAMP | D3DPTADDRESSCAPS_BORDER |
                              D3DPTADDRESSCAPS_INDEPENDENTUV;
    caps.MaxTextureWidth = MAX_TEXTURE_SIZE;
    caps.MaxTextureHeight = MAX_TEXTURE_SIZE;
    caps.MaxTextureRepeat = 8192;
    caps.MaxTextureAspectRatio = MAX_TEXTURE_SIZE;
    caps.MaxAnisotropy = 16;
    caps.TextureOpCaps = D3DTEXOPCAPS_ALL;
    caps.MaxTextureBlendStages = 8;
    caps.MaxSimultaneousTextures = 8;
}

void setVertexCaps(D3DCAPS8& caps) {
    caps.MaxVertexW = 1e10f;
    caps.GuardBandLeft = -32768.0f;
    caps.GuardBandTop = -32768.0f;
    caps.GuardBandRight = 32767.0f;
    caps.GuardBandBottom = 32767.0f;
    caps.FVFCaps = 8;  // texture coordinate sets per vertex
    caps.VertexProcessingCaps = D3DVTXPCAPS_TEXGEN | D3DVTXPCAPS_MATERIALSOURCE7 |
                                D3DVTXPCAPS_DIRECTIONALLIGHTS | D3DVTXPCAPS_POSITIONALLIGHTS |
                                D3DVTXPCAPS_LOCALVIEWER;
    caps.MaxActiveLights = D3D_MAX_ACTIVE_LIGHTS;
    caps.MaxPointSize = 64.0f;
    caps.MaxPrimitiveCount = 0xfffff;
    caps.MaxVertexIndex = 0xffffff;
    caps.MaxStreams = 1;
    caps.MaxStreamStride = 255;
}

}  // namespace

D3DCAPS8 standardCaps(D3DDEVTYPE type, UINT adapter) {
    D3DCAPS8 caps{};
    caps.DeviceType = type;
    caps.AdapterOrdinal = adapter;
    caps.Caps2 = D3DCAPS2_CANRENDERWINDOWED;
    caps.PresentationIntervals = D3DPRESENT_INTERVAL_CAPS_ONE | D3DPRESENT_INTERVAL_CAPS_IMMEDIATE;
    caps.CursorCaps = D3DCURSORCAPS_COLOR;
    caps.DevCaps = D3DDEVCAPS_EXECUTEVIDEOMEMORY | D3DDEVCAPS_TLVERTEXSYSTEMMEMORY |
                   D3DDEVCAPS_TEXTUREVIDEOMEMORY | D3DDEVCAPS_DRAWPRIMTLVERTEX |
                   D3DDEVCAPS_CANRENDERAFTERFLIP | D3DDEVCAPS_DRAWPRIMITIVES2EX;
    if (type == D3DDEVTYPE_HAL)
        caps.DevCaps |= D3DDEVCAPS_HWTRANSFORMANDLIGHT | D3DDEVCAPS_HWRASTERIZATION;
    setPipelineCaps(caps);
    setTextureCaps(caps);
    setVertexCaps(caps);
    return caps;
}
