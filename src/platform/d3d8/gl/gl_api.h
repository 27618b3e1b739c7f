// The GL 3.3 core entry points the backend uses, looked up through SDL once
// a context is current.
#pragma once

#include <GL/glcorearb.h>

#define TESSAL_GL_FUNCTIONS(X)                                     \
    X(PFNGLGETERRORPROC, GetError)                                 \
    X(PFNGLGETSTRINGPROC, GetString)                               \
    X(PFNGLGETINTEGERVPROC, GetIntegerv)                           \
    X(PFNGLENABLEPROC, Enable)                                     \
    X(PFNGLDISABLEPROC, Disable)                                   \
    X(PFNGLVIEWPORTPROC, Viewport)                                 \
    X(PFNGLSCISSORPROC, Scissor)                                   \
    X(PFNGLCOLORMASKPROC, ColorMask)                               \
    X(PFNGLDEPTHMASKPROC, DepthMask)                               \
    X(PFNGLSTENCILMASKPROC, StencilMask)                           \
    X(PFNGLCLEARCOLORPROC, ClearColor)                             \
    X(PFNGLCLEARDEPTHPROC, ClearDepth)                             \
    X(PFNGLCLEARSTENCILPROC, ClearStencil)                         \
    X(PFNGLCLEARPROC, Clear)                                       \
    X(PFNGLREADPIXELSPROC, ReadPixels)                             \
    X(PFNGLPIXELSTOREIPROC, PixelStorei)                           \
    X(PFNGLFINISHPROC, Finish)                                     \
    X(PFNGLGENTEXTURESPROC, GenTextures)                           \
    X(PFNGLDELETETEXTURESPROC, DeleteTextures)                     \
    X(PFNGLBINDTEXTUREPROC, BindTexture)                           \
    X(PFNGLTEXIMAGE2DPROC, TexImage2D)                             \
    X(PFNGLTEXPARAMETERIPROC, TexParameteri)                       \
    X(PFNGLGENFRAMEBUFFERSPROC, GenFramebuffers)                   \
    X(PFNGLDELETEFRAMEBUFFERSPROC, DeleteFramebuffers)             \
    X(PFNGLBINDFRAMEBUFFERPROC, BindFramebuffer)                   \
    X(PFNGLFRAMEBUFFERTEXTURE2DPROC, FramebufferTexture2D)         \
    X(PFNGLFRAMEBUFFERRENDERBUFFERPROC, FramebufferRenderbuffer)   \
    X(PFNGLCHECKFRAMEBUFFERSTATUSPROC, CheckFramebufferStatus)     \
    X(PFNGLBLITFRAMEBUFFERPROC, BlitFramebuffer)                   \
    X(PFNGLGENRENDERBUFFERSPROC, GenRenderbuffers)                 \
    X(PFNGLDELETERENDERBUFFERSPROC, DeleteRenderbuffers)           \
    X(PFNGLBINDRENDERBUFFERPROC, BindRenderbuffer)                 \
    X(PFNGLRENDERBUFFERSTORAGEPROC, RenderbufferStorage)           \
    X(PFNGLGENBUFFERSPROC, GenBuffers)                             \
    X(PFNGLDELETEBUFFERSPROC, DeleteBuffers)                       \
    X(PFNGLBINDBUFFERPROC, BindBuffer)                             \
    X(PFNGLBUFFERDATAPROC, BufferData)                             \
    X(PFNGLBUFFERSUBDATAPROC, BufferSubData)                       \
    X(PFNGLTEXSUBIMAGE2DPROC, TexSubImage2D)                       \
    X(PFNGLGETTEXIMAGEPROC, GetTexImage)                           \
    X(PFNGLTEXPARAMETERIVPROC, TexParameteriv)                     \
    X(PFNGLACTIVETEXTUREPROC, ActiveTexture)                       \
    X(PFNGLGENSAMPLERSPROC, GenSamplers)                           \
    X(PFNGLDELETESAMPLERSPROC, DeleteSamplers)                     \
    X(PFNGLBINDSAMPLERPROC, BindSampler)                           \
    X(PFNGLSAMPLERPARAMETERIPROC, SamplerParameteri)               \
    X(PFNGLSAMPLERPARAMETERFPROC, SamplerParameterf)               \
    X(PFNGLSAMPLERPARAMETERFVPROC, SamplerParameterfv)             \
    X(PFNGLCREATESHADERPROC, CreateShader)                         \
    X(PFNGLDELETESHADERPROC, DeleteShader)                         \
    X(PFNGLSHADERSOURCEPROC, ShaderSource)                         \
    X(PFNGLCOMPILESHADERPROC, CompileShader)                       \
    X(PFNGLGETSHADERIVPROC, GetShaderiv)                           \
    X(PFNGLGETSHADERINFOLOGPROC, GetShaderInfoLog)                 \
    X(PFNGLCREATEPROGRAMPROC, CreateProgram)                       \
    X(PFNGLDELETEPROGRAMPROC, DeleteProgram)                       \
    X(PFNGLATTACHSHADERPROC, AttachShader)                         \
    X(PFNGLLINKPROGRAMPROC, LinkProgram)                           \
    X(PFNGLGETPROGRAMIVPROC, GetProgramiv)                         \
    X(PFNGLGETPROGRAMINFOLOGPROC, GetProgramInfoLog)               \
    X(PFNGLUSEPROGRAMPROC, UseProgram)                             \
    X(PFNGLGETUNIFORMLOCATIONPROC, GetUniformLocation)             \
    X(PFNGLUNIFORM1IPROC, Uniform1i)                               \
    X(PFNGLUNIFORM1FPROC, Uniform1f)                               \
    X(PFNGLUNIFORM2FPROC, Uniform2f)                               \
    X(PFNGLUNIFORM4FPROC, Uniform4f)                               \
    X(PFNGLUNIFORM4FVPROC, Uniform4fv)                             \
    X(PFNGLUNIFORMMATRIX3FVPROC, UniformMatrix3fv)                 \
    X(PFNGLUNIFORMMATRIX4FVPROC, UniformMatrix4fv)                 \
    X(PFNGLGENVERTEXARRAYSPROC, GenVertexArrays)                   \
    X(PFNGLDELETEVERTEXARRAYSPROC, DeleteVertexArrays)             \
    X(PFNGLBINDVERTEXARRAYPROC, BindVertexArray)                   \
    X(PFNGLVERTEXATTRIBPOINTERPROC, VertexAttribPointer)           \
    X(PFNGLENABLEVERTEXATTRIBARRAYPROC, EnableVertexAttribArray)   \
    X(PFNGLDISABLEVERTEXATTRIBARRAYPROC, DisableVertexAttribArray) \
    X(PFNGLDRAWARRAYSPROC, DrawArrays)                             \
    X(PFNGLDRAWELEMENTSBASEVERTEXPROC, DrawElementsBaseVertex)     \
    X(PFNGLPROVOKINGVERTEXPROC, ProvokingVertex)                   \
    X(PFNGLBLENDFUNCPROC, BlendFunc)                               \
    X(PFNGLBLENDEQUATIONPROC, BlendEquation)                       \
    X(PFNGLDEPTHFUNCPROC, DepthFunc)                               \
    X(PFNGLDEPTHRANGEPROC, DepthRange)                             \
    X(PFNGLCULLFACEPROC, CullFace)                                 \
    X(PFNGLFRONTFACEPROC, FrontFace)                               \
    X(PFNGLPOLYGONMODEPROC, PolygonMode)                           \
    X(PFNGLSTENCILFUNCPROC, StencilFunc)                           \
    X(PFNGLSTENCILOPPROC, StencilOp)

// One pointer per entry point, named without the "gl" prefix: gl.Clear(...).
struct GlApi {
#define TESSAL_GL_DECLARE(type, name) type name = nullptr;
    TESSAL_GL_FUNCTIONS(TESSAL_GL_DECLARE)
#undef TESSAL_GL_DECLARE

    // Looks every entry point up in the current context; false when one is missing.
    bool load();
};
