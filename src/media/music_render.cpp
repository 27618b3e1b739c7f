#include "media/music_render.h"

#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "media/music_player.h"
#include "platform/bass/decoding_source.h"
#include "platform/bass/file_window.h"
#include "platform/bass/stream_channel.h"

namespace {

constexpr int blockFrames = 4096;

// The stream as the player leaves it after playAt(musicStartTime +
// startTime), or null when the file does not play.
std::unique_ptr<StreamChannel> startedStream(const MusicRenderRequest& request) {
    auto decoder = AudioDecoder::open(FileWindow::open(request.musicFile.c_str(), 0, 0));
    if (!decoder) return nullptr;
    auto channel = std::make_unique<StreamChannel>(
        std::make_unique<DecodingSource>(std::move(decoder)), BASS_MP3_SETPOS, musicRenderRate);
    if (!channel->valid()) return nullptr;
    const float seconds = request.musicStartTime + request.startTime;
    channel->setPositionBytes(musicBytePosition(channel->lengthBytes(), DWORD(channel->rate()),
                                                channel->flags(), seconds));
    channel->play(false, request.looping);
    return channel;
}

// Output frames from `begin` to `end`, counted from the restart (negative
// ones come before it and are silent), handed to `write` block by block.
void renderFrames(StreamChannel* channel, std::int64_t begin, std::int64_t end,
                  const MusicBlockWriter& write) {
    std::vector<std::int32_t> sum(2 * blockFrames);
    std::vector<std::int16_t> out(2 * blockFrames);
    for (std::int64_t at = begin; at < end;) {
        // A block never straddles the restart.
        const std::int64_t blockEnd = std::min({end, at + blockFrames, at < 0 ? 0 : end});
        const int count = int(blockEnd - at);
        std::fill(sum.begin(), sum.end(), 0);
        if (channel && at >= 0) channel->mixInto(sum.data(), count);
        for (int i = 0; i < 2 * count; ++i)
            out[i] = std::int16_t(std::clamp(sum[i], -32768, 32767));
        write(out.data(), count);
        at = blockEnd;
    }
}

}  // namespace

std::int64_t musicRenderFrames(double from, double to) {
    return std::max<std::int64_t>(0, std::llround((to - from) * musicRenderRate));
}

MusicRender::MusicRender(const MusicRenderRequest& request)
    : channel_(startedStream(request)),
      begin_(std::llround((request.from - request.startTime) * musicRenderRate)),
      at_(begin_) {
    // Frames before `from` are played (and thrown away) as the player would.
    if (channel_ && begin_ > 0)
        renderFrames(channel_.get(), 0, begin_, [](const std::int16_t*, int) {});
}

MusicRender::~MusicRender() = default;

void MusicRender::render(std::int64_t frames, const MusicBlockWriter& write) {
    renderFrames(channel_.get(), at_, at_ + frames, write);
    at_ += frames;
}

bool renderMusicToWav(const MusicRenderRequest& request, const std::string& wavPath) {
    SF_INFO info{};
    info.samplerate = musicRenderRate;
    info.channels = 2;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(wavPath.c_str(), SFM_WRITE, &info);
    if (!file) {
        std::fprintf(stderr, "Cannot write %s: %s\n", wavPath.c_str(), sf_strerror(nullptr));
        return false;
    }
    MusicRender music(request);
    bool written = true;
    music.render(musicRenderFrames(request.from, request.to),
                 [&](const std::int16_t* out, int count) {
                     written = written && sf_writef_short(file, out, count) == count;
                 });
    sf_close(file);
    if (!written) std::fprintf(stderr, "Cannot write %s\n", wavPath.c_str());
    return written;
}
