// Audio files made at test time with libsndfile, and SDL's disk output
// driver, for the audio tests. Header-only: the media tests use it too.
#pragma once

#include <sndfile.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

namespace audio_fixtures {

// A sample pattern in which every frame tells its own index: left is
// index % 30000 + 1 (never 0, so silence is told apart), right is
// -(index / 30000 + 1).
inline std::int16_t patternLeft(std::size_t frame) {
    return std::int16_t(frame % 30000 + 1);
}
inline std::int16_t patternRight(std::size_t frame) {
    return std::int16_t(-int(frame / 30000) - 1);
}

inline std::vector<std::int16_t> patternSamples(std::size_t frames, int channels) {
    std::vector<std::int16_t> samples;
    for (std::size_t f = 0; f < frames; ++f) {
        samples.push_back(patternLeft(f));
        if (channels == 2) samples.push_back(patternRight(f));
    }
    return samples;
}

inline std::vector<std::int16_t> sineSamples(std::size_t frames, int channels, int rate,
                                             double hz = 440.0, double amplitude = 16000.0) {
    std::vector<std::int16_t> samples;
    for (std::size_t f = 0; f < frames; ++f) {
        const double value = amplitude * std::sin(2 * M_PI * hz * double(f) / rate);
        for (int c = 0; c < channels; ++c) samples.push_back(std::int16_t(std::lround(value)));
    }
    return samples;
}

// A fresh directory under the test temp dir.
inline std::filesystem::path scratchDir() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    auto dir = std::filesystem::path(::testing::TempDir()) /
               ("tessal-audio-" + std::to_string(getpid()) + "-" + info->test_suite_name() + "-" +
                info->name());
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir;
}

constexpr int wav16 = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
constexpr int flac16 = SF_FORMAT_FLAC | SF_FORMAT_PCM_16;
constexpr int oggVorbis = SF_FORMAT_OGG | SF_FORMAT_VORBIS;
constexpr int mp3 = SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III;

inline void writeAudioFile(const std::filesystem::path& path, int format, int rate, int channels,
                           const std::vector<std::int16_t>& samples) {
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = channels;
    info.format = format;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    ASSERT_NE(file, nullptr) << sf_strerror(nullptr);
    const sf_count_t frames = sf_count_t(samples.size()) / channels;
    if ((format & SF_FORMAT_SUBMASK) == SF_FORMAT_PCM_16) {
        EXPECT_EQ(sf_writef_short(file, samples.data(), frames), frames);
    } else {
        // Lossy encoders take the samples as floats in [-1, 1).
        std::vector<float> scaled(samples.begin(), samples.end());
        for (float& value : scaled) value /= 32768.0f;
        EXPECT_EQ(sf_writef_float(file, scaled.data(), frames), frames);
    }
    sf_close(file);
}

inline std::vector<std::uint8_t> fileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void writeBytes(const std::filesystem::path& path, const void* data, std::size_t size) {
    std::ofstream(path, std::ios::binary)
        .write(static_cast<const char*>(data), std::streamsize(size));
}

// Waits up to fifteen seconds for `done` (the suite runs beside GL tests
// that keep both processors busy); false on time-out.
inline bool waitFor(const std::function<bool()>& done) {
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(15);
    while (!done()) {
        if (std::chrono::steady_clock::now() > limit) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

// While alive, SDL's audio goes to a raw file (16-bit stereo as opened)
// written faster than real time; restores the driver the suite runs with.
class DiskAudio {
  public:
    explicit DiskAudio(std::filesystem::path file) : file_(std::move(file)) {
        const char* driver = std::getenv("SDL_AUDIODRIVER");
        previousDriver_ = driver ? driver : "";
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", file_.c_str(), 1);
        setenv("SDL_DISKAUDIODELAY", "1", 1);
    }
    ~DiskAudio() {
        if (previousDriver_.empty())
            unsetenv("SDL_AUDIODRIVER");
        else
            setenv("SDL_AUDIODRIVER", previousDriver_.c_str(), 1);
    }
    std::uintmax_t bytesWritten() const {
        std::error_code error;
        const auto size = std::filesystem::file_size(file_, error);
        return error ? 0 : size;
    }
    // The whole output as interleaved stereo samples; read after BASS_Free.
    std::vector<std::int16_t> samples() const {
        const auto bytes = fileBytes(file_);
        std::vector<std::int16_t> out(bytes.size() / 2);
        std::memcpy(out.data(), bytes.data(), out.size() * 2);
        return out;
    }

  private:
    std::filesystem::path file_;
    std::string previousDriver_;
};

// Index of the first output frame with a non-zero left sample, or npos.
inline std::size_t firstSoundFrame(const std::vector<std::int16_t>& stereo, std::size_t from = 0) {
    for (std::size_t f = from; 2 * f < stereo.size(); ++f)
        if (stereo[2 * f] != 0) return f;
    return std::string::npos;
}

}  // namespace audio_fixtures
