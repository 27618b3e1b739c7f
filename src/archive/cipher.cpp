#include "archive/cipher.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <utility>

namespace {

constexpr uint8_t kInitialSbox[256] = {
    0xD7, 0x13, 0x95, 0x23, 0x49, 0xC5, 0xC0, 0xCD, 0xF9, 0x1C, 0x10, 0x77, 0x30, 0xDD, 0x02, 0x2A,
    0xE8, 0x01, 0xB1, 0xE9, 0x0E, 0x58, 0xDB, 0x19, 0xDF, 0xC3, 0xF4, 0x5A, 0x57, 0xEF, 0x99, 0x89,
    0xFF, 0xC7, 0x93, 0x46, 0x5C, 0x42, 0xF6, 0x0D, 0xD8, 0x28, 0x3E, 0x1D, 0xD9, 0xE6, 0x56, 0x06,
    0x47, 0x18, 0xAB, 0xC4, 0x65, 0x71, 0xDA, 0x7B, 0x5D, 0x5B, 0xA3, 0xB2, 0xCA, 0x43, 0x2C, 0xEB,
    0x6B, 0xFA, 0x4B, 0xEA, 0x31, 0xA7, 0x7D, 0xD3, 0x53, 0x72, 0x9D, 0x90, 0x20, 0xC1, 0x8F, 0x24,
    0x9E, 0x7C, 0xF7, 0xBB, 0x59, 0xD6, 0x8D, 0x2F, 0x79, 0xE4, 0x3D, 0x82, 0xD5, 0xC2, 0xAE, 0xFB,
    0x61, 0x6E, 0x36, 0xE5, 0x73, 0x39, 0x98, 0x5E, 0x69, 0xF3, 0xD4, 0x37, 0xD1, 0xF5, 0x3F, 0x0B,
    0xA4, 0xC8, 0x1F, 0x9C, 0x51, 0xB0, 0xE3, 0x15, 0x4C, 0x63, 0x8B, 0xBC, 0x7F, 0x11, 0xF8, 0x33,
    0xCF, 0x78, 0xBD, 0xD2, 0x08, 0xE2, 0x29, 0x48, 0xB7, 0xCB, 0x87, 0xA5, 0xA6, 0x3C, 0x62, 0x07,
    0x7A, 0x26, 0x9B, 0xAA, 0x45, 0xAC, 0xFC, 0xEE, 0x27, 0x86, 0x3B, 0x80, 0xEC, 0x1B, 0xF0, 0x50,
    0x83, 0x03, 0x55, 0xCE, 0x91, 0x4F, 0x9A, 0x8E, 0x9F, 0xDC, 0xC9, 0x85, 0x4A, 0x40, 0x14, 0x81,
    0xE0, 0xB9, 0x8A, 0x67, 0xAD, 0xB6, 0x2B, 0x22, 0xFE, 0x52, 0xC6, 0x97, 0xE7, 0xB4, 0x3A, 0x0A,
    0x76, 0x1A, 0x66, 0x0C, 0x32, 0x84, 0x16, 0xBF, 0x88, 0x6F, 0xA2, 0xB3, 0x2D, 0x04, 0x94, 0x6C,
    0xA1, 0x38, 0x4E, 0x7E, 0xF2, 0xDE, 0x0F, 0xAF, 0x92, 0x17, 0x21, 0xF1, 0xB5, 0xBE, 0x4D, 0xE1,
    0x00, 0x2E, 0xA9, 0xBA, 0x44, 0x5F, 0xED, 0x41, 0x35, 0xD0, 0xFD, 0xA8, 0x09, 0x12, 0x64, 0x34,
    0x74, 0xB8, 0xA0, 0x60, 0x6D, 0x25, 0x1E, 0x6A, 0x8C, 0x68, 0x96, 0x05, 0xCC, 0x75, 0x70, 0x54,
};

// Blocks whose keys are chained before the wide rounds run on them.
constexpr size_t kWideBatch = 4 * kWideGroup;

constexpr uint32_t kInitialKey[4] = {0xD3A3B879u, 0x3F6D12F7u, 0x7515A235u, 0xA4E7F123u};

uint32_t rol(uint32_t x, int n) {
    return (x << n) | (x >> (32 - n));
}

uint32_t loadWord(const uint8_t* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

void storeWord(uint8_t* p, uint32_t w) {
    for (int i = 0; i < 4; i++) p[i] = static_cast<uint8_t>(w >> (8 * i));
}

}  // namespace

Cipher::Cipher(const CrcTable& crcTable) : crcTable_(crcTable), wide_(bestWideRounds()) {}

Cipher::~Cipher() {
    std::fill(std::begin(cipherKey_), std::end(cipherKey_), 0u);
    std::fill(std::begin(sbox_), std::end(sbox_), uint8_t{0});
    for (auto& table : sboxInPlace_) std::fill(std::begin(table), std::end(table), 0u);
}

uint32_t Cipher::sboxWord(uint32_t t) const {
    return sboxInPlace_[0][t & 0xFF] | sboxInPlace_[1][(t >> 8) & 0xFF] |
           sboxInPlace_[2][(t >> 16) & 0xFF] | sboxInPlace_[3][t >> 24];
}

// Steps 1 to 3 of the block transform on Lanes consecutive blocks, each
// with its own key; the rounds run 0..31 to encipher and 31..0 to decipher.
template <size_t Lanes>
void Cipher::runRounds(uint8_t* blocks, const uint32_t (*keys)[4], bool forward) const {
    uint32_t a[Lanes], b[Lanes], c[Lanes], d[Lanes];
    for (size_t n = 0; n < Lanes; n++) {
        const uint8_t* block = blocks + n * kBlockSize;
        a[n] = loadWord(block) ^ keys[n][0];
        b[n] = loadWord(block + 4) ^ keys[n][1];
        c[n] = loadWord(block + 8) ^ keys[n][2];
        d[n] = loadWord(block + 12) ^ keys[n][3];
    }
    for (int i = 0; i < 32; i++) {
        int r = forward ? i : 31 - i;
        // Unrolled, so the lanes stay in registers and interleave.
#pragma GCC unroll 4
        for (size_t n = 0; n < Lanes; n++) {
            uint32_t k = keys[n][r & 3];
            uint32_t ta = a[n] ^ sboxWord((c[n] + rol(d[n], 11)) ^ k);
            uint32_t tb = b[n] ^ sboxWord((d[n] ^ rol(c[n], 17)) + k);
            a[n] = c[n];
            b[n] = d[n];
            c[n] = ta;
            d[n] = tb;
        }
    }
    for (size_t n = 0; n < Lanes; n++) {
        uint8_t* block = blocks + n * kBlockSize;
        storeWord(block, c[n] ^ keys[n][0]);
        storeWord(block + 4, d[n] ^ keys[n][1]);
        storeWord(block + 8, a[n] ^ keys[n][2]);
        storeWord(block + 12, b[n] ^ keys[n][3]);
    }
}

void Cipher::updateKey(const uint8_t* block) {
    for (int group = 0; group < 16; group += 4) {
        for (int i = 0; i < 4; i++) cipherKey_[i] ^= crcTable_[block[group + i]];
    }
}

void Cipher::encipherBlock(uint8_t* block) {
    runRounds<1>(block, &cipherKey_, true);
    updateKey(block);
}

// Lanes consecutive blocks: each key is the one before moved on by that
// block's ciphertext, so all are known before any block is deciphered.
template <size_t Lanes>
void Cipher::decipherBlocks(uint8_t* blocks) {
    uint32_t keys[Lanes][4];
    chainKeys(blocks, Lanes, keys);
    runRounds<Lanes>(blocks, keys, false);
}

// The key each of count consecutive blocks starts with; the cipher's key
// moves on past them.
void Cipher::chainKeys(const uint8_t* blocks, size_t count, uint32_t (*keys)[4]) {
    for (size_t n = 0; n < count; n++) {
        std::copy(std::begin(cipherKey_), std::end(cipherKey_), keys[n]);
        updateKey(blocks + n * kBlockSize);
    }
}

void Cipher::decipherBlock(uint8_t* block) {
    decipherBlocks<1>(block);
}

void Cipher::shuffleSbox(const uint8_t* p, size_t length) {
    for (int j = 0; j < 256; j++) {
        for (size_t i = 0; i < length; i += 2) {
            uint32_t n1 = crcTable_[(p[i] - j) & 0xFF] & 0xFF;
            uint32_t n2 = crcTable_[(p[i + 1] + j) & 0xFF] & 0xFF;
            for (uint32_t k = 1; n1 != n2; n1 = (n1 + 1) & 0xFF, k++) {
                std::swap(sbox_[n1], sbox_[(n1 + i + k) & 0xFF]);
            }
        }
    }
}

void Cipher::spreadSbox() {
    for (int k = 0; k < 4; k++) {
        for (int n = 0; n < 256; n++)
            sboxInPlace_[k][n] = static_cast<uint32_t>(sbox_[n]) << (8 * k);
    }
}

void Cipher::prepareCipher(const char* password) {
    std::copy(std::begin(kInitialKey), std::end(kInitialKey), cipherKey_);
    uint8_t p[256] = {};
    size_t length = password ? strnlen(password, kMaxPassword) : 0;
    if (length > 0) std::memcpy(p, password, length);
    std::copy(std::begin(kInitialSbox), std::end(kInitialSbox), sbox_);
    shuffleSbox(p, length);
    spreadSbox();
    for (size_t i = 0; i < length; i += kBlockSize) encipherBlock(p + i);
    std::fill(std::begin(p), std::end(p), uint8_t{0});
}

// Whole blocks through the wide rounds, a batch of keys chained at a time;
// fewer than a group at the end run as a group of their own, padded.
void Cipher::decipherWideBatches(uint8_t* bytes, size_t blocks) {
    alignas(64) uint32_t keys[kWideBatch][4];
    size_t done = 0;
    while (done + kWideGroup <= blocks) {
        size_t batch = std::min(kWideBatch, (blocks - done) / kWideGroup * kWideGroup);
        uint8_t* at = bytes + done * kBlockSize;
        chainKeys(at, batch, keys);
        decipherWide(wide_, at, keys, batch, sbox_);
        done += batch;
    }
    size_t left = blocks - done;
    if (left == 0) return;
    alignas(64) uint8_t padded[kWideGroup * kBlockSize] = {};
    std::memcpy(padded, bytes + done * kBlockSize, left * kBlockSize);
    chainKeys(padded, left, keys);
    decipherWide(wide_, padded, keys, kWideGroup, sbox_);
    std::memcpy(bytes + done * kBlockSize, padded, left * kBlockSize);
}

// Blocks kLanes at a time, then one by one.
void Cipher::decipherPortable(uint8_t* bytes, size_t blocks) {
    size_t done = 0;
    for (; done + kLanes <= blocks; done += kLanes)
        decipherBlocks<kLanes>(bytes + done * kBlockSize);
    for (; done < blocks; done++) decipherBlock(bytes + done * kBlockSize);
}

void Cipher::decipher(uint8_t* bytes, size_t count) {
    size_t blocks = count / kBlockSize;
    if (wide_ != WideRounds::None) {
        decipherWideBatches(bytes, blocks);
    } else {
        decipherPortable(bytes, blocks);
    }
    size_t whole = blocks * kBlockSize;
    if (whole == count) return;
    uint8_t tail[kBlockSize] = {};
    std::memcpy(tail, bytes + whole, count - whole);
    decipherBlock(tail);
    std::memcpy(bytes + whole, tail, count - whole);
}

void Cipher::encipher(uint8_t* bytes, size_t count) {
    size_t whole = count - count % kBlockSize;
    for (size_t i = 0; i < whole; i += kBlockSize) encipherBlock(bytes + i);
    if (whole == count) return;
    uint8_t tail[kBlockSize] = {};
    std::memcpy(tail, bytes + whole, count - whole);
    encipherBlock(tail);
    std::memcpy(bytes + whole, tail, count - whole);
}
