#include "archive_test_support.h"

#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>

#include "archive/archive_reader.h"

namespace {

std::string makeScratchDirectory() {
    char pattern[] = "/tmp/tessal-archive-test-XXXXXX";
    const char* made = mkdtemp(pattern);
    return made ? made : "/nonexistent";
}

void putLe(std::vector<uint8_t>& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; i++) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

}  // namespace

ScratchLog::ScratchLog()
    : directory_(makeScratchDirectory()), log_(directory_ + "/debug_archive.txt") {}

ScratchLog::~ScratchLog() {
    std::error_code ignored;
    std::filesystem::remove_all(directory_, ignored);
}

std::string ScratchLog::text() const {
    std::ifstream file(log_.path());
    std::stringstream content;
    content << file.rdbuf();
    return content.str();
}

Extracted extract(const std::vector<uint8_t>& archive, const std::string& name,
                  const char* password, DebugLog& log) {
    uint8_t* buffer = reinterpret_cast<uint8_t*>(1);
    uint32_t size = 12345;
    Extracted result;
    result.ok =
        ArchiveReader::extractFromBytes(&buffer, &size, name.c_str(), archive, password, log) == 1;
    if (result.ok && buffer) result.bytes.assign(buffer, buffer + size);
    if (!result.ok) result.nullOnFailure = buffer == nullptr && size == 0;
    if (result.ok) std::free(buffer);
    return result;
}

Extracted extract(const std::vector<uint8_t>& archive, const std::string& name,
                  const char* password) {
    DebugLog silent("/nonexistent-directory/debug_archive.txt");
    return extract(archive, name, password, silent);
}

PackOptions withPassword(const std::string& password) {
    PackOptions options;
    options.password = password;
    return options;
}

std::vector<uint8_t> pack(const std::vector<PackEntry>& entries, const PackOptions& options) {
    PackResult result = writeArchive(entries, options);
    return result.ok ? result.archive : std::vector<uint8_t>{};
}

std::vector<uint8_t> bytesOf(const std::string& text) {
    return {text.begin(), text.end()};
}

std::vector<uint8_t> sampleText(size_t size, uint32_t seed) {
    static const char* words[] = {"layer",  "texture", "scene", "camera", "the",    "of",
                                  "music",  "time",    "key",   "track",  "frame",  "render",
                                  "script", "\n",      "and",   "load",   "effect", "="};
    std::mt19937 random(seed);
    std::string text;
    while (text.size() < size) {
        text += words[random() % std::size(words)];
        text += random() % 5 == 0 ? std::to_string(random() % 1000) + " " : " ";
    }
    text.resize(size);
    return bytesOf(text);
}

std::vector<uint8_t> noise(size_t size, uint32_t seed) {
    std::mt19937 random(seed);
    std::vector<uint8_t> bytes(size);
    for (uint8_t& b : bytes) b = static_cast<uint8_t>(random());
    return bytes;
}

std::vector<uint8_t> pcmWave(size_t frames, int channels, int bits, uint32_t seed) {
    int bytesPerSample = bits / 8;
    uint32_t dataSize = static_cast<uint32_t>(frames * channels * bytesPerSample);
    std::vector<uint8_t> out;
    for (char c : std::string("RIFF")) out.push_back(c);
    putLe(out, 36 + dataSize, 4);
    for (char c : std::string("WAVEfmt ")) out.push_back(c);
    putLe(out, 16, 4);
    putLe(out, 1, 2);
    putLe(out, channels, 2);
    putLe(out, 22050, 4);
    putLe(out, 22050 * channels * bytesPerSample, 4);
    putLe(out, channels * bytesPerSample, 2);
    putLe(out, bits, 2);
    for (char c : std::string("data")) out.push_back(c);
    putLe(out, dataSize, 4);
    std::mt19937 random(seed);
    std::normal_distribution<double> hiss(0.0, 0.01);
    for (size_t i = 0; i < frames; i++) {
        for (int c = 0; c < channels; c++) {
            double t = static_cast<double>(i) / 22050.0;
            double v = 0.4 * std::sin(2 * M_PI * (220.0 + 30 * c) * t) +
                       0.2 * std::sin(2 * M_PI * 331.7 * t + c) * std::sin(2 * M_PI * 0.5 * t) +
                       hiss(random);
            if (bits == 8) {
                out.push_back(static_cast<uint8_t>(std::lround(128 + 120 * v)));
            } else {
                putLe(out, static_cast<uint16_t>(static_cast<int16_t>(std::lround(30000 * v))), 2);
            }
        }
    }
    return out;
}
