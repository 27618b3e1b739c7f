// Threads and clocks of the Win32 layer.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "platform/win32/win32.h"

namespace {

std::atomic<int> threadResult{0};

DWORD WINAPI storeParameter(void* parameter) {
    threadResult = *static_cast<int*>(parameter);
    return 0;
}

TEST(SystemServices, CreateThreadRunsTheRoutineWithItsParameter) {
    static int value = 42;
    DWORD id = 0;
    HANDLE thread = CreateThread(nullptr, 0, storeParameter, &value, 0, &id);
    ASSERT_NE(thread, nullptr);
    EXPECT_NE(id, 0u);
    for (int i = 0; i < 200 && threadResult != 42; ++i) Sleep(5);
    EXPECT_EQ(threadResult, 42);
    EXPECT_TRUE(CloseHandle(thread));
    EXPECT_EQ(CreateThread(nullptr, 0, nullptr, nullptr, 0, nullptr), nullptr);
}

TEST(SystemServices, CounterAndMillisecondTimerAdvanceTogether) {
    LARGE_INTEGER frequency{}, before{}, after{};
    ASSERT_TRUE(QueryPerformanceFrequency(&frequency));
    ASSERT_GT(frequency.QuadPart, 0);
    QueryPerformanceCounter(&before);
    DWORD startMs = timeGetTime();
    Sleep(20);
    QueryPerformanceCounter(&after);
    DWORD elapsedMs = timeGetTime() - startMs;
    double counted = double(after.QuadPart - before.QuadPart) / double(frequency.QuadPart);
    EXPECT_GE(counted, 0.019);
    EXPECT_GE(elapsedMs, 19u);
    EXPECT_LT(counted, 2.0);
}

TEST(SystemServices, OnlyTheExecutableIsAModule) {
    EXPECT_NE(GetModuleHandleA(nullptr), nullptr);
    EXPECT_EQ(GetModuleHandleA(nullptr), GetModuleHandleA(nullptr));
    EXPECT_EQ(GetModuleHandleA("bass.dll"), nullptr);
}

}  // namespace
