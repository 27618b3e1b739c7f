// Work run in a child with a processor-time limit: how the child ended.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <chrono>
#include <csignal>
#include <cstdlib>

#include "contained_run.h"

namespace {

using How = ContainedEnd::How;

TEST(ContainedRun, ReportsExitCodeCrashAndRunningOutOfTime) {
    const ContainedEnd exited = runContained([] { return 3; }, 5);
    EXPECT_EQ(exited.how, How::Exited);
    EXPECT_EQ(exited.code, 3);

    // abort(), not a bad pointer: AddressSanitizer turns SIGSEGV into an
    // exit. No core file is left behind.
    const ContainedEnd crashed = runContained(
        []() -> int {
            const rlimit none{0, 0};
            ::setrlimit(RLIMIT_CORE, &none);
            std::abort();
        },
        5);
    EXPECT_EQ(crashed.how, How::Crashed);
    EXPECT_EQ(crashed.code, SIGABRT);

    const auto start = std::chrono::steady_clock::now();
    const ContainedEnd looped = runContained(
        []() -> int {
            volatile unsigned spins = 0;
            for (;;) spins = spins + 1;
        },
        1);
    EXPECT_EQ(looped.how, How::OutOfTime);
    // One second of processor time; more on a busy machine, never for ever.
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(30));
}

}  // namespace
