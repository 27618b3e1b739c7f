// FFmpeg's error codes as text, for the capture's messages.
#pragma once

#include <string>

extern "C" {
#include <libavutil/error.h>
}

inline std::string avErrorText(int code) {
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, text, sizeof text);
    return text;
}
