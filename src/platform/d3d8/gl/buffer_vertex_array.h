// The vertex array through which draws read one vertex buffer: made on the
// first draw from the buffer, its attribute pointers set again only when a
// draw reads the buffer with another layout or stride, its element buffer
// only when a draw uses other indices.
#pragma once

#include <cstdint>

#include "platform/d3d8/gl/gl_api.h"
#include "platform/d3d8/vertex_layout.h"

class BufferVertexArray {
  public:
    // Binds the vertex array reading `buffer` (a GL buffer name) as `layout`
    // with `stride`.
    void bind(const GlApi& gl, GLuint buffer, const VertexLayout& layout, UINT stride);
    // Makes the index buffer `indices` (GL name; serial: which buffer it is)
    // the element buffer of the vertex array, which is bound.
    void useIndices(const GlApi& gl, GLuint indices, std::uint64_t serial);
    // Deletes the vertex array, if made (its GL context current).
    void release(const GlApi& gl);

  private:
    GLuint array_ = 0;
    VertexLayout layout_;
    UINT stride_ = 0;                // 0: no pointers set yet
    std::uint64_t indexSerial_ = 0;  // 0: no element buffer yet
};
