#include "platform/d3d8/gl/vertex_stream.h"

#include "platform/d3d8/gl/fixed_function_shader.h"

namespace {

constexpr UINT INITIAL_CAPACITY = 64 * 1024;

bool sameLayout(const VertexLayout& a, const VertexLayout& b) {
    if (a.positionFloats != b.positionFloats || a.normalOffset != b.normalOffset ||
        a.diffuseOffset != b.diffuseOffset || a.specularOffset != b.specularOffset ||
        a.texCoordCount != b.texCoordCount)
        return false;
    for (UINT set = 0; set < a.texCoordCount; ++set)
        if (a.texCoordOffset[set] != b.texCoordOffset[set] ||
            a.texCoordFloats[set] != b.texCoordFloats[set])
            return false;
    return true;
}

const void* byteOffset(UINT offset) {
    return reinterpret_cast<const void*>(std::uintptr_t(offset));
}

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
    gl_.BindVertexArray(array_);
    gl_.BindBuffer(GL_ARRAY_BUFFER, buffer_);
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
    const GLsizei step = GLsizei(stride);
    const GLint positionSize = layout.pretransformed ? 4 : 3;
    gl_.EnableVertexAttribArray(ATTRIBUTE_POSITION);
    gl_.VertexAttribPointer(ATTRIBUTE_POSITION, positionSize, GL_FLOAT, GL_FALSE, step,
                            byteOffset(0));
    const auto colour = [&](GLuint location, int offset) {
        if (offset < 0) return gl_.DisableVertexAttribArray(location);
        gl_.EnableVertexAttribArray(location);
        gl_.VertexAttribPointer(location, GL_BGRA, GL_UNSIGNED_BYTE, GL_TRUE, step,
                                byteOffset(UINT(offset)));
    };
    colour(ATTRIBUTE_DIFFUSE, layout.diffuseOffset);
    colour(ATTRIBUTE_SPECULAR, layout.specularOffset);
    if (layout.normalOffset < 0) {
        gl_.DisableVertexAttribArray(ATTRIBUTE_NORMAL);
    } else {
        gl_.EnableVertexAttribArray(ATTRIBUTE_NORMAL);
        gl_.VertexAttribPointer(ATTRIBUTE_NORMAL, 3, GL_FLOAT, GL_FALSE, step,
                                byteOffset(UINT(layout.normalOffset)));
    }
    for (UINT set = 0; set < MAX_TEXCOORD_SETS; ++set) {
        const GLuint location = ATTRIBUTE_TEXCOORD0 + set;
        if (set >= layout.texCoordCount) {
            gl_.DisableVertexAttribArray(location);
            continue;
        }
        gl_.EnableVertexAttribArray(location);
        gl_.VertexAttribPointer(location, GLint(layout.texCoordFloats[set]), GL_FLOAT, GL_FALSE,
                                step, byteOffset(layout.texCoordOffset[set]));
    }
    pointersLayout_ = layout;
    pointersStride_ = stride;
}
