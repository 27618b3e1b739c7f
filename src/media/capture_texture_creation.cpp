#include "media/texture_images.h"

namespace {

// Whether the device renders to A8R8G8B8 textures on its display mode.
bool canRenderToTextures(IDirect3DDevice8* device) {
    IDirect3D8* direct3d = nullptr;
    if (FAILED(device->GetDirect3D(&direct3d))) return false;
    D3DDEVICE_CREATION_PARAMETERS creation{};
    D3DDISPLAYMODE mode{};
    device->GetCreationParameters(&creation);
    device->GetDisplayMode(&mode);
    const HRESULT checked =
        direct3d->CheckDeviceFormat(creation.AdapterOrdinal, creation.DeviceType, mode.Format,
                                    D3DUSAGE_RENDERTARGET, D3DRTYPE_TEXTURE, D3DFMT_A8R8G8B8);
    direct3d->Release();
    return SUCCEEDED(checked);
}

}  // namespace

bool createRenderTexture(IDirect3DDevice8* device, UINT width, UINT height,
                         IDirect3DTexture8** texture) {
    *texture = nullptr;
    if (!canRenderToTextures(device)) return false;
    return SUCCEEDED(D3DXCreateTexture(device, width, height, 1, D3DUSAGE_RENDERTARGET,
                                       D3DFMT_A8R8G8B8, D3DPOOL_DEFAULT, texture));
}
