// Vertex and index buffers of the GL backend: the bytes stay in memory (as a
// managed buffer's system copy does) and every unlock that may have written
// sends the changed range to a GL buffer object, which drawing binds.
#pragma once

#include <cstddef>
#include <cstdint>
#include <typeinfo>

#include "platform/d3d8/buffer_bytes.h"
#include "platform/d3d8/buffer_storage.h"
#include "platform/d3d8/d3d8.h"
#include "platform/d3d8/device_resource.h"
#include "platform/d3d8/gl/buffer_vertex_array.h"
#include "platform/d3d8/gl/gl_context.h"

template <class Interface, class Desc>
class GlBuffer final : public DeviceResource<Interface>, public BufferBytes {
  public:
    // Null when GL cannot hold the bytes. `live` counts default-pool
    // resources for the device's Reset check.
    static GlBuffer* create(IDirect3DDevice8& device, GlContext& context, std::size_t* live,
                            const Desc& desc);
    ~GlBuffer() override;

    GLuint glName() const { return name_; }
    // Unique among the buffers of a process, unlike GL names, which GL hands
    // out again after a buffer is deleted.
    std::uint64_t serial() const { return serial_; }
    // Vertex buffers: binds the vertex array that reads this buffer's
    // vertices as `layout` with `stride`.
    void bindVertexArray(const VertexLayout& layout, UINT stride) {
        vertexArray_.bind(context_.gl(), name_, layout, stride);
    }
    // Vertex buffers: makes `indices` the element buffer of the vertex array
    // bound by bindVertexArray.
    void useIndices(const GlBuffer<IDirect3DIndexBuffer8, D3DINDEXBUFFER_DESC>& indices) {
        vertexArray_.useIndices(context_.gl(), indices.glName(), indices.serial());
    }
    const BufferStorage& storage() const override { return storage_; }

    HRESULT GetDesc(Desc* desc) override;
    HRESULT Lock(UINT offset, UINT size, BYTE** data, DWORD flags) override;
    HRESULT Unlock() override;

  private:
    GlBuffer(IDirect3DDevice8& device, GlContext& context, std::size_t* live, const Desc& desc,
             GLuint name);
    void upload(const BufferStorage::Range& range);

    GlContext& context_;
    Desc desc_;
    BufferStorage storage_;
    GLuint name_;
    std::uint64_t serial_;
    BufferVertexArray vertexArray_;
};

using GlVertexBuffer = GlBuffer<IDirect3DVertexBuffer8, D3DVERTEXBUFFER_DESC>;
using GlIndexBuffer = GlBuffer<IDirect3DIndexBuffer8, D3DINDEXBUFFER_DESC>;

// The GL buffer behind a bound interface, null for another backend's. An
// exact type check: every draw makes it, and it costs less than a cast.
template <class Buffer, class Interface>
Buffer* glBufferOf(Interface* buffer) {
    if (buffer == nullptr || typeid(*buffer) != typeid(Buffer)) return nullptr;
    return static_cast<Buffer*>(buffer);
}
