#include "video_probe.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libswresample/swresample.h>
#include <libswscale/swscale.h>
}

namespace {

struct Decoder {
    AVCodecContext* context = nullptr;
    ~Decoder() { avcodec_free_context(&context); }
    bool open(const AVStream* stream) {
        context = avcodec_alloc_context3(avcodec_find_decoder(stream->codecpar->codec_id));
        return context && avcodec_parameters_to_context(context, stream->codecpar) >= 0 &&
               avcodec_open2(context, nullptr, nullptr) >= 0;
    }
};

// Keeps in `earliest` the earliest time of a stream's packets.
void keepEarliest(double& earliest, const AVPacket* packet, AVRational timeBase) {
    if (packet->pts == AV_NOPTS_VALUE) return;
    const double at = double(packet->pts) * av_q2d(timeBase);
    if (earliest == noTime || at < earliest) earliest = at;
}

void takePicture(const AVFrame* frame, VideoProbe& probe) {
    if (!probe.firstPicture.empty()) return;
    probe.firstPicture.resize(std::size_t(frame->width) * frame->height);
    SwsContext* converter =
        sws_getContext(frame->width, frame->height, AVPixelFormat(frame->format), frame->width,
                       frame->height, AV_PIX_FMT_BGR0, SWS_BILINEAR, nullptr, nullptr, nullptr);
    std::uint8_t* out[] = {reinterpret_cast<std::uint8_t*>(probe.firstPicture.data())};
    const int pitch[] = {frame->width * 4};
    sws_scale(converter, frame->data, frame->linesize, 0, frame->height, out, pitch);
    sws_freeContext(converter);
    for (auto& pixel : probe.firstPicture) pixel &= 0xffffff;
}

void takeSound(const AVFrame* frame, VideoProbe& probe) {
    SwrContext* converter = nullptr;
    AVChannelLayout layout = frame->ch_layout;
    swr_alloc_set_opts2(&converter, &layout, AV_SAMPLE_FMT_S16, frame->sample_rate, &layout,
                        AVSampleFormat(frame->format), frame->sample_rate, 0, nullptr);
    swr_init(converter);
    std::vector<std::int16_t> samples(std::size_t(frame->nb_samples) * layout.nb_channels);
    std::uint8_t* out[] = {reinterpret_cast<std::uint8_t*>(samples.data())};
    const int made =
        swr_convert(converter, out, frame->nb_samples,
                    const_cast<const std::uint8_t**>(frame->extended_data), frame->nb_samples);
    swr_free(&converter);
    probe.sound.insert(probe.sound.end(), samples.begin(),
                       samples.begin() + std::max(0, made) * layout.nb_channels);
}

// Decodes `packet` (null: the end) and hands every frame to `take`.
template <typename Take>
void decode(Decoder& decoder, const AVPacket* packet, Take take) {
    if (!decoder.context || avcodec_send_packet(decoder.context, packet) < 0) return;
    AVFrame* frame = av_frame_alloc();
    while (avcodec_receive_frame(decoder.context, frame) >= 0) take(frame);
    av_frame_free(&frame);
}

}  // namespace

VideoProbe probeVideo(const std::string& path) {
    VideoProbe probe;
    av_log_set_level(AV_LOG_ERROR);
    AVFormatContext* format = nullptr;
    if (avformat_open_input(&format, path.c_str(), nullptr, nullptr) < 0) return probe;
    probe.opened = avformat_find_stream_info(format, nullptr) >= 0;
    const int video = av_find_best_stream(format, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    const int audio = av_find_best_stream(format, AVMEDIA_TYPE_AUDIO, -1, -1, nullptr, 0);
    Decoder pictures, sound;
    if (video >= 0) {
        const AVStream* stream = format->streams[video];
        probe.videoCodec = avcodec_get_name(stream->codecpar->codec_id);
        probe.width = stream->codecpar->width;
        probe.height = stream->codecpar->height;
        probe.frameRate = av_q2d(stream->avg_frame_rate);
        pictures.open(stream);
    }
    if (audio >= 0) {
        const AVStream* stream = format->streams[audio];
        probe.audioCodec = avcodec_get_name(stream->codecpar->codec_id);
        probe.sampleRate = stream->codecpar->sample_rate;
        probe.channels = stream->codecpar->ch_layout.nb_channels;
        sound.open(stream);
    }
    AVPacket* packet = av_packet_alloc();
    while (av_read_frame(format, packet) >= 0) {
        const AVRational timeBase = format->streams[packet->stream_index]->time_base;
        if (packet->stream_index == video) {
            ++probe.pictures;
            keepEarliest(probe.firstVideoTime, packet, timeBase);
            decode(pictures, packet, [&](const AVFrame* f) { takePicture(f, probe); });
        } else if (packet->stream_index == audio) {
            keepEarliest(probe.firstAudioTime, packet, timeBase);
            decode(sound, packet, [&](const AVFrame* f) { takeSound(f, probe); });
        }
        av_packet_unref(packet);
    }
    decode(pictures, nullptr, [&](const AVFrame* f) { takePicture(f, probe); });
    decode(sound, nullptr, [&](const AVFrame* f) { takeSound(f, probe); });
    av_packet_free(&packet);
    avformat_close_input(&format);
    return probe;
}
