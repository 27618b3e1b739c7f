// Fuzzes whole y3d files: reading, and for every scene the reader accepts,
// preparation (bounds, buffers on a recording device, tracks), updates at
// a few times and morphing into the vertex buffers.
#include <cstddef>
#include <cstdint>

#include "app/current_device.h"
#include "platform/d3d8/recording/recording_direct3d.h"
#include "scene/buffer_registry.h"
#include "scene/scene_reader.h"

namespace {

struct NoTextures : SceneTextureSource {
    int loadTexture(const std::string&) override { return -1; }
    int loadAlphaTexture(const std::string&, const std::string&) override { return -1; }
};

// One recording device for the whole run; its log is emptied every input.
CallLog& recordingDevice() {
    static CallLog log;
    static IDirect3D8* direct3d = createRecordingDirect3D({}, log);
    if (currentDevice == nullptr) {
        D3DPRESENT_PARAMETERS params{};
        params.BackBufferWidth = 8;
        params.BackBufferHeight = 8;
        params.BackBufferFormat = D3DFMT_X8R8G8B8;
        params.BackBufferCount = 1;
        params.SwapEffect = D3DSWAPEFFECT_DISCARD;
        params.Windowed = TRUE;
        direct3d->CreateDevice(0, D3DDEVTYPE_HAL, nullptr, D3DCREATE_HARDWARE_VERTEXPROCESSING,
                               &params, &currentDevice);
    }
    return log;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CallLog& log = recordingDevice();
    std::unique_ptr<Scene> scene = readScene(data, size);
    if (scene == nullptr) return 0;
    NoTextures textures;
    scene->prepare(textures);
    for (float time : {-1.0f, 0.0f, 7.5f, 1e9f}) {
        scene->update(time);
        for (SceneMesh* mesh : scene->meshes) mesh->geometry(*scene).updateMorph(time);
    }
    bufferRegistry().releaseAll();
    log.clear();
    return 0;
}
