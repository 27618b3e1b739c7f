#include "platform/d3d8/gl/vertex_stream.h"

#include "platform/d3d8/gl/vertex_attributes.h"

namespace {

constexpr UINT INITIAL_CAPACITY = 64 * 1024;

}  // namespace

VertexStream::VertexStream(const GlApi& gl) : gl_(gl) {
    gl_.GenVertexArrays(1, &array_);
    gl_.GenBuffers(1, &buffer_);
}

VertexStream::~VertexStream() {
    gl_.DeleteBuffers(1, &buffer_);
    gl_.DeleteVertexArrays(1, &array_);
}

void VertexStream::draw(GLenum mode, const VertexLayout& layout, const void* vertices, UINT count,
                        UINT stride) {
    if (!bound_) {
        gl_.BindVertexArray(array_);
        gl_.BindBuffer(GL_ARRAY_BUFFER, buffer_);
        bound_ = true;
    }
    const UINT bytes = count * stride;
    const UINT offset = reserve(bytes, stride);
    gl_.BufferSubData(GL_ARRAY_BUFFER, GLintptr(offset), GLsizeiptr(bytes), vertices);
    if (stride != pointersStride_ || !sameLayout(layout, pointersLayout_))
        setPointers(layout, stride);
    gl_.DrawArrays(mode, GLint(offset / stride), GLsizei(count));
}

// Where the next vertices go: the used part rounded up to whole vertices, so
// that the draw can start at a vertex index; a full buffer is renewed (GL
// keeps the old storage until the draws that read it are done).
UINT VertexStream::reserve(UINT bytes, UINT stride) {
    UINT offset = (used_ + stride - 1) / stride * stride;
    if (offset + bytes > capacity_) {
        if (bytes > capacity_) {
            capacity_ = capacity_ == 0 ? INITIAL_CAPACITY : capacity_;
            while (capacity_ < bytes) capacity_ *= 2;
        }
        gl_.BufferData(GL_ARRAY_BUFFER, GLsizeiptr(capacity_), nullptr, GL_STREAM_DRAW);
        offset = 0;
    }
    used_ = offset + bytes;
    return offset;
}

void VertexStream::setPointers(const VertexLayout& layout, UINT stride) {
    setAttributePointers(gl_, layout, stride);
    pointersLayout_ = layout;
    pointersStride_ = stride;
}
