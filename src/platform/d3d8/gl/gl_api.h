// The GL 3.3 core entry points the backend uses, looked up through SDL once
// a context is current.
#pragma once

#include <GL/glcorearb.h>

#define TESSAL_GL_FUNCTIONS(X)                                   \
    X(PFNGLGETERRORPROC, GetError)                               \
    X(PFNGLGETSTRINGPROC, GetString)                             \
    X(PFNGLGETINTEGERVPROC, GetIntegerv)                         \
    X(PFNGLENABLEPROC, Enable)                                   \
    X(PFNGLDISABLEPROC, Disable)                                 \
    X(PFNGLVIEWPORTPROC, Viewport)                               \
    X(PFNGLSCISSORPROC, Scissor)                                 \
    X(PFNGLCOLORMASKPROC, ColorMask)                             \
    X(PFNGLDEPTHMASKPROC, DepthMask)                             \
    X(PFNGLSTENCILMASKPROC, StencilMask)                         \
    X(PFNGLCLEARCOLORPROC, ClearColor)                           \
    X(PFNGLCLEARDEPTHPROC, ClearDepth)                           \
    X(PFNGLCLEARSTENCILPROC, ClearStencil)                       \
    X(PFNGLCLEARPROC, Clear)                                     \
    X(PFNGLREADPIXELSPROC, ReadPixels)                           \
    X(PFNGLPIXELSTOREIPROC, PixelStorei)                         \
    X(PFNGLFINISHPROC, Finish)                                   \
    X(PFNGLGENTEXTURESPROC, GenTextures)                         \
    X(PFNGLDELETETEXTURESPROC, DeleteTextures)                   \
    X(PFNGLBINDTEXTUREPROC, BindTexture)                         \
    X(PFNGLTEXIMAGE2DPROC, TexImage2D)                           \
    X(PFNGLTEXPARAMETERIPROC, TexParameteri)                     \
    X(PFNGLGENFRAMEBUFFERSPROC, GenFramebuffers)                 \
    X(PFNGLDELETEFRAMEBUFFERSPROC, DeleteFramebuffers)           \
    X(PFNGLBINDFRAMEBUFFERPROC, BindFramebuffer)                 \
    X(PFNGLFRAMEBUFFERTEXTURE2DPROC, FramebufferTexture2D)       \
    X(PFNGLFRAMEBUFFERRENDERBUFFERPROC, FramebufferRenderbuffer) \
    X(PFNGLCHECKFRAMEBUFFERSTATUSPROC, CheckFramebufferStatus)   \
    X(PFNGLBLITFRAMEBUFFERPROC, BlitFramebuffer)                 \
    X(PFNGLGENRENDERBUFFERSPROC, GenRenderbuffers)               \
    X(PFNGLDELETERENDERBUFFERSPROC, DeleteRenderbuffers)         \
    X(PFNGLBINDRENDERBUFFERPROC, BindRenderbuffer)               \
    X(PFNGLRENDERBUFFERSTORAGEPROC, RenderbufferStorage)         \
    X(PFNGLGENBUFFERSPROC, GenBuffers)                           \
    X(PFNGLDELETEBUFFERSPROC, DeleteBuffers)                     \
    X(PFNGLBINDBUFFERPROC, BindBuffer)                           \
    X(PFNGLBUFFERDATAPROC, BufferData)                           \
    X(PFNGLBUFFERSUBDATAPROC, BufferSubData)

// One pointer per entry point, named without the "gl" prefix: gl.Clear(...).
struct GlApi {
#define TESSAL_GL_DECLARE(type, name) type name = nullptr;
    TESSAL_GL_FUNCTIONS(TESSAL_GL_DECLARE)
#undef TESSAL_GL_DECLARE

    // Looks every entry point up in the current context; false when one is missing.
    bool load();
};
