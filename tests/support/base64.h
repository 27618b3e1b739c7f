// Base64 text of raw bytes, for files the tests write with their data inline
// (glTF buffers as data: URIs).
#pragma once

#include <cstdint>
#include <string>

inline std::string base64(const std::string& raw) {
    static const char* digits = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    for (std::size_t i = 0; i < raw.size(); i += 3) {
        std::uint32_t n = std::uint8_t(raw[i]) << 16;
        if (i + 1 < raw.size()) n |= std::uint8_t(raw[i + 1]) << 8;
        if (i + 2 < raw.size()) n |= std::uint8_t(raw[i + 2]);
        const std::size_t left = raw.size() - i;
        for (std::size_t k = 0; k < 4; ++k)
            out += k <= left ? digits[(n >> (18 - 6 * k)) & 63] : '=';
    }
    return out;
}
