#include "app/capture/sound_encoder.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "app/capture/encoder_output.h"
#include "app/capture/video_container.h"
#include "media/music_render.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/audio_fifo.h>
#include <libswresample/swresample.h>
}

namespace {

// The codec frame size for encoders that take any: about 0.1 s.
constexpr int variableFrameSize = 4096;

// 16-bit samples when the codec takes them (exact for a lossless codec),
// otherwise its first format.
AVSampleFormat sampleFormatFor(const AVCodec* codec) {
    if (!codec->sample_fmts) return AV_SAMPLE_FMT_S16;
    for (const AVSampleFormat* format = codec->sample_fmts; *format != AV_SAMPLE_FMT_NONE; ++format)
        if (*format == AV_SAMPLE_FMT_S16) return AV_SAMPLE_FMT_S16;
    return codec->sample_fmts[0];
}

// 44100 Hz when the codec takes it (or says nothing), otherwise its highest rate.
int sampleRateFor(const AVCodec* codec) {
    if (!codec->supported_samplerates) return musicRenderRate;
    int highest = 0;
    for (const int* rate = codec->supported_samplerates; *rate; ++rate) {
        if (*rate == musicRenderRate) return musicRenderRate;
        highest = std::max(highest, *rate);
    }
    return highest;
}

}  // namespace

SoundEncoder::~SoundEncoder() {
    av_frame_free(&frame_);
    if (queue_) av_audio_fifo_free(queue_);
    swr_free(&resampler_);
    avcodec_free_context(&context_);
}

bool SoundEncoder::open(const VideoFormat& format, VideoContainer& container) {
    container_ = &container;
    return makeContext(format, container) && makeResampler();
}

bool SoundEncoder::makeContext(const VideoFormat& format, VideoContainer& container) {
    const AVCodec* codec = findEncoder(container.path(), format.audioEncoder, format.audioCodec);
    if (!codec || !(stream_ = container.addStream())) return false;
    context_ = avcodec_alloc_context3(codec);
    context_->sample_fmt = sampleFormatFor(codec);
    context_->sample_rate = sampleRateFor(codec);
    context_->ch_layout = AV_CHANNEL_LAYOUT_STEREO;
    context_->time_base = AVRational{1, context_->sample_rate};
    context_->bit_rate = format.audioBitRate;
    if (container.wantsGlobalHeaders()) context_->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    if (!openEncoder(context_, codec, nullptr, stream_, container.path())) return false;
    const bool anySize = codec->capabilities & AV_CODEC_CAP_VARIABLE_FRAME_SIZE;
    frameSize_ = anySize || context_->frame_size <= 0 ? variableFrameSize : context_->frame_size;
    return true;
}

bool SoundEncoder::makeResampler() {
    AVChannelLayout stereo = AV_CHANNEL_LAYOUT_STEREO;
    int result = swr_alloc_set_opts2(&resampler_, &context_->ch_layout, context_->sample_fmt,
                                     context_->sample_rate, &stereo, AV_SAMPLE_FMT_S16,
                                     musicRenderRate, 0, nullptr);
    if (result >= 0) result = swr_init(resampler_);
    queue_ = av_audio_fifo_alloc(context_->sample_fmt, 2, frameSize_);
    frame_ = av_frame_alloc();
    if (result < 0 || !queue_ || !frame_) {
        std::fprintf(stderr, "tessal-capture: cannot write %s: cannot convert the sound\n",
                     container_->path().c_str());
        return false;
    }
    return true;
}

bool SoundEncoder::queue(const std::uint8_t* input, int count) {
    const int room = swr_get_out_samples(resampler_, count);
    if (room <= 0) return true;
    std::uint8_t** converted = nullptr;
    if (av_samples_alloc_array_and_samples(&converted, nullptr, 2, room, context_->sample_fmt, 0) <
        0)
        return false;
    const std::uint8_t* inputs[] = {input};
    const int made = swr_convert(resampler_, converted, room, input ? inputs : nullptr, count);
    const bool queued =
        made >= 0 && av_audio_fifo_write(queue_, reinterpret_cast<void**>(converted), made) == made;
    av_freep(&converted[0]);
    av_freep(&converted);
    return queued;
}

bool SoundEncoder::encodeQueued(bool last) {
    while (av_audio_fifo_size(queue_) >= frameSize_ || (last && av_audio_fifo_size(queue_) > 0)) {
        const int count = std::min(frameSize_, av_audio_fifo_size(queue_));
        const bool shortFrameTaken = context_->codec->capabilities & AV_CODEC_CAP_SMALL_LAST_FRAME;
        av_frame_unref(frame_);
        frame_->format = context_->sample_fmt;
        frame_->sample_rate = context_->sample_rate;
        frame_->nb_samples = shortFrameTaken ? count : frameSize_;
        av_channel_layout_copy(&frame_->ch_layout, &context_->ch_layout);
        if (av_frame_get_buffer(frame_, 0) < 0) return false;
        av_samples_set_silence(frame_->data, 0, frame_->nb_samples, 2, context_->sample_fmt);
        if (av_audio_fifo_read(queue_, reinterpret_cast<void**>(frame_->data), count) != count)
            return false;
        frame_->pts = nextPts_;
        nextPts_ += frame_->nb_samples;
        if (!encodeInto(context_, frame_, stream_, *container_)) return false;
    }
    return true;
}

bool SoundEncoder::add(const std::int16_t* frames, int count) {
    return queue(reinterpret_cast<const std::uint8_t*>(frames), count) && encodeQueued(false);
}

bool SoundEncoder::finish() {
    return queue(nullptr, 0) && encodeQueued(true) &&
           encodeInto(context_, nullptr, stream_, *container_);
}
