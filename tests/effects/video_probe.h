// A video file read back with libavformat and libavcodec, for the capture's
// video tests: its streams, its pictures counted, its first picture and its
// sound decoded.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

constexpr double noTime = -1e9;

struct VideoProbe {
    bool opened = false;
    std::string videoCodec;  // FFmpeg's codec name: "h264", "vp9"
    std::string audioCodec;  // "aac", "flac", "opus"; empty without sound
    int width = 0;
    int height = 0;
    double frameRate = 0;            // the stream's average frame rate
    int pictures = 0;                // video packets: one per frame
    double firstVideoTime = noTime;  // the earliest packet's, in seconds
    double firstAudioTime = noTime;
    int sampleRate = 0;
    int channels = 0;
    std::vector<std::uint32_t> firstPicture;  // 0x00RRGGBB, rows top first
    std::vector<std::int16_t> sound;          // interleaved, as decoded
};

// Reads the whole file; `opened` is false when libavformat cannot.
VideoProbe probeVideo(const std::string& path);
