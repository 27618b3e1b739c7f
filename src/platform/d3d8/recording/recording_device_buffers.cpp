// Buffer creation on the recording device.
#include "platform/d3d8/buffer_storage.h"
#include "platform/d3d8/recording/recording_buffer.h"
#include "platform/d3d8/recording/recording_device.h"
#include "platform/d3d8/recording/recording_direct3d.h"

HRESULT RecordingDevice::CreateVertexBuffer(UINT length, DWORD usage, DWORD fvf, D3DPOOL pool,
                                            IDirect3DVertexBuffer8** buffer) {
    const std::initializer_list<double> args{double(length), double(usage), double(fvf),
                                             double(pool)};
    return recorder_.call("CreateVertexBuffer", args, [&] {
        if (buffer == nullptr) return D3DERR_INVALIDCALL;
        *buffer = nullptr;
        const HRESULT checked = checkVertexBufferCreation(length, usage, pool);
        if (FAILED(checked)) return checked;
        const D3DVERTEXBUFFER_DESC desc{
            D3DFMT_VERTEXDATA, D3DRTYPE_VERTEXBUFFER, usage, pool, length, fvf};
        std::size_t* live = pool == D3DPOOL_DEFAULT ? &defaultPoolResources_ : nullptr;
        *buffer = new RecordingVertexBuffer(*this, live, bufferRecorder("VertexBuffer"), desc);
        return D3D_OK;
    });
}

HRESULT RecordingDevice::CreateIndexBuffer(UINT length, DWORD usage, D3DFORMAT format, D3DPOOL pool,
                                           IDirect3DIndexBuffer8** buffer) {
    const std::initializer_list<double> args{double(length), double(usage), double(format),
                                             double(pool)};
    return recorder_.call("CreateIndexBuffer", args, [&] {
        if (buffer == nullptr) return D3DERR_INVALIDCALL;
        *buffer = nullptr;
        const HRESULT checked = checkIndexBufferCreation(length, usage, format, pool);
        if (FAILED(checked)) return checked;
        const D3DINDEXBUFFER_DESC desc{format, D3DRTYPE_INDEXBUFFER, usage, pool, length};
        std::size_t* live = pool == D3DPOOL_DEFAULT ? &defaultPoolResources_ : nullptr;
        *buffer = new RecordingIndexBuffer(*this, live, bufferRecorder("IndexBuffer"), desc);
        return D3D_OK;
    });
}

Recorder RecordingDevice::bufferRecorder(const char* object) {
    return Recorder(direct3d_.log(), object, direct3d_.config().forcedResults);
}
