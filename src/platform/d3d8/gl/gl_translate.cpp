#include "platform/d3d8/gl/gl_translate.h"

namespace {

// GL_EXT_texture_compression_s3tc.
constexpr GLenum COMPRESSED_RGBA_S3TC_DXT1 = 0x83F1;

GLenum blendFactor(DWORD blend, GLenum fallback) {
    switch (blend) {
        case D3DBLEND_ZERO:
            return GL_ZERO;
        case D3DBLEND_ONE:
            return GL_ONE;
        case D3DBLEND_SRCCOLOR:
            return GL_SRC_COLOR;
        case D3DBLEND_INVSRCCOLOR:
            return GL_ONE_MINUS_SRC_COLOR;
        case D3DBLEND_SRCALPHA:
            return GL_SRC_ALPHA;
        case D3DBLEND_INVSRCALPHA:
            return GL_ONE_MINUS_SRC_ALPHA;
        case D3DBLEND_DESTALPHA:
            return GL_DST_ALPHA;
        case D3DBLEND_INVDESTALPHA:
            return GL_ONE_MINUS_DST_ALPHA;
        case D3DBLEND_DESTCOLOR:
            return GL_DST_COLOR;
        case D3DBLEND_INVDESTCOLOR:
            return GL_ONE_MINUS_DST_COLOR;
        case D3DBLEND_SRCALPHASAT:
            return GL_SRC_ALPHA_SATURATE;
        default:
            return fallback;
    }
}

GlFormat format(GLenum internalFormat, GLenum pixelFormat, GLenum type,
                GlSwizzle swizzle = GlSwizzle::None) {
    return {true, internalFormat, pixelFormat, type, swizzle, false};
}

}  // namespace

GlBlendFactors glBlendFactors(DWORD sourceBlend, DWORD destinationBlend) {
    if (sourceBlend == D3DBLEND_BOTHSRCALPHA) return {GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA};
    if (sourceBlend == D3DBLEND_BOTHINVSRCALPHA) return {GL_ONE_MINUS_SRC_ALPHA, GL_SRC_ALPHA};
    return {blendFactor(sourceBlend, GL_ONE), blendFactor(destinationBlend, GL_ZERO)};
}

GLenum glBlendEquation(DWORD blendOp) {
    switch (blendOp) {
        case D3DBLENDOP_SUBTRACT:
            return GL_FUNC_SUBTRACT;
        case D3DBLENDOP_REVSUBTRACT:
            return GL_FUNC_REVERSE_SUBTRACT;
        case D3DBLENDOP_MIN:
            return GL_MIN;
        case D3DBLENDOP_MAX:
            return GL_MAX;
        default:
            return GL_FUNC_ADD;
    }
}

GLenum glCompareFunc(DWORD compare) {
    switch (compare) {
        case D3DCMP_NEVER:
            return GL_NEVER;
        case D3DCMP_LESS:
            return GL_LESS;
        case D3DCMP_EQUAL:
            return GL_EQUAL;
        case D3DCMP_LESSEQUAL:
            return GL_LEQUAL;
        case D3DCMP_GREATER:
            return GL_GREATER;
        case D3DCMP_NOTEQUAL:
            return GL_NOTEQUAL;
        case D3DCMP_GREATEREQUAL:
            return GL_GEQUAL;
        default:
            return GL_ALWAYS;
    }
}

GLenum glStencilOp(DWORD stencilOp) {
    switch (stencilOp) {
        case D3DSTENCILOP_ZERO:
            return GL_ZERO;
        case D3DSTENCILOP_REPLACE:
            return GL_REPLACE;
        case D3DSTENCILOP_INCRSAT:
            return GL_INCR;
        case D3DSTENCILOP_DECRSAT:
            return GL_DECR;
        case D3DSTENCILOP_INVERT:
            return GL_INVERT;
        case D3DSTENCILOP_INCR:
            return GL_INCR_WRAP;
        case D3DSTENCILOP_DECR:
            return GL_DECR_WRAP;
        default:
            return GL_KEEP;
    }
}

GlCull glCull(DWORD cullMode) {
    switch (cullMode) {
        case D3DCULL_CW:
            return {true, GL_CW};
        case D3DCULL_CCW:
            return {true, GL_CCW};
        default:
            return {false, GL_CCW};
    }
}

GLenum glMagFilter(DWORD magFilter) {
    return magFilter == D3DTEXF_LINEAR || magFilter == D3DTEXF_ANISOTROPIC ? GL_LINEAR : GL_NEAREST;
}

GLenum glMinFilter(DWORD minFilter, DWORD mipFilter) {
    const bool linear = minFilter == D3DTEXF_LINEAR || minFilter == D3DTEXF_ANISOTROPIC;
    switch (mipFilter) {
        case D3DTEXF_POINT:
            return linear ? GL_LINEAR_MIPMAP_NEAREST : GL_NEAREST_MIPMAP_NEAREST;
        case D3DTEXF_LINEAR:
        case D3DTEXF_ANISOTROPIC:
            return linear ? GL_LINEAR_MIPMAP_LINEAR : GL_NEAREST_MIPMAP_LINEAR;
        default:
            return linear ? GL_LINEAR : GL_NEAREST;
    }
}

GLenum glWrapMode(DWORD address) {
    switch (address) {
        case D3DTADDRESS_MIRROR:
            return GL_MIRRORED_REPEAT;
        case D3DTADDRESS_CLAMP:
            return GL_CLAMP_TO_EDGE;
        case D3DTADDRESS_BORDER:
            return GL_CLAMP_TO_BORDER;
        // Mirror-once is not offered in the caps; clamping is its nearest core equivalent.
        case D3DTADDRESS_MIRRORONCE:
            return GL_CLAMP_TO_EDGE;
        default:
            return GL_REPEAT;
    }
}

GlFormat glFormat(D3DFORMAT d3dFormat) {
    switch (d3dFormat) {
        case D3DFMT_A8R8G8B8:
            return format(GL_RGBA8, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV);
        case D3DFMT_X8R8G8B8:
            return format(GL_RGB8, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV);
        case D3DFMT_R8G8B8:
            return format(GL_RGB8, GL_BGR, GL_UNSIGNED_BYTE);
        case D3DFMT_R5G6B5:
            return format(GL_RGB565, GL_RGB, GL_UNSIGNED_SHORT_5_6_5);
        case D3DFMT_X1R5G5B5:
            return format(GL_RGB5, GL_BGRA, GL_UNSIGNED_SHORT_1_5_5_5_REV);
        case D3DFMT_A1R5G5B5:
            return format(GL_RGB5_A1, GL_BGRA, GL_UNSIGNED_SHORT_1_5_5_5_REV);
        case D3DFMT_A4R4G4B4:
            return format(GL_RGBA4, GL_BGRA, GL_UNSIGNED_SHORT_4_4_4_4_REV);
        case D3DFMT_X4R4G4B4:
            return format(GL_RGB4, GL_BGRA, GL_UNSIGNED_SHORT_4_4_4_4_REV);
        case D3DFMT_R3G3B2:
            return format(GL_R3_G3_B2, GL_RGB, GL_UNSIGNED_BYTE_3_3_2);
        case D3DFMT_A8:
            return format(GL_R8, GL_RED, GL_UNSIGNED_BYTE, GlSwizzle::Alpha);
        case D3DFMT_L8:
            return format(GL_R8, GL_RED, GL_UNSIGNED_BYTE, GlSwizzle::Luminance);
        case D3DFMT_A8L8:
            return format(GL_RG8, GL_RG, GL_UNSIGNED_BYTE, GlSwizzle::LuminanceAlpha);
        case D3DFMT_DXT1:
            return {true, COMPRESSED_RGBA_S3TC_DXT1, GL_RGBA, GL_UNSIGNED_BYTE, GlSwizzle::None,
                    true};
        case D3DFMT_D16:
        case D3DFMT_D16_LOCKABLE:
            return format(GL_DEPTH_COMPONENT16, GL_DEPTH_COMPONENT, GL_UNSIGNED_SHORT);
        case D3DFMT_D24X8:
            return format(GL_DEPTH_COMPONENT24, GL_DEPTH_COMPONENT, GL_UNSIGNED_INT);
        case D3DFMT_D32:
            return format(GL_DEPTH_COMPONENT32F, GL_DEPTH_COMPONENT, GL_FLOAT);
        case D3DFMT_D24S8:
        case D3DFMT_D24X4S4:
        case D3DFMT_D15S1:  // GL has no 1-bit stencil; 8 bits hold it
            return format(GL_DEPTH24_STENCIL8, GL_DEPTH_STENCIL, GL_UNSIGNED_INT_24_8);
        default:
            return {false, 0, 0, 0, GlSwizzle::None, false};
    }
}
