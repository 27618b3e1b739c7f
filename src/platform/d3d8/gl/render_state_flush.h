// Sends the render-state groups a draw depends on to GL when they are marked
// dirty, and clears their marks: blending, depth test, stencil, culling and
// fill mode, colour writes and the viewport. Alpha test, texture factor and
// transforms reach the generated programs as uniforms instead.
#pragma once

#include "platform/d3d8/device_state.h"
#include "platform/d3d8/gl/gl_api.h"

void flushRenderStates(const GlApi& gl, DeviceState& state);

// The GL primitive of a Direct3D primitive type (triangles for unknown ones).
GLenum glPrimitive(D3DPRIMITIVETYPE type);
