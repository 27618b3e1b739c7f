#include "archive/mapping_guard.h"

#include <sys/mman.h>
#include <unistd.h>

#include <atomic>
#include <csignal>
#include <mutex>

namespace {

constexpr int kGuardedMappings = 16;

// Read by the signal handler: plain atomics, no locks.
struct GuardedRange {
    std::atomic<std::uintptr_t> start{0};
    std::atomic<std::size_t> size{0};
};

GuardedRange guarded[kGuardedMappings];
std::mutex changes;  // guards and unguards, never the handler

bool inGuardedRange(std::uintptr_t address) {
    for (const GuardedRange& range : guarded) {
        const std::uintptr_t start = range.start.load();
        if (start != 0 && address >= start && address - start < range.size.load()) return true;
    }
    return false;
}

extern "C" void zeroMissingPage(int signal, siginfo_t* info, void*) {
    const auto address = reinterpret_cast<std::uintptr_t>(info->si_addr);
    if (!inGuardedRange(address)) {
        std::signal(signal, SIG_DFL);  // not ours: end as without the guard
        raise(signal);
        return;
    }
    const std::uintptr_t page = address & ~std::uintptr_t(sysconf(_SC_PAGESIZE) - 1);
    mmap(reinterpret_cast<void*>(page), std::size_t(sysconf(_SC_PAGESIZE)), PROT_READ,
         MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED, -1, 0);
}

void installHandlerOnce() {
    static const bool installed = [] {
        struct sigaction action {};
        action.sa_sigaction = zeroMissingPage;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_SIGINFO;
        return sigaction(SIGBUS, &action, nullptr) == 0;
    }();
    (void)installed;
}

}  // namespace

bool guardMapping(const std::uint8_t* start, std::size_t size) {
    installHandlerOnce();
    std::lock_guard lock(changes);
    for (GuardedRange& range : guarded) {
        if (range.start.load() != 0) continue;
        range.size.store(size);
        range.start.store(reinterpret_cast<std::uintptr_t>(start));
        return true;
    }
    return false;
}

void unguardMapping(const std::uint8_t* start) {
    std::lock_guard lock(changes);
    for (GuardedRange& range : guarded)
        if (range.start.load() == reinterpret_cast<std::uintptr_t>(start)) range.start.store(0);
}
