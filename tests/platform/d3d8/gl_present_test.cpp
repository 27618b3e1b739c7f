// Presenting: the top-down back buffer reaches the bottom-up window the
// right way up, stretched to the drawable.
#include <gtest/gtest.h>

#include "platform/d3d8/gl/framebuffer.h"
#include "platform/d3d8/gl/gl_context.h"
#include "platform/d3d8/gl/presenter.h"

namespace {

class GlPresent : public ::testing::Test {
  protected:
    void SetUp() override {
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) GTEST_SKIP() << "no video driver";
        videoStarted = true;
        window = SDL_CreateWindow("present test", 0, 0, 32, 16, SDL_WINDOW_OPENGL);
        if (window != nullptr) context = GlContext::create(window);
        if (context == nullptr) GTEST_SKIP() << "no GL context on a window";
        context->makeCurrent();
    }

    void TearDown() override {
        backBuffer.reset();
        context.reset();
        if (window != nullptr) SDL_DestroyWindow(window);
        if (videoStarted) SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }

    // Fills rows [top, top + rows) of the back buffer, counted from the top.
    void fillRows(GLint top, GLint rows, float red, float blue) {
        const GlApi& gl = context->gl();
        gl.BindFramebuffer(GL_FRAMEBUFFER, backBuffer->id());
        gl.Enable(GL_SCISSOR_TEST);
        gl.Scissor(0, top, GLsizei(backBuffer->width()), rows);
        gl.ClearColor(red, 0.0f, blue, 1.0f);
        gl.Clear(GL_COLOR_BUFFER_BIT);
        gl.Disable(GL_SCISSOR_TEST);
    }

    DWORD windowPixel(GLint x, GLint yFromBottom) {
        const GlApi& gl = context->gl();
        DWORD pixel = 0;
        gl.BindFramebuffer(GL_READ_FRAMEBUFFER, 0);
        gl.ReadPixels(x, yFromBottom, 1, 1, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, &pixel);
        return pixel;
    }

    bool videoStarted = false;
    SDL_Window* window = nullptr;
    std::unique_ptr<GlContext> context;
    std::unique_ptr<Framebuffer> backBuffer;
};

// Adaptive sync where the driver has it, otherwise every blank: never
// unpaced.
TEST_F(GlPresent, AWindowIsPacedByTheDisplayWhateverTheDriverOffers) {
    const int interval = setSwapInterval(ADAPTIVE_SWAP_INTERVAL);
    EXPECT_TRUE(interval == ADAPTIVE_SWAP_INTERVAL || interval == 1) << interval;
    EXPECT_EQ(SDL_GL_GetSwapInterval(), interval);
}

TEST_F(GlPresent, TheTopRowOfTheBackBufferIsTheTopOfTheWindow) {
    ASSERT_TRUE(context->presentsToWindow());
    backBuffer = Framebuffer::create(context->gl(), 16, 8, D3DFMT_UNKNOWN);
    ASSERT_NE(backBuffer, nullptr);
    fillRows(0, 4, 1.0f, 0.0f);  // top half red
    fillRows(4, 4, 0.0f, 1.0f);  // bottom half blue

    int width = 0, height = 0;
    context->drawableSize(width, height);
    ASSERT_EQ(width, 32);
    ASSERT_EQ(height, 16);
    copyToWindowFramebuffer(context->gl(), *backBuffer, width, height);

    EXPECT_EQ(windowPixel(0, 15), 0xffff0000u);  // window rows count from the bottom
    EXPECT_EQ(windowPixel(31, 12), 0xffff0000u);
    EXPECT_EQ(windowPixel(0, 0), 0xff0000ffu);
    EXPECT_EQ(windowPixel(31, 3), 0xff0000ffu);
    const RECT top{0, 0, 1, 1};
    EXPECT_EQ(backBuffer->readPixels(top)[0], 0xffff0000u);
}

// Windowed presents follow the display (adaptively unless COPY_VSYNC asks
// for every blank); full screen follows the presentation interval.
TEST(SwapInterval, FollowsTheSwapEffectAndPresentationInterval) {
    D3DPRESENT_PARAMETERS params{};
    params.Windowed = TRUE;
    params.SwapEffect = D3DSWAPEFFECT_DISCARD;
    EXPECT_EQ(swapIntervalFor(params), ADAPTIVE_SWAP_INTERVAL);
    params.SwapEffect = D3DSWAPEFFECT_COPY_VSYNC;
    EXPECT_EQ(swapIntervalFor(params), 1);
    params.Windowed = FALSE;
    params.FullScreen_PresentationInterval = D3DPRESENT_INTERVAL_DEFAULT;
    EXPECT_EQ(swapIntervalFor(params), 1);
    params.FullScreen_PresentationInterval = D3DPRESENT_INTERVAL_IMMEDIATE;
    EXPECT_EQ(swapIntervalFor(params), 0);
}

}  // namespace
