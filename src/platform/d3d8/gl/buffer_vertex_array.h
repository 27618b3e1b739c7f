// The vertex array through which draws read one vertex buffer: made on the
// first draw from the buffer, its attribute pointers set again only when a
// draw reads the buffer with another layout or stride.
#pragma once

#include "platform/d3d8/gl/gl_api.h"
#include "platform/d3d8/vertex_layout.h"

class BufferVertexArray {
  public:
    // Binds the vertex array reading `buffer` (a GL buffer name) as `layout`
    // with `stride`.
    void bind(const GlApi& gl, GLuint buffer, const VertexLayout& layout, UINT stride);
    // Deletes the vertex array, if made (its GL context current).
    void release(const GlApi& gl);

  private:
    GLuint array_ = 0;
    VertexLayout layout_;
    UINT stride_ = 0;  // 0: no pointers set yet
};
