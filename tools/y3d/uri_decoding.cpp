#include "uri_decoding.h"

namespace {

int base64Value(char c) {
    if (c >= 'A' && c <= 'Z') return c - 'A';
    if (c >= 'a' && c <= 'z') return c - 'a' + 26;
    if (c >= '0' && c <= '9') return c - '0' + 52;
    if (c == '+' || c == '-') return 62;  // '-' and '_': the URL-safe alphabet
    if (c == '/' || c == '_') return 63;
    return -1;
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Padding and line breaks are skipped; any other stray character is an error.
std::optional<std::vector<std::uint8_t>> base64Bytes(std::string_view text) {
    std::vector<std::uint8_t> out;
    out.reserve(text.size() / 4 * 3);
    std::uint32_t bits = 0;
    int held = 0;
    for (const char c : text) {
        if (c == '=' || c == '\n' || c == '\r') continue;
        const int value = base64Value(c);
        if (value < 0) return std::nullopt;
        bits = (bits << 6) | std::uint32_t(value);
        held += 6;
        if (held >= 8) {
            held -= 8;
            out.push_back(std::uint8_t(bits >> held));
        }
    }
    return out;
}

}  // namespace

bool isDataUri(std::string_view uri) {
    return uri.substr(0, 5) == "data:";
}

std::optional<std::vector<std::uint8_t>> dataUriBytes(std::string_view uri) {
    const std::size_t comma = uri.find(',');
    if (!isDataUri(uri) || comma == std::string_view::npos) return std::nullopt;
    const std::string_view header = uri.substr(0, comma), payload = uri.substr(comma + 1);
    if (header.size() >= 7 && header.substr(header.size() - 7) == ";base64")
        return base64Bytes(payload);
    const std::string decoded = percentDecoded(payload);
    return std::vector<std::uint8_t>(decoded.begin(), decoded.end());
}

std::string percentDecoded(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const int high = i + 2 < text.size() && text[i] == '%' ? hexValue(text[i + 1]) : -1;
        const int low = high >= 0 ? hexValue(text[i + 2]) : -1;
        if (low >= 0) {
            out.push_back(char(high * 16 + low));
            i += 2;
        } else {
            out.push_back(text[i]);
        }
    }
    return out;
}
