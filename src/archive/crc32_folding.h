// CRC-32 of long blocks by carry-less multiplication: four 16-byte lanes are
// folded forward 64 bytes at a time, then into one, then the last 16 bytes
// of the fold and the tail go through the byte table. Same results as the
// table alone, several times faster where the processor has the
// instruction.
#pragma once

#include <cstddef>
#include <cstdint>

class CrcTable;

// True when this processor can run crc32Folded.
bool canFoldCrc();

// The running register after bytes, from the running register start; length
// must be at least 64.
uint32_t crc32Folded(uint32_t start, const uint8_t* bytes, size_t length, const CrcTable& table);
