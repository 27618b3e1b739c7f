// Music benchmarks: the time from loadmusic to a playable stream for a
// three-minute file of each format, against a memcpy of the decoded PCM in
// the same run; and the drift between demo time and the music's position
// over a 60-second run, against one audio buffer.
#include <benchmark/benchmark.h>
#include <sndfile.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "media/music_player.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int rate = 44100;
constexpr std::size_t frames = std::size_t(rate) * 180;
constexpr double bufferSeconds = 1024.0 / rate;  // the output buffer the layer asks for

// Three minutes of chords with a little noise, so lossy encoders have work.
std::vector<float> musicSamples() {
    std::vector<float> samples(2 * frames);
    unsigned noise = 1;
    for (std::size_t f = 0; f < frames; ++f) {
        const double t = double(f) / rate;
        const double root = 110.0 * std::pow(2.0, double((f / (rate * 2)) % 5) / 12.0);
        double v = 0.2 * std::sin(2 * M_PI * root * t) + 0.1 * std::sin(2 * M_PI * root * 1.5 * t);
        noise = noise * 1103515245u + 12345u;
        v += 0.02 * (double(noise >> 16) / 32768.0 - 1.0);
        samples[2 * f] = float(v);
        samples[2 * f + 1] = float(0.9 * v);
    }
    return samples;
}

std::string benchFile(const char* name, int format) {
    const auto dir = std::filesystem::temp_directory_path() / "tessal-bench-music";
    std::filesystem::create_directories(dir);
    const auto path = dir / name;
    if (std::filesystem::exists(path)) return path.string();
    static const std::vector<float> samples = musicSamples();
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = 2;
    info.format = format;
    const auto partial = path.string() + ".part";
    SNDFILE* file = sf_open(partial.c_str(), SFM_WRITE, &info);
    if (!file) return {};
    // In blocks: the Vorbis encoder fails on very large single writes.
    for (std::size_t f = 0; f < frames; f += 4096)
        sf_writef_float(file, samples.data() + 2 * f,
                        sf_count_t(std::min<std::size_t>(4096, frames - f)));
    sf_close(file);
    std::filesystem::rename(partial, path);
    return path.string();
}

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// The memcpy reference: the decoded PCM of three minutes copied once.
double copySeconds() {
    static std::vector<std::uint8_t> from(frames * 4, 1), to(frames * 4);
    const auto start = Clock::now();
    std::memcpy(to.data(), from.data(), from.size());
    benchmark::DoNotOptimize(to.data());
    return secondsSince(start);
}

void LoadToPlayable(benchmark::State& state, const char* name, int format) {
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    const std::string path = benchFile(name, format);
    MusicPlayer player;
    player.init(nullptr);
    if (!player.audioReady || path.empty()) {
        state.SkipWithError("no audio output or no file");
        return;
    }
    double loads = 0, copies = 0;
    for (auto _ : state) {
        copies += copySeconds();
        const auto start = Clock::now();
        player.load(path);
        const double took = secondsSince(start);
        state.SetIterationTime(took);
        loads += took;
        if (player.stream == 0) state.SkipWithError("load failed");
        BASS_StreamFree(player.stream);
    }
    state.counters["ratio_vs_memcpy"] = loads / copies;
    state.counters["load_ms"] = 1000.0 * loads / double(state.iterations());
    player.shutdown();
}

BENCHMARK_CAPTURE(LoadToPlayable, wav, "music.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);
BENCHMARK_CAPTURE(LoadToPlayable, flac, "music.flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_16)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK_CAPTURE(LoadToPlayable, ogg, "music.ogg", SF_FORMAT_OGG | SF_FORMAT_VORBIS)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK_CAPTURE(LoadToPlayable, mp3, "music.mp3", SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

// Plays from 0 and compares, every 5 ms, the music's position (bytes
// mixed so far) with the time since playAt. The drift is reported as the
// spread of their difference, in milliseconds and in audio buffers, and as
// its change from the first reading to the last.
void DriftOver60Seconds(benchmark::State& state) {
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    const std::string path = benchFile("music.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16);
    MusicPlayer player;
    player.init(nullptr);
    player.load(path);
    if (player.stream == 0) {
        state.SkipWithError("no audio output or no file");
        return;
    }
    const double seconds = double(state.range(0));
    double lowest = 1e9, highest = -1e9, first = 0, last = 0;
    for (auto _ : state) {
        player.playAt(0.0f);
        const auto start = Clock::now();
        while (secondsSince(start) < seconds) {
            const double demo = secondsSince(start);
            const double music = BASS_ChannelGetPosition(player.stream) / (4.0 * rate);
            last = music - demo;
            if (lowest > highest) first = last;
            lowest = std::min(lowest, music - demo);
            highest = std::max(highest, music - demo);
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    }
    state.counters["drift_ms"] = 1000.0 * (highest - lowest);
    state.counters["drift_in_buffers"] = (highest - lowest) / bufferSeconds;
    // Positive: the music ran ahead of the demo clock by the end.
    state.counters["end_minus_start_ms"] = 1000.0 * (last - first);
    player.shutdown();
}

BENCHMARK(DriftOver60Seconds)->Arg(60)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace

BENCHMARK_MAIN();
