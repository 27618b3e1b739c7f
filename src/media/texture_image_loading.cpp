#include <cstdio>
#include <cstdlib>

#include "app/problem_sink.h"
#include "media/data_access.h"
#include "media/observed_extract.h"
#include "media/texture_images.h"

namespace {

HRESULT loadFromArchive(IDirect3DDevice8* device, const std::string& name, UINT width, UINT height,
                        D3DXIMAGE_INFO* info, IDirect3DTexture8** texture, bool& unpacked) {
    std::uint8_t* buffer = nullptr;
    std::uint32_t size = 0;
    unpacked = extractObserved(name, buffer, size);
    if (!unpacked) return E_FAIL;
    const HRESULT result = D3DXCreateTextureFromFileInMemoryEx(
        device, buffer, size, width, height, D3DX_DEFAULT, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED,
        D3DX_DEFAULT, D3DX_DEFAULT, 0, info, nullptr, texture);
    std::free(buffer);
    return result;
}

}  // namespace

bool loadTextureImage(IDirect3DDevice8* device, const std::string& name, const FixedSize* size,
                      IDirect3DTexture8** texture, D3DXIMAGE_INFO* info) {
    const UINT width = size ? size->width : D3DX_DEFAULT;
    const UINT height = size ? size->height : D3DX_DEFAULT;
    D3DXIMAGE_INFO* sourceInfo = size ? nullptr : info;
    *texture = nullptr;
    HRESULT result = E_FAIL;
    if (DataAccess::unpackedMode) {
        const std::string path = DataAccess::resolvePath(name);
        result = D3DXCreateTextureFromFileExA(device, path.c_str(), width, height, D3DX_DEFAULT, 0,
                                              D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, D3DX_DEFAULT,
                                              D3DX_DEFAULT, 0, sourceInfo, nullptr, texture);
    } else {
        bool unpacked = false;
        result = loadFromArchive(device, name, width, height, sourceInfo, texture, unpacked);
        if (!unpacked) return false;  // extract has said so
    }
    if (SUCCEEDED(result)) return true;
    std::printf("Failed to load texture %s\n", name.c_str());
    reportProblem(ProblemKind::textureLoad, name, "cannot be loaded");
    return false;
}
