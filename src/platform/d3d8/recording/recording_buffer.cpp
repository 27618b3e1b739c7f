#include "platform/d3d8/recording/recording_buffer.h"

template <class Interface, class Desc>
RecordingBuffer<Interface, Desc>::RecordingBuffer(IDirect3DDevice8& device, std::size_t* live,
                                                  Recorder recorder, const Desc& desc)
    : DeviceResource<Interface>(device, live),
      recorder_(std::move(recorder)),
      desc_(desc),
      storage_(desc.Size, indexSizeOf(desc)) {}

template <class Interface, class Desc>
ULONG RecordingBuffer<Interface, Desc>::AddRef() {
    const ULONG count = DeviceResource<Interface>::AddRef();
    recorder_.note("AddRef", {}, HRESULT(count));
    return count;
}

template <class Interface, class Desc>
ULONG RecordingBuffer<Interface, Desc>::Release() {
    const ULONG held = this->references();
    recorder_.note("Release", {}, HRESULT(held == 0 ? 0 : held - 1));
    return DeviceResource<Interface>::Release();  // may delete this
}

template <class Interface, class Desc>
HRESULT RecordingBuffer<Interface, Desc>::GetDesc(Desc* desc) {
    return recorder_.call("GetDesc", {}, [&] {
        if (desc == nullptr) return D3DERR_INVALIDCALL;
        *desc = desc_;
        return D3D_OK;
    });
}

template <class Interface, class Desc>
HRESULT RecordingBuffer<Interface, Desc>::Lock(UINT offset, UINT size, BYTE** data, DWORD flags) {
    return recorder_.call("Lock", {double(offset), double(size), double(flags)},
                          [&] { return storage_.lock(offset, size, data, flags); });
}

template <class Interface, class Desc>
HRESULT RecordingBuffer<Interface, Desc>::Unlock() {
    return recorder_.call("Unlock", {}, [&] {
        BufferStorage::Range written;
        return storage_.unlock(written);
    });
}

template class RecordingBuffer<IDirect3DVertexBuffer8, D3DVERTEXBUFFER_DESC>;
template class RecordingBuffer<IDirect3DIndexBuffer8, D3DINDEXBUFFER_DESC>;

const BufferStorage* recordedBytes(IDirect3DVertexBuffer8* buffer) {
    auto* recording = dynamic_cast<RecordingVertexBuffer*>(buffer);
    return recording != nullptr ? &recording->storage() : nullptr;
}

const BufferStorage* recordedBytes(IDirect3DIndexBuffer8* buffer) {
    auto* recording = dynamic_cast<RecordingIndexBuffer*>(buffer);
    return recording != nullptr ? &recording->storage() : nullptr;
}
