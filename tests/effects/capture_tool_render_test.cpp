// Image and capture layers as they come out of tessal-capture on the real
// GL backend (llvmpipe under SDL's offscreen driver), compared with
// tolerances: a captured texture shown later is upright, a positive turn is
// clockwise, a half-transparent layer blends.
#include "capture_tool_fixture.h"

namespace {

// Top half red, bottom half blue; and plain white.
class ImageCaptureRender : public CaptureToolRender {
  protected:
    void SetUp() override {
        CaptureToolRender::SetUp();
        write("data/halves.bmp",
              bmpFile(64, 64, [](unsigned, unsigned y) { return y < 32 ? 0xff0000u : 0x0000ffu; }));
        write("data/white.bmp", bmpFile(8, 8, [](unsigned, unsigned) { return 0xffffffu; }));
    }
};

const char* const SCRIPT = R"(
setendtime(1)
setclearcolor(0, 0, 0, 255)
loadtexture("halves.bmp")
loadtexture("white.bmp")
createcapturetexture("rt", 256, 256)
-- the halves image fills the capture texture
c = layer(3, "rt", 0)
start(0, c) stop(0.4, c)
h = layer(0, "halves.bmp")
start(0, h) stop(0.4, h) clear(h, 1, 1)
setimagescale(0, h, 10, 7.5)
e = layer(3, "rt", 1)
start(0, e) stop(0.4, e)
-- the texture shown on the left half of the screen
s = layer(0, "rt")
start(0, s) stop(0.4, s)
setimagepos(0, s, 160, 240)
setimagescale(0, s, 1.25, 1.875)
-- half-transparent white on the right half
w = layer(0, "white.bmp", 5, 6)
start(0, w) stop(0.4, w)
setimagepos(0, w, 480, 240)
setimagescale(0, w, 40, 60)
setimagecolor(0, w, 255, 255, 255, 128)
-- later: the halves image turned by +90 degrees, filling the screen
r = layer(0, "halves.bmp")
start(0.45, r) stop(1, r)
setimagerot(0, r, 90)
setimagescale(0, r, 10, 7.5)
)";

TEST_F(ImageCaptureRender, ACapturedTextureIsUprightATurnIsClockwiseAndAlphaBlends) {
    write("data/script.lua", SCRIPT);
    ASSERT_EQ(capture(0.5f), 0) << "run " << captureTool << " (build it first)";
    const DecodedImage captured = frame(0);
    ASSERT_EQ(captured.width, 64u);
    ASSERT_EQ(captured.height, 48u);
    // Left half: the captured halves, red over blue, as drawn.
    EXPECT_TRUE(near(captured, 16, 6, 0xff0000));
    EXPECT_TRUE(near(captured, 16, 18, 0xff0000));
    EXPECT_TRUE(near(captured, 16, 30, 0x0000ff));
    EXPECT_TRUE(near(captured, 16, 42, 0x0000ff));
    // Right half: white at alpha 128 over black.
    EXPECT_TRUE(near(captured, 48, 24, 0x808080, 4));
    // Turned clockwise: the red top half now lies on the right.
    const DecodedImage turned = frame(1);
    EXPECT_TRUE(near(turned, 12, 24, 0x0000ff));
    EXPECT_TRUE(near(turned, 52, 24, 0xff0000));
    EXPECT_TRUE(near(turned, 52, 4, 0xff0000));
    EXPECT_TRUE(near(turned, 52, 44, 0xff0000));
}

// Nothing of what is captured reaches the screen, and the texture keeps
// what the layers drew into it until a later frame shows it.
TEST_F(ImageCaptureRender, LayersInsideACaptureLeaveTheScreenUntouched) {
    write("data/script.lua", R"(
setendtime(1)
setclearcolor(0, 255, 0, 255)
loadtexture("halves.bmp")
createcapturetexture("rt", 128, 128)
c = layer(3, "rt", 0)
start(0, c) stop(0.2, c)
h = layer(0, "halves.bmp")
start(0, h) stop(0.2, h)
setimagescale(0, h, 10, 7.5)
e = layer(3, "rt", 1)
start(0, e) stop(0.2, e)
s = layer(0, "rt")
start(0.4, s) stop(1, s)
setimagescale(0, s, 5, 3.75)
)");
    ASSERT_EQ(capture(0.5f), 0);
    const DecodedImage during = frame(0);
    for (unsigned y = 0; y < during.height; y += 8)
        for (unsigned x = 0; x < during.width; x += 8) EXPECT_TRUE(near(during, x, y, 0x00ff00, 0));
    const DecodedImage after = frame(1);
    EXPECT_TRUE(near(after, 32, 10, 0xff0000));
    EXPECT_TRUE(near(after, 32, 38, 0x0000ff));
}

// The statistics overlay of unpacked mode is left out of captures unless
// asked for: green text at the top left over a black frame.
TEST_F(ImageCaptureRender, TheOverlayIsCapturedOnlyWithItsOption) {
    write("data/script.lua", "setendtime(1)\nsetclearcolor(0, 0, 0, 255)\n");
    const auto greenPixels = [](const DecodedImage& image) {
        int count = 0;
        for (unsigned y = 0; y < 12; ++y)
            for (unsigned x = 0; x < image.width; ++x)
                count += near(image, x, y, 0x00ff00, 100) ? 1 : 0;
        return count;
    };
    ASSERT_EQ(capture(0), 0);
    EXPECT_EQ(greenPixels(frame(0)), 0);
    ASSERT_EQ(capture(0, 2, "--overlay"), 0);
    EXPECT_GT(greenPixels(frame(0)), 20);
}

}  // namespace
