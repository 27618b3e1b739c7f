// Vertex and index buffers of the recording backend (objects "VertexBuffer"
// and "IndexBuffer"): the bytes live in memory, where tests can read what
// was written through Lock.
#pragma once

#include <cstddef>

#include "platform/d3d8/buffer_bytes.h"
#include "platform/d3d8/buffer_storage.h"
#include "platform/d3d8/d3d8.h"
#include "platform/d3d8/device_resource.h"
#include "platform/d3d8/recording/recorder.h"

template <class Interface, class Desc>
class RecordingBuffer final : public DeviceResource<Interface>, public BufferBytes {
  public:
    // `live` counts default-pool resources for the device's Reset check.
    RecordingBuffer(IDirect3DDevice8& device, std::size_t* live, Recorder recorder,
                    const Desc& desc);

    const BufferStorage& storage() const override { return storage_; }

    ULONG AddRef() override;
    ULONG Release() override;
    HRESULT GetDesc(Desc* desc) override;
    // Logged arguments: offset, size, flags.
    HRESULT Lock(UINT offset, UINT size, BYTE** data, DWORD flags) override;
    HRESULT Unlock() override;

  private:
    Recorder recorder_;
    Desc desc_;
    BufferStorage storage_;
};

using RecordingVertexBuffer = RecordingBuffer<IDirect3DVertexBuffer8, D3DVERTEXBUFFER_DESC>;
using RecordingIndexBuffer = RecordingBuffer<IDirect3DIndexBuffer8, D3DINDEXBUFFER_DESC>;

// The bytes of a recording buffer; null for a buffer of another backend.
const BufferStorage* recordedBytes(IDirect3DVertexBuffer8* buffer);
const BufferStorage* recordedBytes(IDirect3DIndexBuffer8* buffer);
