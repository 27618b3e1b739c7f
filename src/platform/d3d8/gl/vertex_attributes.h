// The generated programs' vertex attributes pointed at a vertex format's
// parts, in the vertex array and array buffer bound.
#pragma once

#include "platform/d3d8/gl/gl_api.h"
#include "platform/d3d8/vertex_layout.h"

// Points the attributes at vertices of `stride` bytes laid out as `layout`
// from the start of the bound array buffer; attributes the format lacks
// are disabled.
void setAttributePointers(const GlApi& gl, const VertexLayout& layout, UINT stride);

// Whether two layouts place their parts alike (and so share attribute pointers).
bool sameLayout(const VertexLayout& a, const VertexLayout& b);
