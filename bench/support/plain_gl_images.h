// The reference of the image-layer GL benchmark: a plain OpenGL 3.3 program
// drawing the same screen-covering quads as image layers do, with the same
// texture (the same pixels, every mipmap level, trilinear filtering),
// modulated by a white vertex colour and blended with source alpha and
// inverse source alpha, into a framebuffer of its own of the same size and
// depth format as the engine's back buffer. Each frame clears colour and
// depth, draws the quads one draw each, and reads one pixel back.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/d3d8/gl/gl_api.h"

class PlainGlImages {
  public:
    // `pixels`: side × side, 0xAARRGGBB, top row first. Null when no GL 3.3
    // context or no such framebuffer can be had.
    static std::unique_ptr<PlainGlImages> create(GLsizei width, GLsizei height, GLenum depthFormat,
                                                 const std::vector<std::uint32_t>& pixels,
                                                 GLsizei side);
    ~PlainGlImages();

    // One frame of `quads` quads, finished.
    void drawFrame(int quads);

    struct Parts;

  private:
    explicit PlainGlImages(std::unique_ptr<Parts> parts);
    std::unique_ptr<Parts> parts_;
};
