// Clocks and references shared by the benchmarks: this thread's processor
// time (so that a reference and a benchmark are measured alike on a machine
// shared with other work), the whole process's, wall-clock time, the median of timed runs, and
// one 4 × 4 matrix multiply as a reference unit of work.
#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <ctime>
#include <vector>

#include "d3dx/d3dx_math.h"

inline double threadSeconds() {
    timespec now;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

// Every thread's processor time: the driver's threads too.
inline double processSeconds() {
    timespec now;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

inline double wallSeconds() {
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

// Seconds per call of `work`: the median of nine runs of `calls` calls.
template <class Work>
double medianSeconds(int calls, Work work) {
    std::vector<double> runs;
    for (int run = 0; run < 9; ++run) {
        const double start = threadSeconds();
        for (int i = 0; i < calls; ++i) work();
        runs.push_back((threadSeconds() - start) / calls);
    }
    std::nth_element(runs.begin(), runs.begin() + runs.size() / 2, runs.end());
    return runs[runs.size() / 2];
}

inline double matrixMultiplySeconds() {
    D3DXMATRIX a(1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16), b = a, out;
    return medianSeconds(1 << 21, [&] {
        benchmark::DoNotOptimize(&a);
        benchmark::DoNotOptimize(&b);
        benchmark::DoNotOptimize(D3DXMatrixMultiply(&out, &a, &b));
        benchmark::ClobberMemory();
    });
}
