// The block cipher of password-protected entries: 16-byte blocks, a key of
// four words that moves on with every block, and a substitution table
// shuffled by the password.
#pragma once

#include <cstddef>
#include <cstdint>

#include "archive/cipher_wide.h"
#include "archive/crc32.h"

class Cipher {
  public:
    static constexpr size_t kBlockSize = 16;
    static constexpr size_t kMaxPassword = 255;

    explicit Cipher(const CrcTable& crcTable);
    ~Cipher();

    // Key setup for one entry; a longer password is cut to 255 characters.
    void prepareCipher(const char* password);
    void encipherBlock(uint8_t* block);
    void decipherBlock(uint8_t* block);

    // Whole blocks in order; a trailing partial block is run through a
    // zero-padded copy so nothing outside the bytes given is touched.
    void decipher(uint8_t* bytes, size_t count);
    void encipher(uint8_t* bytes, size_t count);

    const uint32_t* key() const { return cipherKey_; }

    // Deciphers with the given wide rounds, or with the portable ones
    // (None), where faster ones could run; all must agree, and tests compare
    // them. kind must not be beyond bestWideRounds().
    void useRounds(WideRounds kind) { wide_ = kind; }

  private:
    // Blocks deciphered side by side: their keys follow from the ciphertext
    // alone, and independent blocks let the processor overlap the rounds.
    static constexpr size_t kLanes = 4;

    uint32_t sboxWord(uint32_t t) const;
    template <size_t Lanes>
    void runRounds(uint8_t* blocks, const uint32_t (*keys)[4], bool forward) const;
    template <size_t Lanes>
    void decipherBlocks(uint8_t* blocks);
    void chainKeys(const uint8_t* blocks, size_t count, uint32_t (*keys)[4]);
    void decipherPortable(uint8_t* bytes, size_t blocks);
    void decipherWideBatches(uint8_t* bytes, size_t blocks);
    void updateKey(const uint8_t* block);
    void shuffleSbox(const uint8_t* password, size_t length);
    void spreadSbox();

    const CrcTable& crcTable_;
    WideRounds wide_;
    uint32_t cipherKey_[4] = {};
    uint8_t sbox_[256] = {};
    // sbox_ with each result already shifted to byte k of a word, so a
    // word's four substitutions combine without further shifts.
    uint32_t sboxInPlace_[4][256] = {};
};
