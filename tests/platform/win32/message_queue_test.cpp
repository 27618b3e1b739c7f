// The message queue: order, filters, the quit request, waiting, and
// delivery to window procedures.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "win32_test_support.h"

namespace {

class MessageQueue : public ::testing::Test {
  protected:
    void SetUp() override {
        useNullWindowSystem();
        drainMessageQueue();
        seenMessages().clear();
        window = createRecordingWindow();
        seenMessages().clear();
    }
    void TearDown() override {
        DestroyWindow(window);
        drainMessageQueue();
    }
    HWND window = nullptr;
};

TEST_F(MessageQueue, PostedMessagesComeOutInOrderAndPeekWithoutRemovalKeepsThem) {
    PostMessageA(window, WM_USER + 1, 11, 12);
    PostMessageA(window, WM_USER + 2, 21, 22);
    MSG msg{};
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(msg.message, WM_USER + 1);
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_USER + 1);
    EXPECT_EQ(msg.hwnd, window);
    EXPECT_EQ(msg.wParam, 11u);
    EXPECT_EQ(msg.lParam, 12);
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_USER + 2);
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(MessageQueue, FiltersSelectByWindowAndRange) {
    HWND other = createRecordingWindow();
    PostMessageA(other, WM_USER + 1, 0, 0);
    PostMessageA(window, WM_USER + 5, 0, 0);
    MSG msg{};
    ASSERT_TRUE(PeekMessageA(&msg, window, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_USER + 5);
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_USER + 2, WM_USER + 9, PM_REMOVE));
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_USER, WM_USER + 1, PM_REMOVE));
    EXPECT_EQ(msg.hwnd, other);
    DestroyWindow(other);
}

TEST_F(MessageQueue, QuitComesAfterThePostedMessagesAndOnlyOnce) {
    PostQuitMessage(7);
    PostMessageA(window, WM_USER, 0, 0);
    MSG msg{};
    ASSERT_TRUE(GetMessageA(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, WM_USER);
    EXPECT_FALSE(GetMessageA(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, WM_QUIT);
    EXPECT_EQ(msg.wParam, 7u);
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(MessageQueue, PeekWithoutRemovalLeavesTheQuitRequest) {
    PostQuitMessage(0);
    MSG msg{};
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(msg.message, WM_QUIT);
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_QUIT);
}

TEST_F(MessageQueue, GetMessageWaitsForAMessageFromAnotherThread) {
    std::thread poster([this] {
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        PostMessageA(window, WM_USER + 3, 0, 0);
    });
    MSG msg{};
    EXPECT_TRUE(GetMessageA(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, WM_USER + 3);
    poster.join();
}

TEST_F(MessageQueue, DispatchAndSendReachTheWindowProcedure) {
    PostMessageA(window, WM_USER + 4, 1, 2);
    MSG msg{};
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    DispatchMessageA(&msg);
    SendMessageA(window, WM_USER + 6, 3, 4);
    ASSERT_EQ(seenMessages().size(), 2u);
    EXPECT_EQ(seenMessages()[0].message, WM_USER + 4);
    EXPECT_EQ(seenMessages()[1].message, WM_USER + 6);
    EXPECT_EQ(seenMessages()[1].lParam, 4);
}

TEST_F(MessageQueue, DestroyedWindowsGetNothing) {
    PostMessageA(window, WM_USER, 0, 0);
    DestroyWindow(window);
    seenMessages().clear();
    EXPECT_FALSE(PostMessageA(window, WM_USER, 0, 0));
    EXPECT_EQ(SendMessageA(window, WM_USER, 0, 0), 0);
    MSG msg{};
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));  // queued before destruction
    DispatchMessageA(&msg);
    EXPECT_TRUE(seenMessages().empty());
}

TEST_F(MessageQueue, ThreadMessagesAreQueuedButNotDispatched) {
    EXPECT_TRUE(PostMessageA(nullptr, WM_USER + 8, 0, 0));
    MSG msg{};
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.hwnd, nullptr);
    EXPECT_EQ(DispatchMessageA(&msg), 0);
    EXPECT_TRUE(seenMessages().empty());
}

TEST_F(MessageQueue, DefaultHandlingClosesOnWmCloseAndAltF4) {
    SendMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(window));

    window = createRecordingWindow();
    seenMessages().clear();
    SendMessageA(window, WM_SYSKEYDOWN, VK_F4, 1 | KF_ALTDOWN_BIT);
    EXPECT_FALSE(IsWindow(window));
    ASSERT_GE(seenMessages().size(), 3u);
    EXPECT_EQ(seenMessages()[1].message, WM_SYSCOMMAND);
    EXPECT_EQ(seenMessages()[1].wParam, SC_CLOSE);
    EXPECT_EQ(seenMessages()[2].message, WM_CLOSE);
}

TEST_F(MessageQueue, CreationAndDestructionAreAnnounced) {
    HWND other = createRecordingWindow();
    DestroyWindow(other);
    ASSERT_EQ(seenMessages().size(), 2u);
    EXPECT_EQ(seenMessages()[0].message, WM_CREATE);
    EXPECT_EQ(seenMessages()[1].message, WM_DESTROY);
}

TEST_F(MessageQueue, WindowSystemCannotChangeWhileAWindowLives) {
    EXPECT_FALSE(useSdlWindowSystem());
    EXPECT_TRUE(nullWindowSystemInUse());
    EXPECT_TRUE(useNullWindowSystem());
}

}  // namespace
