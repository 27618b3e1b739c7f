// The kinds of video file tessal-capture writes, chosen by the file's
// extension: the container and the encoders FFmpeg provides for it.
#pragma once

#include <string>

struct VideoFormat {
    const char* extension;     // ".mp4"
    const char* muxer;         // FFmpeg's name for the container
    const char* videoEncoder;  // FFmpeg's name for the encoder
    const char* videoCodec;    // how the messages name the codec
    const char* audioEncoder;
    const char* audioCodec;
    int defaultCrf;    // visually lossless on the encoder's own scale
    int maxCrf;        // the scale's end: the lowest quality
    int audioBitRate;  // bits per second; 0 for a lossless codec
};

// The format for the path's extension (any letter case), or null.
const VideoFormat* videoFormatFor(const std::string& path);

// ".mp4, .mkv or .webm", for messages.
std::string videoExtensionList();
