// Music benchmarks.
// - Load to playable: loadmusic and the first playAt (which seeks to the
//   middle) for a three-minute file of each format, against a memcpy of its
//   decoded PCM and against decoding the whole file, both in the same run.
// - Memory: the most the heap holds beyond what it held before while a
//   three-minute track loads and plays, and while the capture renders its
//   music.wav, against the size of the track's decoded PCM.
// - Drift: how far the music heard strays from the demo clock with an
//   output device 0.5 % fast and slow (simulated clock, 120 s) and on SDL's
//   dummy device over 60 s (with a 300 ms stall of the main loop), against
//   the same stream not kept in step; and how soon it is back in step after
//   a 300 ms stall of the output (in real time, decoder thread and all).
#include <benchmark/benchmark.h>
#include <sndfile.h>

#include <malloc.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "bench_goal.h"
#include "media/music_player.h"
#include "media/music_render.h"
#include "platform/bass/audio_clock.h"
#include "platform/bass/buffered_source.h"
#include "platform/bass/decoded_audio.h"
#include "platform/bass/file_window.h"
#include "platform/bass/position_ramp.h"
#include "platform/bass/simulated_output.h"
#include "platform/bass/stream_channel.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int rate = 44100;
constexpr std::size_t frames = std::size_t(rate) * 180;
constexpr std::size_t pcmBytes = frames * 4;  // three minutes decoded
constexpr double bufferSeconds = 1024.0 / rate;

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

struct Format {
    const char* name;
    const char* file;
    int format;
};
const Format formats[] = {{"wav", "music.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16},
                          {"flac", "music.flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_16},
                          {"ogg", "music.ogg", SF_FORMAT_OGG | SF_FORMAT_VORBIS},
                          {"mp3", "music.mp3", SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III}};

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// The memcpy reference: the decoded PCM of three minutes copied once.
double copySeconds() {
    static std::vector<std::uint8_t> from(pcmBytes, 1), to(pcmBytes);
    const auto start = Clock::now();
    std::memcpy(to.data(), from.data(), from.size());
    benchmark::DoNotOptimize(to.data());
    return secondsSince(start);
}

// The other reference: decoding the whole file, as streams once did.
double wholeDecodeSeconds(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
    const auto start = Clock::now();
    const auto audio = decodeAudio(bytes);
    benchmark::DoNotOptimize(audio);
    return secondsSince(start);
}

void LoadToPlayable(benchmark::State& state, Format format) {
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    const std::string path = benchFile(format.file, format.format);
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
        player.playAt(90.0f);
        const double took = secondsSince(start);
        state.SetIterationTime(took);
        loads += took;
        if (player.stream == 0) state.SkipWithError("load failed");
        BASS_StreamFree(player.stream);
    }
    player.shutdown();
    const double load = loads / double(state.iterations());
    state.counters["load_ms"] = 1000.0 * load;
    state.counters["ratio_vs_memcpy"] = loads / copies;
    state.counters["ratio_vs_whole_decode"] = load / wholeDecodeSeconds(path);
    reportGoal(std::string("music_load_") + format.name, withUnit(1000.0 * load, "ms", 1), "<100ms",
               load < 0.1);
}

BENCHMARK_CAPTURE(LoadToPlayable, wav, formats[0])
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);
BENCHMARK_CAPTURE(LoadToPlayable, flac, formats[1])
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);
BENCHMARK_CAPTURE(LoadToPlayable, ogg, formats[2])
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);
BENCHMARK_CAPTURE(LoadToPlayable, mp3, formats[3])
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);

// Bytes the heap hands out now, over all threads' arenas and large blocks.
double heapInUse() {
    const struct mallinfo2 info = mallinfo2();
    return double(info.uordblks + info.hblkhd);
}

// The most the heap held beyond what it held before, while `work` ran,
// sampled every millisecond.
template <typename Work>
double peakHeapGrowth(Work work) {
    const double before = heapInUse();
    std::atomic<bool> done{false};
    std::atomic<double> peak{before};
    std::thread watcher([&] {
        for (; !done; std::this_thread::sleep_for(std::chrono::milliseconds(1)))
            peak = std::max(peak.load(), heapInUse());
    });
    work();
    done = true;
    watcher.join();
    return std::max(peak.load(), heapInUse()) - before;
}

std::string megabytes(double bytes) {
    return withUnit(bytes / (1 << 20), "MB", 2);
}

// Loads and plays each format for a second: the most any of them holds.
void MemoryHeld(benchmark::State& state) {
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    double player = 0, capture = 0;
    for (auto _ : state) {
        MusicPlayer music;
        music.init(nullptr);
        for (const Format& format : formats) {
            const std::string path = benchFile(format.file, format.format);
            player = std::max(player, peakHeapGrowth([&] {
                                  music.load(path);
                                  music.playAt(90.0f);
                                  std::this_thread::sleep_for(std::chrono::seconds(1));
                                  BASS_StreamFree(music.stream);
                              }));
        }
        music.shutdown();
        // The capture's music.wav: ten seconds near the end of the ogg.
        const std::string path = benchFile(formats[2].file, formats[2].format);
        const auto wav = std::filesystem::temp_directory_path() / "tessal-bench-music" / "out.wav";
        capture = peakHeapGrowth([&] {
            renderMusicToWav({path, 0, 0, 160.0, 170.0}, wav.string());
        });
    }
    state.counters["player_MB"] = player / (1 << 20);
    state.counters["capture_MB"] = capture / (1 << 20);
    state.counters["ratio_vs_decoded_pcm"] = std::max(player, capture) / double(pcmBytes);
    reportGoal("music_memory", megabytes(player), "<8MB", player < 8 << 20);
    reportGoal("music_memory_capture", megabytes(capture), "<8MB", capture < 8 << 20);
}

BENCHMARK(MemoryHeld)->Iterations(1)->Unit(benchmark::kSecond);

// A ten-minute source whose frames tell their position, at 10 s when the
// simulated clock reads 100 s, on a device `speed` times fast: the largest
// distance (seconds) between the music heard and the clock over `seconds`.
double simulatedWorst(double speed, bool follow, double seconds) {
    Mixer mixer;
    const DWORD handle = mixer.add(
        std::make_unique<StreamChannel>(std::make_unique<PositionRamp>(rate, 600 * rate), 0, rate));
    StreamChannel& channel = *mixer.find(handle);
    channel.setPositionBytes(10 * rate * 4);
    channel.play(false, true);
    if (follow) channel.follow(10 * rate * 4, 100.0);
    SimulatedOutput device(mixer, speed, 100.0);
    double worst = 0;
    while (device.now() < 100.0 + seconds) {
        const auto frame = PositionRamp::frameOf(device.nextBuffer().data());
        if (frame) worst = std::max(worst, std::abs(*frame / rate - (device.now() - 90.0)));
    }
    return worst;
}

void SimulatedDrift(benchmark::State& state, double speed, const char* goal) {
    double followed = 0, alone = 0;
    for (auto _ : state) {
        followed = simulatedWorst(speed, true, 120.0);
        alone = simulatedWorst(speed, false, 120.0);
    }
    state.counters["followed_ms"] = 1000.0 * followed;
    state.counters["not_followed_ms"] = 1000.0 * alone;
    state.counters["ratio_vs_not_followed"] = followed / alone;
    reportGoal(goal, withUnit(1000.0 * followed, "ms", 1), "<25ms", followed < 0.025);
}

BENCHMARK_CAPTURE(SimulatedDrift, fast, 1.005, "music_drift_fast")
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SimulatedDrift, slow, 0.995, "music_drift_slow")
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

// The position ramp as a three-minute WAV file, to be streamed.
std::string rampFile() {
    const auto path = std::filesystem::temp_directory_path() / "tessal-bench-music" / "ramp.wav";
    if (std::filesystem::exists(path)) return path.string();
    std::filesystem::create_directories(path.parent_path());
    PositionRamp ramp(rate, frames);
    std::vector<std::int16_t> samples(2 * frames);
    ramp.read(0, samples.data(), frames);
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = 2;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!file) return {};
    sf_writef_short(file, samples.data(), sf_count_t(frames));
    sf_close(file);
    return path.string();
}

// In real time, with the stream's own decoder thread: a device 0.5 % fast
// asks for buffers by the layer's clock; 10 s in it stalls for 300 ms (no
// buffer asked for). Returns how long after the stall the music was heard
// within 25 ms of the clock for good, and the worst distance outside it.
struct StallRun {
    double recovery = 1e9;
    double worstOutside = 0;
};
StallRun realTimeStall(const std::string& path) {
    auto decoder = AudioDecoder::open(FileWindow::open(path.c_str(), 0, 0));
    if (!decoder) return {};
    Mixer mixer;
    const DWORD handle = mixer.add(std::make_unique<StreamChannel>(
        std::make_unique<BufferedSource>(std::move(decoder), false), 0, rate));
    StreamChannel& channel = *mixer.find(handle);
    channel.setPositionBytes(10 * rate * 4);
    channel.source().seek(channel.positionFrame());
    channel.play(false, true);
    const double start = audioClockSeconds();
    channel.follow(10 * rate * 4, start);
    std::vector<std::int16_t> buffer(2 * 1024);
    StallRun run;
    std::optional<double> inStepSince;
    double due = start, stallEnd = 0;
    for (double now = start; now < start + 20.0; now = audioClockSeconds()) {
        if (now < due) {
            std::this_thread::sleep_for(std::chrono::microseconds(200));
            continue;
        }
        if (stallEnd == 0 && now > start + 10.0) {
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            stallEnd = due = audioClockSeconds();
            continue;
        }
        mixer.render(buffer.data(), 1024, now);
        due += 1024.0 / (rate * 1.005);
        const auto frame = PositionRamp::frameOf(buffer.data());
        const double error = frame ? std::abs(*frame / rate - (10.0 + now - start)) : 1.0;
        if (stallEnd == 0) run.worstOutside = std::max(run.worstOutside, error);
        if (error >= 0.025)
            inStepSince.reset();
        else if (!inStepSince)
            inStepSince = now;
    }
    if (inStepSince) run.recovery = std::max(0.0, *inStepSince - stallEnd);
    return run;
}

void StallRecovery(benchmark::State& state) {
    const std::string path = rampFile();
    StallRun run;
    for (auto _ : state) run = realTimeStall(path);
    state.counters["back_in_step_ms"] = 1000.0 * run.recovery;
    state.counters["ratio_vs_stall"] = run.recovery / 0.3;
    state.counters["worst_before_ms"] = 1000.0 * run.worstOutside;
    reportGoal("music_stall_recovery", withUnit(1000.0 * run.recovery, "ms", 0), "<1000ms",
               run.recovery < 1.0);
}

BENCHMARK(StallRecovery)->Iterations(1)->Unit(benchmark::kSecond);

// Where a stream is heard on the real device: its position less the buffer
// just mixed, against the clock, read when the position changes. A reading
// late by the bench's own scheduling looks behind; the least late reading of
// each second is that second's figure.
struct DriftWatch {
    HSTREAM stream;
    DWORD lastPosition = 0;
    std::vector<double> perSecond;  // the highest reading of each second

    void look(double sinceStart, double musicStart) {
        const DWORD position = BASS_ChannelGetPosition(stream);
        if (position == lastPosition) return;
        lastPosition = position;
        const double error = (position / 4.0 - 1024.0) / rate - (musicStart + sinceStart);
        const auto second = std::size_t(sinceStart);
        if (perSecond.size() <= second) perSecond.resize(second + 1, -1e9);
        perSecond[second] = std::max(perSecond[second], error);
    }
    double worst() const {
        double worst = 0;
        for (double error : perSecond)
            if (error > -1e9) worst = std::max(worst, std::abs(error));
        return worst;
    }
};

// Two streams of the same track on SDL's dummy device, one kept in step by
// the player, one played plainly; 30 s in, the main loop sleeps 300 ms.
void DummyDeviceDrift(benchmark::State& state) {
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    const std::string path = benchFile(formats[0].file, formats[0].format);
    MusicPlayer player;
    player.init(nullptr);
    player.load(path);
    const HSTREAM plain = BASS_StreamCreateFile(FALSE, path.c_str(), 0, 0, 0);
    if (player.stream == 0 || plain == 0) {
        state.SkipWithError("no audio output or no file");
        return;
    }
    DriftWatch followed{player.stream, 0, {}}, alone{plain, 0, {}};
    const double seconds = double(state.range(0));
    for (auto _ : state) {
        BASS_ChannelSetPosition(plain, 0);
        BASS_StreamPlay(plain, FALSE, BASS_SAMPLE_LOOP);
        player.playAt(0.0f);
        const auto start = Clock::now();
        bool slept = false;
        while (secondsSince(start) < seconds) {
            // From the second second: the first buffer comes up to a buffer late.
            if (secondsSince(start) > 1.0) {
                followed.look(secondsSince(start), 0.0);
                alone.look(secondsSince(start), 0.0);
            }
            if (!slept && secondsSince(start) > 30.0) {
                std::this_thread::sleep_for(std::chrono::milliseconds(300));
                slept = true;
            }
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
    }
    player.shutdown();
    state.counters["followed_ms"] = 1000.0 * followed.worst();
    state.counters["not_followed_ms"] = 1000.0 * alone.worst();
    state.counters["ratio_vs_not_followed"] = followed.worst() / alone.worst();
    state.counters["followed_in_buffers"] = followed.worst() / bufferSeconds;
    reportGoal("music_drift_dummy", withUnit(1000.0 * followed.worst(), "ms", 1), "<25ms",
               followed.worst() < 0.025);
}

BENCHMARK(DummyDeviceDrift)->Arg(60)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace

BENCHMARK_MAIN();
