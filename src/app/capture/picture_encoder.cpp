#include "app/capture/picture_encoder.h"

#include <cstdio>
#include <string>

#include "app/capture/encoder_output.h"
#include "app/capture/video_container.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/opt.h>
#include <libswscale/swscale.h>
}

namespace {

// Constant quality at `crf`, at a speed that keeps a capture faster than
// real time on a small machine. libvpx's realtime mode is three times faster
// than its "good" one, and at crf 15 as close to the frames as H.264 at 18
// (about 39.5 dB on the sample production: what 4:2:0 colour allows).
AVDictionary* encoderOptions(const VideoFormat& format, int crf) {
    AVDictionary* options = nullptr;
    av_dict_set_int(&options, "crf", crf, 0);
    if (std::string(format.videoEncoder) == "libvpx-vp9") {
        av_dict_set(&options, "deadline", "realtime", 0);
        av_dict_set(&options, "cpu-used", "7", 0);
        av_dict_set(&options, "row-mt", "1", 0);
    } else {
        av_dict_set(&options, "preset", "fast", 0);
    }
    return options;
}

}  // namespace

PictureEncoder::~PictureEncoder() {
    sws_freeContext(converter_);
    av_frame_free(&picture_);
    avcodec_free_context(&context_);
}

bool PictureEncoder::open(const VideoFormat& format, const PictureSettings& settings,
                          VideoContainer& container) {
    container_ = &container;
    if (settings.width % 2 || settings.height % 2) {
        std::fprintf(stderr,
                     "tessal-capture: cannot write %s: a video needs an even width and height, "
                     "not %dx%d\n",
                     container.path().c_str(), settings.width, settings.height);
        return false;
    }
    return makeContext(format, settings, container) && makeFrames(settings);
}

bool PictureEncoder::makeContext(const VideoFormat& format, const PictureSettings& settings,
                                 VideoContainer& container) {
    const AVCodec* codec = findEncoder(container.path(), format.videoEncoder, format.videoCodec);
    if (!codec || !(stream_ = container.addStream())) return false;
    context_ = avcodec_alloc_context3(codec);
    context_->width = settings.width;
    context_->height = settings.height;
    context_->pix_fmt = AV_PIX_FMT_YUV420P;
    context_->time_base = AVRational{1, settings.fps};
    context_->framerate = AVRational{settings.fps, 1};
    context_->bit_rate = 0;      // quality alone decides
    context_->thread_count = 0;  // as many as the machine has: encoding overlaps rendering
    // libswscale's default conversion: BT.601 coefficients, limited range.
    context_->colorspace = AVCOL_SPC_SMPTE170M;
    context_->color_range = AVCOL_RANGE_MPEG;
    if (container.wantsGlobalHeaders()) context_->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    AVDictionary* options = encoderOptions(format, settings.crf);
    const bool opened = openEncoder(context_, codec, &options, stream_, container.path());
    av_dict_free(&options);
    stream_->avg_frame_rate = context_->framerate;
    return opened;
}

bool PictureEncoder::makeFrames(const PictureSettings& settings) {
    picture_ = av_frame_alloc();
    picture_->format = AV_PIX_FMT_YUV420P;
    picture_->width = settings.width;
    picture_->height = settings.height;
    converter_ = sws_getContext(settings.width, settings.height, AV_PIX_FMT_BGR0, settings.width,
                                settings.height, AV_PIX_FMT_YUV420P, SWS_BILINEAR, nullptr, nullptr,
                                nullptr);
    if (av_frame_get_buffer(picture_, 0) < 0 || !converter_) {
        std::fprintf(stderr, "tessal-capture: cannot write %s: out of memory\n",
                     container_->path().c_str());
        return false;
    }
    return true;
}

bool PictureEncoder::encode(const CapturedFrame& frame) {
    if (frame.width != context_->width || frame.height != context_->height) {
        std::fprintf(stderr, "tessal-capture: cannot write %s: frame %d is %dx%d, not %dx%d\n",
                     container_->path().c_str(), frame.index, frame.width, frame.height,
                     context_->width, context_->height);
        return false;
    }
    // The encoder may still hold the previous picture.
    if (av_frame_make_writable(picture_) < 0) return false;
    const std::uint8_t* source[] = {frame.pixels};
    const int sourcePitch[] = {frame.pitch};
    sws_scale(converter_, source, sourcePitch, 0, frame.height, picture_->data, picture_->linesize);
    picture_->pts = frame.index;
    return encodeInto(context_, picture_, stream_, *container_);
}

bool PictureEncoder::finish() {
    return encodeInto(context_, nullptr, stream_, *container_);
}
