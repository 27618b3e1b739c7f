// What the picture and sound encoders share: opening an FFmpeg encoder by
// name, and handing a frame to it with its packets going to the container.
#pragma once

#include <string>

struct AVCodec;
struct AVCodecContext;
struct AVDictionary;
struct AVFrame;
struct AVStream;
class VideoContainer;

// The encoder FFmpeg knows by `name`, or null after a message naming the
// file, the codec and the encoder that the installed FFmpeg lacks.
const AVCodec* findEncoder(const std::string& file, const char* name, const char* codec);

// Opens `context` with `options` and gives `stream` its parameters. False
// after a message naming the file.
bool openEncoder(AVCodecContext* context, const AVCodec* codec, AVDictionary** options,
                 AVStream* stream, const std::string& file);

// Sends `frame` (null: the end, flushing the encoder) and writes every
// packet the encoder has ready to `stream`.
bool encodeInto(AVCodecContext* context, const AVFrame* frame, AVStream* stream,
                VideoContainer& container);
