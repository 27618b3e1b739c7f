#include "platform/d3d8/gl/gl_buffer.h"

namespace {

// Uploads go through the copy-write target, which no vertex array object
// remembers, so drawing state is left alone.
constexpr GLenum kUploadTarget = GL_COPY_WRITE_BUFFER;

std::uint64_t nextSerial() {
    static std::uint64_t serial = 0;
    return ++serial;
}

GLenum usageHint(DWORD usage) {
    return (usage & D3DUSAGE_DYNAMIC) != 0 ? GL_DYNAMIC_DRAW : GL_STATIC_DRAW;
}

}  // namespace

template <class Interface, class Desc>
GlBuffer<Interface, Desc>* GlBuffer<Interface, Desc>::create(IDirect3DDevice8& device,
                                                             GlContext& context, std::size_t* live,
                                                             const Desc& desc) {
    context.makeCurrent();
    const GlApi& gl = context.gl();
    for (int stale = 0; stale < 8 && gl.GetError() != GL_NO_ERROR; ++stale) {
    }
    GLuint name = 0;
    gl.GenBuffers(1, &name);
    gl.BindBuffer(kUploadTarget, name);
    gl.BufferData(kUploadTarget, GLsizeiptr(desc.Size), nullptr, usageHint(desc.Usage));
    if (gl.GetError() != GL_NO_ERROR) {
        gl.DeleteBuffers(1, &name);
        return nullptr;
    }
    auto* buffer = new GlBuffer(device, context, live, desc, name);
    buffer->upload({0, desc.Size});  // zeros, as the memory copy starts
    return buffer;
}

template <class Interface, class Desc>
GlBuffer<Interface, Desc>::GlBuffer(IDirect3DDevice8& device, GlContext& context, std::size_t* live,
                                    const Desc& desc, GLuint name)
    : DeviceResource<Interface>(device, live),
      context_(context),
      desc_(desc),
      storage_(desc.Size, indexSizeOf(desc)),
      name_(name),
      serial_(nextSerial()) {}

template <class Interface, class Desc>
GlBuffer<Interface, Desc>::~GlBuffer() {
    context_.makeCurrent();
    vertexArray_.release(context_.gl());
    context_.gl().DeleteBuffers(1, &name_);
}

template <class Interface, class Desc>
HRESULT GlBuffer<Interface, Desc>::GetDesc(Desc* desc) {
    if (desc == nullptr) return D3DERR_INVALIDCALL;
    *desc = desc_;
    return D3D_OK;
}

template <class Interface, class Desc>
HRESULT GlBuffer<Interface, Desc>::Lock(UINT offset, UINT size, BYTE** data, DWORD flags) {
    return storage_.lock(offset, size, data, flags);
}

template <class Interface, class Desc>
HRESULT GlBuffer<Interface, Desc>::Unlock() {
    BufferStorage::Range written;
    const HRESULT result = storage_.unlock(written);
    if (SUCCEEDED(result) && !written.empty()) upload(written);
    return result;
}

template <class Interface, class Desc>
void GlBuffer<Interface, Desc>::upload(const BufferStorage::Range& range) {
    context_.makeCurrent();
    const GlApi& gl = context_.gl();
    gl.BindBuffer(kUploadTarget, name_);
    gl.BufferSubData(kUploadTarget, GLintptr(range.begin), GLsizeiptr(range.end - range.begin),
                     storage_.data() + range.begin);
}

template class GlBuffer<IDirect3DVertexBuffer8, D3DVERTEXBUFFER_DESC>;
template class GlBuffer<IDirect3DIndexBuffer8, D3DINDEXBUFFER_DESC>;
