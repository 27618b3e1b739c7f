// Streams decode as they play: what they play, their lengths and positions
// must be those of the whole file decoded at once.
#include <malloc.h>

#include <gtest/gtest.h>

#include "platform/bass/audio_fixtures.h"
#include "platform/bass/bass.h"
#include "platform/bass/buffered_source.h"
#include "platform/bass/file_window.h"
#include "platform/bass/stream_channel.h"

using namespace audio_fixtures;

namespace {

constexpr int rate = 44100;

// Chords with a little noise, so the lossy encoders have real work.
std::vector<std::int16_t> music(std::size_t frames) {
    std::vector<std::int16_t> samples;
    unsigned noise = 7;
    for (std::size_t f = 0; f < frames; ++f) {
        noise = noise * 1103515245u + 12345u;
        const double t = double(f) / rate;
        const double v = 9000 * std::sin(2 * M_PI * 220 * t) + 4000 * std::sin(2 * M_PI * 330 * t) +
                         600.0 * (double(noise >> 16) / 32768.0 - 1.0);
        samples.push_back(std::int16_t(v));
        samples.push_back(std::int16_t(-0.7 * v));
    }
    return samples;
}

// Frames a plain libsndfile read gives, start to end.
std::size_t plainFrameCount(const std::filesystem::path& path) {
    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    std::vector<float> chunk(4096 * std::size_t(info.channels));
    std::size_t total = 0;
    for (sf_count_t got; file && (got = sf_readf_float(file, chunk.data(), 4096)) > 0;)
        total += std::size_t(got);
    if (file) sf_close(file);
    return total;
}

std::unique_ptr<StreamChannel> streamOf(const std::filesystem::path& path) {
    auto decoder = AudioDecoder::open(FileWindow::open(path.c_str(), 0, 0));
    if (!decoder) return nullptr;
    // Waiting reads: the test asks for frames faster than real time.
    auto source = std::make_unique<BufferedSource>(std::move(decoder), true);
    return std::make_unique<StreamChannel>(std::move(source), 0, rate);
}

// `frames` output frames of the stream from source frame `from`, looping.
std::vector<std::int32_t> playFrom(StreamChannel& channel, std::size_t from, int frames) {
    channel.setPositionBytes(DWORD(from * 4));
    channel.source().seek(channel.positionFrame());
    channel.play(false, true);
    std::vector<std::int32_t> mix(std::size_t(2 * frames), 0);
    channel.mixInto(mix.data(), frames);
    channel.stop();
    return mix;
}

// The first frame where `played` differs from the decoded samples from
// `from` on (round the loop), or npos.
std::size_t firstDifference(const std::vector<std::int32_t>& played, const DecodedAudio& whole,
                            std::size_t from) {
    for (std::size_t f = 0; 2 * f < played.size(); ++f) {
        const std::size_t at = 2 * ((from + f) % whole.frames());
        if (played[2 * f] != whole.samples[at] || played[2 * f + 1] != whole.samples[at + 1])
            return f;
    }
    return std::string::npos;
}

TEST(Streaming, PlaysExactlyWhatWholeFileDecodingGivesFromAnyPosition) {
    const auto dir = scratchDir();
    const std::size_t frames = 2 * rate + 12345;
    const std::pair<int, const char*> formats[] = {
        {wav16, "m.wav"}, {flac16, "m.flac"}, {oggVorbis, "m.ogg"}, {mp3, "m.mp3"}};
    for (const auto& [format, name] : formats) {
        const auto path = dir / name;
        writeAudioFile(path, format, rate, 2, music(frames));
        const auto whole = decodeAudio(fileBytes(path));
        auto channel = streamOf(path);
        ASSERT_TRUE(whole && channel) << name;
        EXPECT_EQ(whole->frames(), plainFrameCount(path)) << name;
        EXPECT_EQ(channel->lengthBytes(), whole->lengthBytes()) << name;
        const std::size_t length = whole->frames();
        // The start, odd frames, deep inside (lossy decoders seek to a page
        // or frame and must land on the very sample), and round the loop.
        for (std::size_t from : {std::size_t(0), std::size_t(1), std::size_t(1151), length / 2 + 17,
                                 length - 3000, length / 3}) {
            const auto played = playFrom(*channel, from, 8192);
            EXPECT_EQ(firstDifference(played, *whole, from), std::string::npos)
                << name << " from " << from;
        }
    }
}

// A late seek (as BASS_StreamPlay makes once the audio thread may already
// have taken frames) sends the ring back; the reader that moved on still
// gets its next frames instead of silence for ever.
TEST(Streaming, AReaderThatMovedOnWhileTheRingWasSentBackStillGetsItsFrames) {
    const auto path = scratchDir() / "late.wav";
    writeAudioFile(path, wav16, rate, 2, music(rate));
    const auto whole = decodeAudio(fileBytes(path));
    BufferedSource source(AudioDecoder::open(FileWindow::open(path.c_str(), 0, 0)), true);
    std::vector<std::int16_t> out(2 * 1024);
    ASSERT_EQ(source.read(0, out.data(), 1024), 1024u);
    source.seek(0);
    ASSERT_EQ(source.read(1024, out.data(), 1024), 1024u);
    EXPECT_TRUE(std::equal(out.begin(), out.end(), whole->samples.begin() + 2 * 1024));
}

// Strips the first MPEG frame when it holds a Xing/Info length tag, leaving
// a plain constant-rate stream whose length has to be estimated.
void stripLengthTag(const std::filesystem::path& path) {
    auto bytes = fileBytes(path);
    ASSERT_GT(bytes.size(), 200u);
    const std::string head(bytes.begin(), bytes.begin() + 200);
    ASSERT_TRUE(head.find("Info") != std::string::npos || head.find("Xing") != std::string::npos);
    static const int kbps[] = {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320};
    ASSERT_EQ(bytes[0], 0xFF);  // MPEG-1 layer III at 44100 Hz, as libsndfile writes it
    const std::size_t frameBytes = 144 * kbps[bytes[2] >> 4] * 1000 / 44100 + ((bytes[2] >> 1) & 1);
    writeBytes(path, bytes.data() + frameBytes, bytes.size() - frameBytes);
}

TEST(Streaming, AnMp3WithoutALengthTagGetsTheLengthItDecodesTo) {
    const auto dir = scratchDir();
    const auto path = dir / "cbr.mp3";
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = 2;
    info.format = mp3;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    ASSERT_NE(file, nullptr);
    int constant = SF_BITRATE_MODE_CONSTANT;
    sf_command(file, SFC_SET_BITRATE_MODE, &constant, sizeof constant);
    const auto samples = music(3 * rate);
    std::vector<float> scaled(samples.begin(), samples.end());
    for (float& value : scaled) value /= 32768.0f;
    sf_writef_float(file, scaled.data(), 3 * rate);
    sf_close(file);
    stripLengthTag(path);

    SF_INFO estimated{};
    sf_close(sf_open(path.c_str(), SFM_READ, &estimated));
    const std::size_t decodable = plainFrameCount(path);
    ASSERT_NE(std::size_t(estimated.frames), decodable);  // the header alone would be wrong
    auto channel = streamOf(path);
    ASSERT_TRUE(channel);
    EXPECT_EQ(channel->lengthBytes(), decodable * 4);
}

TEST(Streaming, MemoryStaysSmallWhateverTheLength) {
    // Half an hour of 16-bit stereo: a WAV header and a sparse file of zeros.
    const auto dir = scratchDir();
    const auto path = dir / "long.wav";
    writeAudioFile(path, wav16, rate, 2, music(rate));
    const std::uint64_t frames = 30ull * 60 * rate;
    auto header = fileBytes(path);
    header.resize(44);
    const auto put32 = [&](std::size_t at, std::uint32_t value) {
        for (int i = 0; i < 4; ++i) header[at + i] = std::uint8_t(value >> (8 * i));
    };
    put32(4, std::uint32_t(36 + frames * 4));
    put32(40, std::uint32_t(frames * 4));
    writeBytes(path, header.data(), header.size());
    std::filesystem::resize_file(path, 44 + frames * 4);

    ASSERT_TRUE(BASS_Init(0, rate, 0, nullptr));
    const auto heapBefore = mallinfo2();
    const HSTREAM h = BASS_StreamCreateFile(FALSE, path.c_str(), 0, 0, BASS_MP3_SETPOS);
    ASSERT_NE(h, 0u);
    EXPECT_TRUE(BASS_ChannelSetPosition(h, DWORD((frames - rate) * 4)));
    BASS_StreamPlay(h, FALSE, BASS_SAMPLE_LOOP);
    const auto heapAfter = mallinfo2();
    const auto held =
        (heapAfter.uordblks + heapAfter.hblkhd) - (heapBefore.uordblks + heapBefore.hblkhd);
    EXPECT_EQ(BASS_StreamGetLength(h), frames * 4);
    EXPECT_LT(held, 8u << 20);
    BASS_Free();
}

// A file cut short while it plays: the frames it no longer holds are
// silence, never other frames or noise, and the loop plays its start again.
TEST(Streaming, AFileCutShortWhilePlayingPlaysSilenceForWhatIsGone) {
    const auto dir = scratchDir();
    const std::size_t frames = 4 * rate;
    for (const auto& [format, name] :
         {std::pair{wav16, "cut.wav"}, std::pair{oggVorbis, "cut.ogg"}}) {
        const auto path = dir / name;
        writeAudioFile(path, format, rate, 2, music(frames));
        const auto whole = decodeAudio(fileBytes(path));
        auto channel = streamOf(path);
        ASSERT_TRUE(whole && channel);
        channel->play(false, true);
        std::vector<std::int32_t> mix(2 * (frames + rate), 0);
        channel->mixInto(mix.data(), rate / 2);
        std::filesystem::resize_file(path, std::filesystem::file_size(path) / 3);
        channel->mixInto(mix.data() + rate, int(frames + rate / 2));
        std::size_t silent = 0;
        for (std::size_t f = 0; f < frames; ++f) {
            const bool zero = mix[2 * f] == 0 && mix[2 * f + 1] == 0;
            silent += zero ? 1 : 0;
            ASSERT_TRUE(zero || (mix[2 * f] == whole->samples[2 * f] &&
                                 mix[2 * f + 1] == whole->samples[2 * f + 1]))
                << name << " frame " << f;
        }
        EXPECT_GT(silent, frames / 4) << name;
        EXPECT_EQ(firstDifference({mix.begin() + 2 * frames, mix.end()}, *whole, 0),
                  std::string::npos)
            << name << ": the start again";
    }
}

}  // namespace
