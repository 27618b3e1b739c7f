#include "archive/wav_format.h"

#include <algorithm>
#include <cstring>

#include "archive/byte_reader.h"

namespace {

constexpr uint16_t kPcmFormat = 1;
constexpr uint16_t kExtensibleFormat = 0xFFFE;

bool tagIs(const uint8_t* tag, const char* expected) {
    return std::memcmp(tag, expected, 4) == 0;
}

struct FormatChunk {
    uint16_t format = 0;
    uint16_t channels = 0;
    uint16_t bitsPerSample = 0;
};

FormatChunk readFormat(ByteReader& in) {
    FormatChunk f;
    f.format = in.u16();
    f.channels = in.u16();
    in.skip(10);  // sample rate, byte rate, block alignment
    f.bitsPerSample = in.u16();
    return f;
}

}  // namespace

std::optional<PcmLayout> findPcmLayout(std::span<const uint8_t> file) {
    ByteReader in(file);
    uint8_t tag[4];
    if (in.read(tag, 4) < 4 || !tagIs(tag, "RIFF")) return std::nullopt;
    in.u32();
    if (in.read(tag, 4) < 4 || !tagIs(tag, "WAVE")) return std::nullopt;
    std::optional<FormatChunk> format;
    while (in.read(tag, 4) == 4) {
        uint32_t size = in.u32();
        size_t body = in.position();
        if (tagIs(tag, "fmt ")) format = readFormat(in);
        if (tagIs(tag, "data") && format) {
            bool pcm = format->format == kPcmFormat || format->format == kExtensibleFormat;
            uint32_t bytes = format->bitsPerSample == 8 ? 1 : format->bitsPerSample == 16 ? 2 : 0;
            uint32_t byteChannels = format->channels * bytes;
            if (!pcm || byteChannels == 0 || byteChannels > 4 || body > file.size()) {
                return std::nullopt;
            }
            return PcmLayout{body, std::min<size_t>(size, file.size() - body), byteChannels};
        }
        in.seek(body + size + (size & 1));
    }
    return std::nullopt;
}
