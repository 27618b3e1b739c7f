// Vertices handed to a draw call from memory (DrawPrimitiveUP): copied into
// a GL buffer that is filled front to back and renewed when full, and fed to
// the generated programs' attributes as the vertex format lays them out.
// The stream's vertex array and buffer stay bound from one draw to the next
// until another vertex array is bound; the attribute pointers live in the
// stream's own vertex array and change only with the vertex format.
#pragma once

#include "platform/d3d8/gl/gl_api.h"
#include "platform/d3d8/vertex_layout.h"

class VertexStream {
  public:
    explicit VertexStream(const GlApi& gl);
    ~VertexStream();
    VertexStream(const VertexStream&) = delete;
    VertexStream& operator=(const VertexStream&) = delete;

    // Copies `count` vertices of `stride` bytes and draws them as `mode`.
    void draw(GLenum mode, const VertexLayout& layout, const void* vertices, UINT count,
              UINT stride);
    // After another vertex array or array buffer was bound: the next draw
    // binds the stream's own again.
    void forget() { bound_ = false; }

  private:
    UINT reserve(UINT bytes, UINT stride);
    void setPointers(const VertexLayout& layout, UINT stride);

    const GlApi& gl_;
    GLuint array_ = 0;
    GLuint buffer_ = 0;
    UINT capacity_ = 0;
    UINT used_ = 0;
    bool bound_ = false;
    // The layout the attribute pointers describe; stride 0: none yet.
    UINT pointersStride_ = 0;
    VertexLayout pointersLayout_;
};
