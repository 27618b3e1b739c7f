// Direct3D enumerations in GL terms, without a GL context.
#include <gtest/gtest.h>

#include "platform/d3d8/gl/gl_translate.h"

namespace {

TEST(GlTranslate, BlendFactorsPairUp) {
    const GlBlendFactors alpha = glBlendFactors(D3DBLEND_SRCALPHA, D3DBLEND_INVSRCALPHA);
    EXPECT_EQ(alpha.source, GLenum(GL_SRC_ALPHA));
    EXPECT_EQ(alpha.destination, GLenum(GL_ONE_MINUS_SRC_ALPHA));
    const GlBlendFactors inverse = glBlendFactors(D3DBLEND_INVSRCCOLOR, D3DBLEND_INVDESTCOLOR);
    EXPECT_EQ(inverse.source, GLenum(GL_ONE_MINUS_SRC_COLOR));
    EXPECT_EQ(inverse.destination, GLenum(GL_ONE_MINUS_DST_COLOR));
    EXPECT_EQ(glBlendFactors(D3DBLEND_DESTCOLOR, D3DBLEND_SRCALPHASAT).destination,
              GLenum(GL_SRC_ALPHA_SATURATE));
}

TEST(GlTranslate, BothAlphaBlendsOverrideTheDestination) {
    const GlBlendFactors both = glBlendFactors(D3DBLEND_BOTHSRCALPHA, D3DBLEND_ONE);
    EXPECT_EQ(both.source, GLenum(GL_SRC_ALPHA));
    EXPECT_EQ(both.destination, GLenum(GL_ONE_MINUS_SRC_ALPHA));
    const GlBlendFactors inverse = glBlendFactors(D3DBLEND_BOTHINVSRCALPHA, D3DBLEND_ZERO);
    EXPECT_EQ(inverse.source, GLenum(GL_ONE_MINUS_SRC_ALPHA));
    EXPECT_EQ(inverse.destination, GLenum(GL_SRC_ALPHA));
}

TEST(GlTranslate, UnknownValuesFallBackToDirect3DDefaults) {
    // Scripts pass blend numbers straight through, so nonsense must stay harmless.
    const GlBlendFactors unknown = glBlendFactors(0, 99);
    EXPECT_EQ(unknown.source, GLenum(GL_ONE));
    EXPECT_EQ(unknown.destination, GLenum(GL_ZERO));
    EXPECT_EQ(glCompareFunc(0), GLenum(GL_ALWAYS));
    EXPECT_EQ(glCompareFunc(9), GLenum(GL_ALWAYS));
    EXPECT_FALSE(glCull(0).enabled);
    EXPECT_EQ(glWrapMode(77), GLenum(GL_REPEAT));
    EXPECT_EQ(glMagFilter(42), GLenum(GL_NEAREST));
    EXPECT_EQ(glMinFilter(42, 42), GLenum(GL_NEAREST));
    EXPECT_EQ(glBlendEquation(0), GLenum(GL_FUNC_ADD));
    EXPECT_EQ(glStencilOp(0), GLenum(GL_KEEP));
    EXPECT_FALSE(glFormat(D3DFMT_P8).supported);
    EXPECT_FALSE(glFormat(D3DFORMAT(12345)).supported);
}

TEST(GlTranslate, CompareFunctionsMapOneToOne) {
    EXPECT_EQ(glCompareFunc(D3DCMP_NEVER), GLenum(GL_NEVER));
    EXPECT_EQ(glCompareFunc(D3DCMP_LESS), GLenum(GL_LESS));
    EXPECT_EQ(glCompareFunc(D3DCMP_EQUAL), GLenum(GL_EQUAL));
    EXPECT_EQ(glCompareFunc(D3DCMP_LESSEQUAL), GLenum(GL_LEQUAL));
    EXPECT_EQ(glCompareFunc(D3DCMP_GREATER), GLenum(GL_GREATER));
    EXPECT_EQ(glCompareFunc(D3DCMP_NOTEQUAL), GLenum(GL_NOTEQUAL));
    EXPECT_EQ(glCompareFunc(D3DCMP_GREATEREQUAL), GLenum(GL_GEQUAL));
    EXPECT_EQ(glCompareFunc(D3DCMP_ALWAYS), GLenum(GL_ALWAYS));
}

TEST(GlTranslate, CullingKeepsTheOnScreenWinding) {
    // Default D3DCULL_CCW drops what appears counter-clockwise on screen,
    // which on a top-down target is GL's clockwise: GL's CCW faces are front.
    const GlCull ccw = glCull(D3DCULL_CCW);
    EXPECT_TRUE(ccw.enabled);
    EXPECT_EQ(ccw.frontFace, GLenum(GL_CCW));
    const GlCull cw = glCull(D3DCULL_CW);
    EXPECT_TRUE(cw.enabled);
    EXPECT_EQ(cw.frontFace, GLenum(GL_CW));
    EXPECT_FALSE(glCull(D3DCULL_NONE).enabled);
}

TEST(GlTranslate, FiltersCombineMinificationAndMipmaps) {
    EXPECT_EQ(glMagFilter(D3DTEXF_POINT), GLenum(GL_NEAREST));
    EXPECT_EQ(glMagFilter(D3DTEXF_LINEAR), GLenum(GL_LINEAR));
    EXPECT_EQ(glMagFilter(D3DTEXF_ANISOTROPIC), GLenum(GL_LINEAR));
    EXPECT_EQ(glMinFilter(D3DTEXF_POINT, D3DTEXF_NONE), GLenum(GL_NEAREST));
    EXPECT_EQ(glMinFilter(D3DTEXF_LINEAR, D3DTEXF_NONE), GLenum(GL_LINEAR));
    EXPECT_EQ(glMinFilter(D3DTEXF_POINT, D3DTEXF_POINT), GLenum(GL_NEAREST_MIPMAP_NEAREST));
    EXPECT_EQ(glMinFilter(D3DTEXF_LINEAR, D3DTEXF_POINT), GLenum(GL_LINEAR_MIPMAP_NEAREST));
    EXPECT_EQ(glMinFilter(D3DTEXF_POINT, D3DTEXF_LINEAR), GLenum(GL_NEAREST_MIPMAP_LINEAR));
    EXPECT_EQ(glMinFilter(D3DTEXF_LINEAR, D3DTEXF_LINEAR), GLenum(GL_LINEAR_MIPMAP_LINEAR));
}

TEST(GlTranslate, AddressModes) {
    EXPECT_EQ(glWrapMode(D3DTADDRESS_WRAP), GLenum(GL_REPEAT));
    EXPECT_EQ(glWrapMode(D3DTADDRESS_MIRROR), GLenum(GL_MIRRORED_REPEAT));
    EXPECT_EQ(glWrapMode(D3DTADDRESS_CLAMP), GLenum(GL_CLAMP_TO_EDGE));
    EXPECT_EQ(glWrapMode(D3DTADDRESS_BORDER), GLenum(GL_CLAMP_TO_BORDER));
}

TEST(GlTranslate, FormatsUploadInDirect3DByteOrder) {
    const GlFormat argb = glFormat(D3DFMT_A8R8G8B8);
    EXPECT_TRUE(argb.supported);
    EXPECT_EQ(argb.internalFormat, GLenum(GL_RGBA8));
    EXPECT_EQ(argb.format, GLenum(GL_BGRA));
    EXPECT_EQ(argb.type, GLenum(GL_UNSIGNED_INT_8_8_8_8_REV));
    EXPECT_EQ(glFormat(D3DFMT_X8R8G8B8).internalFormat, GLenum(GL_RGB8));
    const GlFormat rgb565 = glFormat(D3DFMT_R5G6B5);
    EXPECT_EQ(rgb565.format, GLenum(GL_RGB));
    EXPECT_EQ(rgb565.type, GLenum(GL_UNSIGNED_SHORT_5_6_5));
    EXPECT_EQ(glFormat(D3DFMT_A1R5G5B5).type, GLenum(GL_UNSIGNED_SHORT_1_5_5_5_REV));
    EXPECT_EQ(glFormat(D3DFMT_A4R4G4B4).type, GLenum(GL_UNSIGNED_SHORT_4_4_4_4_REV));
    EXPECT_EQ(glFormat(D3DFMT_A8).swizzle, GlSwizzle::Alpha);
    EXPECT_EQ(glFormat(D3DFMT_L8).swizzle, GlSwizzle::Luminance);
    EXPECT_EQ(glFormat(D3DFMT_A8L8).swizzle, GlSwizzle::LuminanceAlpha);
    EXPECT_TRUE(glFormat(D3DFMT_DXT1).compressed);
}

TEST(GlTranslate, DepthFormatsKeepTheirStencil) {
    EXPECT_EQ(glFormat(D3DFMT_D16).internalFormat, GLenum(GL_DEPTH_COMPONENT16));
    EXPECT_EQ(glFormat(D3DFMT_D24X8).internalFormat, GLenum(GL_DEPTH_COMPONENT24));
    EXPECT_EQ(glFormat(D3DFMT_D24S8).internalFormat, GLenum(GL_DEPTH24_STENCIL8));
    EXPECT_EQ(glFormat(D3DFMT_D15S1).internalFormat, GLenum(GL_DEPTH24_STENCIL8));
    EXPECT_TRUE(glFormat(D3DFMT_D32).supported);
}

}  // namespace
