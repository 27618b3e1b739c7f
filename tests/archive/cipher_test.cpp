// The block cipher of encrypted entries and its key schedule.
#include <gtest/gtest.h>

#include <cstring>

#include "archive/cipher.h"
#include "archive_test_support.h"
#include "raw_archive.h"

namespace {

std::vector<uint32_t> keyAfter(const char* password) {
    CrcTable table;
    Cipher cipher(table);
    cipher.prepareCipher(password);
    return {cipher.key(), cipher.key() + 4};
}

// Block by block and several blocks side by side, through the portable
// rounds and each kind of wide ones this processor has: whole batches, a
// padded last group.
TEST(Cipher, DecipherUndoesEncipherAndBothLeaveTheSameKey) {
    CrcTable table;
    for (WideRounds kind : {WideRounds::None, WideRounds::Avx2, WideRounds::Vbmi}) {
        if (kind > bestWideRounds()) continue;
        for (size_t size : {16, 64, 80, 720, 1600}) {
            Cipher encrypting(table), decrypting(table);
            decrypting.useRounds(kind);
            encrypting.prepareCipher("quillo");
            decrypting.prepareCipher("quillo");
            std::vector<uint8_t> plain = noise(size, 3);
            std::vector<uint8_t> data = plain;
            encrypting.encipher(data.data(), data.size());
            EXPECT_NE(data, plain);
            decrypting.decipher(data.data(), data.size());
            EXPECT_EQ(data, plain) << size << " with rounds " << static_cast<int>(kind);
            EXPECT_EQ(std::memcmp(encrypting.key(), decrypting.key(), 16), 0) << size;
        }
    }
}

TEST(Cipher, KeyChainRunsOverTheWholeDataArea) {
    CrcTable table;
    Cipher cipher(table);
    cipher.prepareCipher("k");
    std::vector<uint8_t> zeros(32, 0);
    cipher.encipher(zeros.data(), 32);
    // Equal plaintext blocks encrypt differently: the key moved on.
    EXPECT_NE(std::memcmp(zeros.data(), zeros.data() + 16, 16), 0);
}

TEST(Cipher, PasswordShapesTheKey) {
    EXPECT_NE(keyAfter("a"), keyAfter("b"));
    EXPECT_NE(keyAfter("a"), keyAfter(""));
    // Sixteen characters fill one block; the seventeenth starts a second.
    EXPECT_NE(keyAfter("0123456789abcdef"), keyAfter("0123456789abcdefg"));
    std::string longest(255, 'x');
    std::string tooLong(300, 'x');
    EXPECT_EQ(keyAfter(longest.c_str()), keyAfter(tooLong.c_str()));
}

TEST(Cipher, EncryptedEntriesNeedTheirPassword) {
    std::vector<uint8_t> content = sampleText(1000);
    for (bool store : {true, false}) {
        PackOptions options = withPassword("quillo");
        options.store = store;
        std::vector<uint8_t> archive = pack({{"x", content}}, options);
        EXPECT_TRUE(extract(archive, "x", "quillo").ok);
        ScratchLog log;
        Extracted wrong = extract(archive, "x", "quillo!", log.log());
        EXPECT_FALSE(wrong.ok);
        EXPECT_TRUE(wrong.nullOnFailure);
        EXPECT_TRUE(log.contains("CRC32 error - file couldn't be decompressed correctly!"));
        EXPECT_FALSE(extract(archive, "x", nullptr).ok);
    }
}

TEST(Cipher, PlainEntriesIgnoreAPassword) {
    std::vector<uint8_t> archive = pack({{"x", bytesOf("plain")}}, PackOptions{});
    EXPECT_TRUE(extract(archive, "x", "quillo").ok);
}

TEST(Cipher, OlderEncryptionIsNotProvided) {
    RawEntry e = rawEntry("x", std::vector<uint8_t>(40000, 'z'));
    e.flags = 0x0004;
    e.requiredVersion = 15;
    ScratchLog log;
    Extracted got = extract(rawArchive({e}), "x", "quillo", log.log());
    // Read undecrypted, the bytes happen to be right; the message is logged.
    EXPECT_TRUE(log.contains("Old Crypt() not supported!"));
    EXPECT_TRUE(got.ok);
    e.area = noise(40000);  // what real old-style ciphertext would look like
    ScratchLog log2;
    EXPECT_FALSE(extract(rawArchive({e}), "x", "quillo", log2.log()).ok);
    EXPECT_TRUE(log2.contains("Old Crypt() not supported!"));
    EXPECT_TRUE(log2.contains("CRC32 error"));
}

}  // namespace
