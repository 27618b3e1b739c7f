// Layout constants of the archive format: markers, block types, flags.
#pragma once

#include <cstddef>
#include <cstdint>

namespace archive {

constexpr uint8_t kRarMarker[7] = {0x52, 0x61, 0x72, 0x21, 0x1A, 0x07, 0x00};
constexpr uint8_t kTessalMarker[7] = {'T', 'e', 's', 's', 'a', 'l', '!'};
constexpr size_t kMarkerSize = 7;
constexpr size_t kMainHeaderSize = 13;
constexpr size_t kBlockRecordSize = 32;
constexpr size_t kMaxNameLength = 259;

constexpr uint8_t kMainHeaderType = 0x73;
constexpr uint8_t kFileHeaderType = 0x74;
constexpr uint8_t kSubBlockType = 0x77;

constexpr uint16_t kSolidArchive = 0x0008;       // main header
constexpr uint16_t kHasDataArea = 0x8000;        // any block
constexpr uint16_t kEncrypted = 0x0004;          // file header
constexpr uint16_t kSolidContinuation = 0x0010;  // file header
constexpr uint16_t kDictionary1M = 0x0080;       // file header, informative only

constexpr uint8_t kStoredMethod = 0x30;
constexpr uint8_t kBestMethod = 0x35;
constexpr uint8_t kMinVersion = 13;
constexpr uint8_t kMaxVersion = 20;
constexpr uint8_t kHostUnix = 3;

constexpr uint32_t kWindowSize = 0x100000;
constexpr uint32_t kWindowMask = kWindowSize - 1;

}  // namespace archive
