// tessal-capture --video: each container with its codecs, the pictures at
// the fixed step, the sound the very samples of music.wav in step with the
// first frame, a playable file after Ctrl+C, and bad output paths refused
// before any frame is rendered.
#include <sndfile.h>

#include <cmath>
#include <fstream>
#include <sstream>

#include "capture_tool_fixture.h"
#include "video_probe.h"

namespace {

namespace fs = std::filesystem;

// Two seconds of noise, left and right unlike: a correlation peak stands
// out at exactly one lag.
std::vector<std::int16_t> noise() {
    std::vector<std::int16_t> samples(2 * 88200);
    std::uint32_t state = 12345;
    for (auto& sample : samples) {
        state = state * 1664525u + 1013904223u;
        sample = std::int16_t(int(state >> 16) - 32768) / 4;
    }
    return samples;
}

void writeWav(const fs::path& path, const std::vector<std::int16_t>& samples) {
    SF_INFO info{};
    info.samplerate = 44100;
    info.channels = 2;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    ASSERT_NE(file, nullptr);
    sf_writef_short(file, samples.data(), sf_count_t(samples.size() / 2));
    sf_close(file);
}

std::vector<std::int16_t> readWav(const fs::path& path) {
    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (!file) return {};
    std::vector<std::int16_t> samples(std::size_t(info.frames) * info.channels);
    sf_readf_short(file, samples.data(), info.frames);
    sf_close(file);
    return samples;
}

// The lag (in frames, of the video's sound against the WAV's) where the
// normalised cross-correlation of the left channels peaks, within ±range.
std::pair<int, double> correlationPeak(const std::vector<std::int16_t>& video,
                                       const std::vector<std::int16_t>& wav, int range) {
    const long frames = long(std::min(video.size(), wav.size()) / 2);
    std::pair<int, double> best{0, -2};
    for (int lag = -range; lag <= range; ++lag) {
        double sum = 0, videoPower = 0, wavPower = 0;
        for (long i = range; i < frames - range; ++i) {
            const double a = video[2 * (i + lag)], b = wav[2 * i];
            sum += a * b, videoPower += a * a, wavPower += b * b;
        }
        const double r = sum / std::sqrt(videoPower * wavPower + 1);
        if (r > best.second) best = {lag, r};
    }
    return best;
}

// Peak signal-to-noise ratio of two 0x00RRGGBB pictures, in dB.
double psnr(const std::vector<std::uint32_t>& a, const DecodedImage& b) {
    double squares = 0;
    for (std::size_t i = 0; i < a.size(); ++i)
        for (int shift : {0, 8, 16}) {
            const double d = double((a[i] >> shift) & 0xff) - double((b.pixels[i] >> shift) & 0xff);
            squares += d * d;
        }
    return 10 * std::log10(255.0 * 255.0 / (squares / (3.0 * a.size()) + 1e-9));
}

// 30 at the edges of 0..63, 254 in the middle.
DWORD tent(unsigned at) {
    return DWORD(254 - 7 * std::abs(int(at) - 32));
}

// A smooth colour gradient, and the noise as music from 0.25 s on.
class CaptureVideo : public CaptureToolRender {
  protected:
    void SetUp() override {
        CaptureToolRender::SetUp();
        // Smooth across the texture's wrapped edges too: subsampled colour
        // loses little of it.
        write("data/gradient.bmp", bmpFile(64, 64, [](unsigned x, unsigned y) {
                  return tent(x) << 16 | tent(y) << 8 | 0x60;
              }));
        writeWav(dir / "data" / "noise.wav", noise());
        write("data/script.lua",
              "setendtime(30)\nsetmusicstarttime(0.25)\nloadmusic('data/noise.wav')\n"
              "loadtexture('gradient.bmp')\n"
              "g = layer(0, 'gradient.bmp') start(0, g) stop(30, g) setimagescale(0, g, 10, 7.5)\n"
              "setimagepos(0, g, 320, 240)\n");
    }
    std::string log() const {
        std::ifstream file(dir / "log.txt");
        std::stringstream text;
        text << file.rdbuf();
        return text.str();
    }
};

TEST_F(CaptureVideo, EachContainerHoldsItsCodecsAndEveryFrameAtTheFixedStep) {
    struct Kind {
        const char* file;
        const char* video;
        const char* audio;
        int rate;
    };
    for (const Kind& kind :
         {Kind{"clip.mp4", "h264", "aac", 44100}, Kind{"clip.mkv", "h264", "flac", 44100},
          Kind{"clip.webm", "vp9", "opus", 48000}}) {
        ASSERT_EQ(capture(1.0f, 10, std::string("--no-frames --video ") + kind.file), 0) << log();
        const VideoProbe probe = probeVideo((dir / kind.file).string());
        ASSERT_TRUE(probe.opened) << kind.file;
        EXPECT_EQ(probe.videoCodec, kind.video);
        EXPECT_EQ(probe.audioCodec, kind.audio);
        EXPECT_EQ(probe.sampleRate, kind.rate) << kind.file;
        EXPECT_EQ(probe.channels, 2);
        EXPECT_EQ(probe.width, 64);
        EXPECT_EQ(probe.height, 48);
        EXPECT_NEAR(probe.frameRate, 10.0, 1e-6) << kind.file;
        EXPECT_EQ(probe.pictures, 11) << kind.file;  // t = 0, 0.1, ..., 1
        // About 1.1 s of sound; lossy codecs may pad the last block.
        EXPECT_NEAR(double(probe.sound.size()) / 2 / kind.rate, 1.1, 0.05) << kind.file;
    }
    EXPECT_FALSE(fs::exists(dir / "frames")) << "--no-frames writes no PNG and no music.wav";
}

// FLAC keeps the samples exact: the video's sound is music.wav, sample 0 at
// the first picture; and the first picture is the first PNG frame, but for
// what 4:2:0 colour and the encoder lose.
TEST_F(CaptureVideo, SoundIsMusicWavInStepWithTheFirstFrame) {
    ASSERT_EQ(capture(1.5f, 20, "--from 0.5 --video clip.mkv"), 0) << log();
    const VideoProbe probe = probeVideo((dir / "clip.mkv").string());
    const std::vector<std::int16_t> wav = readWav(dir / "frames" / "music.wav");
    ASSERT_EQ(wav.size(), 2u * 46305);  // demo time 0.5 to 1.55
    ASSERT_EQ(probe.sound.size(), wav.size());
    EXPECT_NEAR(probe.firstAudioTime, probe.firstVideoTime, 1e-3);
    const auto [lag, correlation] = correlationPeak(probe.sound, wav, 2205);
    EXPECT_EQ(lag, 0);
    EXPECT_GT(correlation, 0.999);
    EXPECT_TRUE(probe.sound == wav);
    EXPECT_EQ(probe.pictures, 21);
    ASSERT_EQ(probe.firstPicture.size(), 64u * 48);
    EXPECT_GT(psnr(probe.firstPicture, frame(0)), 35.0);
}

TEST_F(CaptureVideo, CtrlCLeavesAPlayableVideoOfTheFramesDone) {
    const std::string command =
        "cd '" + dir.string() + "' && (SDL_VIDEODRIVER=offscreen '" + captureTool +
        "' . --to 30 --size 64x48 --out frames --video clip.mp4 > log.txt 2>&1 & pid=$!; "
        "for i in $(seq 600); do [ -e frames/frame00010.png ] && break; sleep 0.05; done; "
        "kill -INT $pid; wait $pid)";
    const int status = std::system(command.c_str());
    EXPECT_EQ(WEXITSTATUS(status), 1) << log();
    EXPECT_NE(log().find("interrupted"), std::string::npos) << log();
    const VideoProbe probe = probeVideo((dir / "clip.mp4").string());
    ASSERT_TRUE(probe.opened) << log();
    EXPECT_GE(probe.pictures, 10);
    EXPECT_LT(probe.pictures, 900);
    EXPECT_NEAR(double(probe.sound.size()) / 2 / 44100, probe.pictures / 30.0, 0.05);
}

TEST_F(CaptureVideo, BadOutputIsRefusedBeforeAnyFrameAndLeavesNothing) {
    for (const char* file : {"clip.avi", "missing/clip.mp4", "clip.mkv --size 63x48"}) {
        EXPECT_EQ(capture(1.0f, 10, std::string("--video ") + file), 1) << file;
        const std::string name = std::string(file).substr(0, std::string(file).find(' '));
        const std::string said = log();
        EXPECT_NE(said.find("cannot write " + (dir / name).string()), std::string::npos) << said;
        EXPECT_FALSE(fs::exists(dir / "frames" / "frame00000.png")) << file;
    }
    for (const auto& entry : fs::directory_iterator(dir))
        EXPECT_TRUE(entry.path().filename() == "data" || entry.path().filename() == "frames" ||
                    entry.path().filename() == "log.txt")
            << entry.path();
}

}  // namespace
