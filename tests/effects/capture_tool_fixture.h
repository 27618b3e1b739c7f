// Productions in a fresh folder played by tessal-capture on the real GL
// backend (llvmpipe under SDL's offscreen driver), and the frames it
// writes, compared with tolerances.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "d3dx/decoded_image.h"
#include "platform/d3d8/d3d8types.h"

extern const std::string captureTool;

// A 24-bit BMP whose pixel colour (0xRRGGBB) comes from `colour(x, y)`.
std::string bmpFile(unsigned width, unsigned height, DWORD (*colour)(unsigned x, unsigned y));

class CaptureToolRender : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    void write(const std::string& name, const std::string& contents);
    // Captures frames at 64 x 48 pixels, `fps` per second from 0 to `to`.
    int capture(float to, int fps = 2, const std::string& extraOptions = "");
    DecodedImage frame(int index);

    std::filesystem::path dir;
};

// Whether the pixel at (x, y) is within `tolerance` of 0xRRGGBB in every channel.
::testing::AssertionResult near(const DecodedImage& image, unsigned x, unsigned y, DWORD rgb,
                                int tolerance = 24);
