#include "app/capture/encoder_output.h"

#include <cstdio>

#include "app/capture/av_error.h"
#include "app/capture/video_container.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

const AVCodec* findEncoder(const std::string& file, const char* name, const char* codec) {
    const AVCodec* encoder = avcodec_find_encoder_by_name(name);
    if (!encoder)
        std::fprintf(
            stderr,
            "tessal-capture: cannot write %s: the installed FFmpeg has no %s encoder (%s)\n",
            file.c_str(), codec, name);
    return encoder;
}

bool openEncoder(AVCodecContext* context, const AVCodec* codec, AVDictionary** options,
                 AVStream* stream, const std::string& file) {
    int result = avcodec_open2(context, codec, options);
    if (result >= 0) result = avcodec_parameters_from_context(stream->codecpar, context);
    if (result < 0) {
        std::fprintf(stderr, "tessal-capture: cannot write %s: the %s encoder fails: %s\n",
                     file.c_str(), codec->name, avErrorText(result).c_str());
        return false;
    }
    stream->time_base = context->time_base;
    return true;
}

namespace {

bool encoderFailed(AVCodecContext* context, const VideoContainer& container, int result) {
    std::fprintf(stderr, "tessal-capture: cannot write %s: the %s encoder fails: %s\n",
                 container.path().c_str(), context->codec->name, avErrorText(result).c_str());
    return false;
}

}  // namespace

bool encodeInto(AVCodecContext* context, const AVFrame* frame, AVStream* stream,
                VideoContainer& container) {
    int result = avcodec_send_frame(context, frame);
    if (result < 0) return encoderFailed(context, container, result);
    AVPacket* packet = av_packet_alloc();
    bool written = true;
    while (written && (result = avcodec_receive_packet(context, packet)) >= 0) {
        av_packet_rescale_ts(packet, context->time_base, stream->time_base);
        packet->stream_index = stream->index;
        written = container.write(packet);
        av_packet_unref(packet);
    }
    av_packet_free(&packet);
    if (written && result != AVERROR(EAGAIN) && result != AVERROR_EOF)
        return encoderFailed(context, container, result);
    return written;
}
