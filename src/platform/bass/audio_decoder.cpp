#include "platform/bass/audio_decoder.h"

#include <sndfile.h>

#include <algorithm>

#include "platform/bass/pcm_conversion.h"

namespace {

constexpr std::uint64_t maxLengthBytes = 0xFFFFFFFFull;  // stream lengths are 32-bit
constexpr int maxRate = 768000;
constexpr std::size_t chunkFrames = 4096;
// Integer PCM (WAV, FLAC, ...) seeks exactly. Lossy decoders restart mid-stream without the overlap
// of the block before, so their first frames after a seek differ; decoding this much earlier and
// dropping it gives the frames a decode from the start gives.
constexpr std::size_t prerollFrames = 4096;

sf_count_t sourceLength(void* source) {
    return static_cast<ByteSource*>(source)->size();
}
sf_count_t sourceSeek(sf_count_t offset, int whence, void* source) {
    return static_cast<ByteSource*>(source)->seek(offset, whence);
}
sf_count_t sourceRead(void* out, sf_count_t count, void* source) {
    return static_cast<ByteSource*>(source)->read(out, count);
}
sf_count_t sourceWrite(const void*, sf_count_t, void*) {
    return 0;
}
sf_count_t sourceTell(void* source) {
    return static_cast<ByteSource*>(source)->tell();
}

SF_VIRTUAL_IO sourceIo{sourceLength, sourceSeek, sourceRead, sourceWrite, sourceTell};

}  // namespace

std::unique_ptr<AudioDecoder> AudioDecoder::open(std::unique_ptr<ByteSource> bytes) {
    if (!bytes) return nullptr;
    SF_INFO info{};
    SNDFILE* file = sf_open_virtual(&sourceIo, SFM_READ, &info, bytes.get());
    if (!file) return nullptr;
    std::unique_ptr<AudioDecoder> decoder(new AudioDecoder(
        std::move(bytes), file, info.channels, info.samplerate, decodesAsShorts(info.format)));
    if (info.channels <= 0 || info.samplerate <= 0 || info.samplerate > maxRate) return nullptr;
    decoder->frames_ = decoder->decodableFrames(info.frames);
    const std::uint64_t lengthBytes = std::uint64_t(decoder->frames_) * 2 * decoder->channels_;
    if (decoder->frames_ == 0 || lengthBytes > maxLengthBytes) return nullptr;
    decoder->seek(0);
    return decoder;
}

AudioDecoder::AudioDecoder(std::unique_ptr<ByteSource> bytes, SNDFILE* file, int fileChannels,
                           int rate, bool asShorts)
    : bytes_(std::move(bytes)),
      file_(file),
      fileChannels_(fileChannels),
      channels_(std::min(fileChannels, 2)),
      rate_(rate),
      asShorts_(asShorts) {}

AudioDecoder::~AudioDecoder() {
    sf_close(file_);
}

void AudioDecoder::seek(std::size_t frame) {
    const std::size_t start = asShorts_ ? frame : frame - std::min(frame, prerollFrames);
    failed_ = sf_seek(file_, sf_count_t(start), SEEK_SET) != sf_count_t(start);
    std::vector<std::int16_t> dropped(std::max<std::size_t>(frame - start, 1) * 2);
    if (!failed_ && decode(dropped.data(), frame - start) != frame - start) failed_ = true;
    position_ = frame;
}

std::size_t AudioDecoder::read(std::int16_t* out, std::size_t count) {
    const std::size_t wanted = std::min(count, frames_ - position_);
    const std::size_t got = failed_ ? 0 : decode(out, wanted);
    if (got < wanted) {
        failed_ = true;
        std::fill(out + got * channels_, out + wanted * channels_, std::int16_t(0));
    }
    position_ += wanted;
    return wanted;
}

void AudioDecoder::readLooping(std::int16_t* out, std::size_t count) {
    while (count > 0) {
        if (position_ >= frames_) seek(0);
        const std::size_t got = read(out, count);
        out += got * std::size_t(channels_);
        count -= got;
    }
}

// As many frames as libsndfile gives, up to count, converted.
std::size_t AudioDecoder::decode(std::int16_t* out, std::size_t count) {
    std::size_t done = 0;
    while (done < count) {
        const std::size_t wanted = std::min(count - done, chunkFrames);
        std::int16_t* to = out + done * std::size_t(channels_);
        sf_count_t got = 0;
        if (asShorts_) {
            shorts_.resize(chunkFrames * std::size_t(fileChannels_));
            got = sf_readf_short(file_, shorts_.data(), sf_count_t(wanted));
            if (got > 0) convertFrames(shorts_.data(), std::size_t(got), fileChannels_, to);
        } else {
            floats_.resize(chunkFrames * std::size_t(fileChannels_));
            got = sf_readf_float(file_, floats_.data(), sf_count_t(wanted));
            if (got > 0) convertFrames(floats_.data(), std::size_t(got), fileChannels_, to);
        }
        if (got <= 0) break;
        done += std::size_t(got);
        if (std::size_t(got) < wanted) break;
    }
    return done;
}

// The frames the file really yields. Headers may announce more than that
// (an MP3 without a length tag gets an estimate from its size; a file cut
// short), and libsndfile never decodes more than they announce, so the last
// announced frame is tried and, when it is not there, the true end is
// searched for by seeking: a few seeks, no decoding of the whole file.
std::size_t AudioDecoder::decodableFrames(std::int64_t announced) {
    if (announced <= 0 || announced == SF_COUNT_MAX) return countByDecoding();
    const std::size_t claimed = std::size_t(announced);
    if (readable(claimed - 1)) return claimed;
    if (!readable(0)) return 0;
    std::size_t present = 0, missing = claimed - 1;
    while (missing - present > 1) {
        const std::size_t middle = present + (missing - present) / 2;
        (readable(middle) ? present : missing) = middle;
    }
    return present + 1;
}

bool AudioDecoder::readable(std::size_t frame) {
    shorts_.resize(chunkFrames * std::size_t(fileChannels_));
    return sf_seek(file_, sf_count_t(frame), SEEK_SET) == sf_count_t(frame) &&
           sf_readf_short(file_, shorts_.data(), 1) == 1;
}

// For a file whose header gives no length at all.
std::size_t AudioDecoder::countByDecoding() {
    if (sf_seek(file_, 0, SEEK_SET) != 0) return 0;
    std::vector<std::int16_t> chunk(chunkFrames * 2);
    std::size_t total = 0;
    for (std::size_t got; (got = decode(chunk.data(), chunkFrames)) > 0;) {
        total += got;
        if (std::uint64_t(total) * 2 * channels_ > maxLengthBytes) break;  // refused by open
    }
    return total;
}
