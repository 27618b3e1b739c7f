#include "platform/d3d8/gl/buffer_vertex_array.h"

#include "platform/d3d8/gl/vertex_attributes.h"

void BufferVertexArray::bind(const GlApi& gl, GLuint buffer, const VertexLayout& layout,
                             UINT stride) {
    if (array_ == 0) gl.GenVertexArrays(1, &array_);
    gl.BindVertexArray(array_);
    if (stride == stride_ && sameLayout(layout, layout_)) return;
    gl.BindBuffer(GL_ARRAY_BUFFER, buffer);
    setAttributePointers(gl, layout, stride);
    layout_ = layout;
    stride_ = stride;
}

void BufferVertexArray::useIndices(const GlApi& gl, GLuint indices, std::uint64_t serial) {
    if (serial == indexSerial_) return;
    gl.BindBuffer(GL_ELEMENT_ARRAY_BUFFER, indices);
    indexSerial_ = serial;
}

void BufferVertexArray::release(const GlApi& gl) {
    if (array_ != 0) gl.DeleteVertexArrays(1, &array_);
    array_ = 0;
}
