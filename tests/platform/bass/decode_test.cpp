#include <cstdio>
#include <cstring>

#include <gtest/gtest.h>

#include "platform/bass/audio_fixtures.h"
#include "platform/bass/decoded_audio.h"
#include "platform/bass/memory_file.h"

using namespace audio_fixtures;

namespace {

std::optional<DecodedAudio> decodeFile(const std::filesystem::path& path) {
    return decodeAudio(fileBytes(path));
}

TEST(MemoryFile, ReadsAndSeeksOnlyInsideTheBuffer) {
    const std::uint8_t bytes[] = {1, 2, 3, 4, 5};
    MemoryFile file(bytes);
    std::uint8_t out[8] = {};
    EXPECT_EQ(file.read(out, 3), 3);
    EXPECT_EQ(out[2], 3);
    EXPECT_EQ(file.read(out, 8), 2);  // only what is left
    EXPECT_EQ(file.read(out, 8), 0);
    EXPECT_EQ(file.seek(-1, SEEK_END), 4);
    EXPECT_EQ(file.seek(2, SEEK_CUR), -1);  // past the end: refused, position kept
    EXPECT_EQ(file.tell(), 4);
    EXPECT_EQ(file.seek(-5, SEEK_CUR), -1);
    EXPECT_EQ(file.seek(5, SEEK_SET), 5);  // the end itself is a valid position
    EXPECT_EQ(file.seek(0, 42), -1);
    EXPECT_EQ(file.read(out, -3), 0);
}

TEST(DecodeAudio, LosslessFormatsComeBackSampleForSample) {
    const auto dir = scratchDir();
    const auto samples = patternSamples(5000, 2);
    for (int format : {wav16, flac16}) {
        const auto path = dir / (format == wav16 ? "a.wav" : "a.flac");
        writeAudioFile(path, format, 22050, 2, samples);
        const auto audio = decodeFile(path);
        ASSERT_TRUE(audio) << path;
        EXPECT_EQ(audio->rate, 22050);
        EXPECT_EQ(audio->channels, 2);
        EXPECT_EQ(audio->samples, samples) << path;
        EXPECT_EQ(audio->lengthBytes(), 5000u * 4);
    }
}

TEST(DecodeAudio, EveryEncodingKeepsRateChannelsLengthAndLevel) {
    const auto dir = scratchDir();
    const int rate = 44100;
    const std::size_t frames = rate;  // one second
    const auto samples = sineSamples(frames, 2, rate, 440.0, 16000.0);
    const std::pair<int, const char*> encodings[] = {
        {oggVorbis, "a.ogg"},
        {mp3, "a.mp3"},
        {SF_FORMAT_WAV | SF_FORMAT_FLOAT, "float.wav"},
        {SF_FORMAT_FLAC | SF_FORMAT_PCM_24, "24bit.flac"},
        {SF_FORMAT_WAV | SF_FORMAT_PCM_U8, "8bit.wav"}};
    for (const auto& [format, name] : encodings) {
        const auto path = dir / name;
        writeAudioFile(path, format, rate, 2, samples);
        const auto audio = decodeFile(path);
        ASSERT_TRUE(audio) << path;
        EXPECT_EQ(audio->rate, rate);
        EXPECT_EQ(audio->channels, 2);
        // Encoders may pad by a frame or so.
        EXPECT_NEAR(double(audio->frames()), double(frames), 2000.0) << path;
        int peak = 0;
        for (std::int16_t s : audio->samples) peak = std::max(peak, std::abs(int(s)));
        EXPECT_NEAR(peak, 16000, 2000) << path;
    }
}

TEST(DecodeAudio, MonoStaysMonoAndManyChannelsMixDownToTwo) {
    const auto dir = scratchDir();
    writeAudioFile(dir / "mono.wav", wav16, 8000, 1, {100, 200, 300});
    const auto mono = decodeFile(dir / "mono.wav");
    ASSERT_TRUE(mono);
    EXPECT_EQ(mono->channels, 1);
    EXPECT_EQ(mono->samples, (std::vector<std::int16_t>{100, 200, 300}));

    // Four channels: left is the mean of channels 0 and 2, right of 1 and 3.
    writeAudioFile(dir / "quad.wav", wav16, 8000, 4, {1000, -2000, 3000, 4000});
    const auto quad = decodeFile(dir / "quad.wav");
    ASSERT_TRUE(quad);
    EXPECT_EQ(quad->channels, 2);
    EXPECT_EQ(quad->samples, (std::vector<std::int16_t>{2000, 1000}));

    writeAudioFile(dir / "three.wav", wav16, 8000, 3, {1000, -2000, 3000});
    const auto three = decodeFile(dir / "three.wav");
    ASSERT_TRUE(three);
    EXPECT_EQ(three->samples, (std::vector<std::int16_t>{2000, -2000}));
}

TEST(DecodeAudio, FullScaleSamplesSurviveTheFloatPath) {
    const auto dir = scratchDir();
    const std::vector<std::int16_t> extremes = {-32768, 32767, -1, 1, 0, 0};
    writeAudioFile(dir / "x.wav", wav16, 8000, 2, extremes);
    const auto audio = decodeFile(dir / "x.wav");
    ASSERT_TRUE(audio);
    EXPECT_EQ(audio->samples, extremes);
}

TEST(DecodeAudio, BadBytesGiveNothing) {
    EXPECT_FALSE(decodeAudio({}));
    const char text[] = "this is a script, not music\n";
    EXPECT_FALSE(decodeAudio({reinterpret_cast<const std::uint8_t*>(text), sizeof text}));

    const auto dir = scratchDir();
    writeAudioFile(dir / "empty.wav", wav16, 44100, 2, {});
    EXPECT_FALSE(decodeFile(dir / "empty.wav"));

    // Only the first bytes of a header.
    writeAudioFile(dir / "a.wav", wav16, 44100, 2, patternSamples(1000, 2));
    auto bytes = fileBytes(dir / "a.wav");
    EXPECT_FALSE(decodeAudio({bytes.data(), 20}));
}

TEST(DecodeAudio, TruncatedFilesPlayWhatTheyHold) {
    const auto dir = scratchDir();
    const auto samples = patternSamples(4000, 2);
    writeAudioFile(dir / "a.wav", wav16, 44100, 2, samples);
    auto bytes = fileBytes(dir / "a.wav");
    bytes.resize(bytes.size() - 4 * 1000);
    const auto audio = decodeAudio(bytes);
    ASSERT_TRUE(audio);
    ASSERT_EQ(audio->frames(), 3000u);
    EXPECT_TRUE(std::equal(audio->samples.begin(), audio->samples.end(), samples.begin()));

    writeAudioFile(dir / "a.ogg", oggVorbis, 44100, 2, sineSamples(44100, 2, 44100));
    auto ogg = fileBytes(dir / "a.ogg");
    ogg.resize(ogg.size() / 2);
    const auto half = decodeAudio(ogg);
    if (half) {  // a broken tail may also be refused
        EXPECT_LT(half->frames(), 44100u);
    }
}

}  // namespace
