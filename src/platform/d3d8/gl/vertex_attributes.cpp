#include "platform/d3d8/gl/vertex_attributes.h"

#include <cstdint>

#include "platform/d3d8/gl/fixed_function_shader.h"

namespace {

const void* byteOffset(UINT offset) {
    return reinterpret_cast<const void*>(std::uintptr_t(offset));
}

void pointFloats(const GlApi& gl, GLuint location, GLint floats, int offset, GLsizei stride) {
    if (offset < 0) return gl.DisableVertexAttribArray(location);
    gl.EnableVertexAttribArray(location);
    gl.VertexAttribPointer(location, floats, GL_FLOAT, GL_FALSE, stride, byteOffset(UINT(offset)));
}

// D3DCOLOR is B, G, R, A in memory.
void pointColour(const GlApi& gl, GLuint location, int offset, GLsizei stride) {
    if (offset < 0) return gl.DisableVertexAttribArray(location);
    gl.EnableVertexAttribArray(location);
    gl.VertexAttribPointer(location, GL_BGRA, GL_UNSIGNED_BYTE, GL_TRUE, stride,
                           byteOffset(UINT(offset)));
}

}  // namespace

void setAttributePointers(const GlApi& gl, const VertexLayout& layout, UINT stride) {
    const GLsizei step = GLsizei(stride);
    pointFloats(gl, ATTRIBUTE_POSITION, layout.pretransformed ? 4 : 3, 0, step);
    pointColour(gl, ATTRIBUTE_DIFFUSE, layout.diffuseOffset, step);
    pointColour(gl, ATTRIBUTE_SPECULAR, layout.specularOffset, step);
    pointFloats(gl, ATTRIBUTE_NORMAL, 3, layout.normalOffset, step);
    for (UINT set = 0; set < MAX_TEXCOORD_SETS; ++set) {
        const int offset = set < layout.texCoordCount ? int(layout.texCoordOffset[set]) : -1;
        pointFloats(gl, ATTRIBUTE_TEXCOORD0 + set, GLint(layout.texCoordFloats[set]), offset, step);
    }
}

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
