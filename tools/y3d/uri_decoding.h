// The two kinds of URI a glTF file names its buffers by: data URIs carrying
// the bytes themselves ("data:application/octet-stream;base64,...") and
// relative file references, percent-encoded ("my%20model.bin").
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

bool isDataUri(std::string_view uri);
// The bytes a data URI carries (base64 or percent-encoded); nothing when
// it is malformed.
std::optional<std::vector<std::uint8_t>> dataUriBytes(std::string_view uri);
// "%XX" escapes decoded; a malformed escape is kept as it stands.
std::string percentDecoded(std::string_view text);
