// Direct3D enumerations in GL terms. Pure functions: no GL context needed.
// Every function has a safe answer for values Direct3D does not define.
#pragma once

#include <GL/glcorearb.h>

#include "platform/d3d8/d3d8types.h"

struct GlBlendFactors {
    GLenum source;
    GLenum destination;
};
// D3DRS_SRCBLEND and D3DRS_DESTBLEND together: BOTHSRCALPHA and
// BOTHINVSRCALPHA set both factors. Unknown values act as ONE (source) and
// ZERO (destination), Direct3D's defaults.
GlBlendFactors glBlendFactors(DWORD sourceBlend, DWORD destinationBlend);

// D3DBLENDOP; unknown values add.
GLenum glBlendEquation(DWORD blendOp);

// D3DCMPFUNC; unknown values always pass.
GLenum glCompareFunc(DWORD compare);

// D3DSTENCILOP; unknown values keep.
GLenum glStencilOp(DWORD stencilOp);

// D3DCULL for a target drawn top-down (clip-space y negated): the winding
// Direct3D sees on screen is the winding GL sees, so "cull counter-clockwise"
// keeps GL's counter-clockwise faces and culls GL_BACK with front face CCW.
// Unknown values cull nothing.
struct GlCull {
    bool enabled;
    GLenum frontFace;  // used with glCullFace(GL_BACK)
};
GlCull glCull(DWORD cullMode);

// D3DTSS_MAGFILTER: LINEAR and ANISOTROPIC filter linearly; POINT, NONE and
// unknown values take the nearest texel.
GLenum glMagFilter(DWORD magFilter);
// D3DTSS_MINFILTER with D3DTSS_MIPFILTER (NONE: no mipmaps); unknown
// values act as POINT and NONE.
GLenum glMinFilter(DWORD minFilter, DWORD mipFilter);

// D3DTEXTUREADDRESS; unknown values wrap.
GLenum glWrapMode(DWORD address);

// How a texture format is stored and uploaded in GL. Formats without a GL
// counterpart have `supported` false.
enum class GlSwizzle { None, Alpha, Luminance, LuminanceAlpha };
struct GlFormat {
    bool supported;
    GLenum internalFormat;
    GLenum format;
    GLenum type;
    GlSwizzle swizzle;  // single-channel formats read their channel from red (and green)
    bool compressed;
};
GlFormat glFormat(D3DFORMAT format);
