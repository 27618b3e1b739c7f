// The packer's own choices: multimedia mode for PCM audio, stored entries
// for data that does not shrink, table sets the decoder reads back, and
// code lengths within the decoder's limit.
#include <gtest/gtest.h>

#include "archive/archive_listing.h"
#include "archive/entry_compressor.h"
#include "archive/huffman_builder.h"
#include "archive/wav_format.h"
#include "archive_test_support.h"

namespace {

TEST(EntryCompressor, PcmAudioGoesInMultimediaModeAndShrinksWell) {
    for (int bits : {8, 16}) {
        for (int channels : {1, 2}) {
            std::vector<uint8_t> wave = pcmWave(20000, channels, bits);
            EntryCompressor compressor(false, wave.size());
            auto packed = compressor.compress(wave, false);
            ASSERT_TRUE(packed);
            EXPECT_TRUE(packed->multimedia) << bits << " bits, " << channels << " channels";
            EXPECT_LT(packed->data.size(), wave.size() * 3 / 4);
        }
    }
}

TEST(EntryCompressor, SolidEntriesContinueTheStream) {
    std::vector<uint8_t> text = sampleText(5000);
    EntryCompressor compressor(true, 100000);
    auto first = compressor.compress(text, false);
    auto second = compressor.compress(text, false);
    ASSERT_TRUE(first && second);
    EXPECT_FALSE(first->continuation);
    EXPECT_TRUE(second->continuation);
    EXPECT_LT(second->data.size(), 100u);  // long matches into the first
}

TEST(EntryCompressor, IncompressibleDataIsLeftToBeStored) {
    EntryCompressor compressor(true, 200000);
    EXPECT_FALSE(compressor.compress(noise(50000), false));
    // The stream goes on as if the stored entry had not been there.
    auto text = compressor.compress(sampleText(3000), false);
    ASSERT_TRUE(text);
    EXPECT_FALSE(text->continuation);
}

TEST(ArchiveWriter, ListingShowsWhatWasWritten) {
    PackOptions options = withPassword("quillo");
    options.solid = true;
    std::vector<uint8_t> archive = pack(
        {{"a/script.lua", sampleText(3000)}, {"b.raw", noise(500)}, {"c.txt", sampleText(3000)}},
        options);
    ArchiveListing listing = listArchive(archive);
    ASSERT_TRUE(listing.ok);
    EXPECT_TRUE(listing.solid);
    ASSERT_EQ(listing.entries.size(), 3u);
    EXPECT_EQ(listing.entries[0].name, "a/script.lua");
    EXPECT_EQ(listing.entries[1].packMethod, 0x30);
    EXPECT_EQ(listing.entries[1].dataSize % 16, 0u);
    EXPECT_TRUE(listing.entries[2].solidContinuation);
    for (const ListedEntry& e : listing.entries) {
        EXPECT_TRUE(e.encrypted);
        EXPECT_TRUE(e.headerCrcMatches);
        EXPECT_EQ(e.requiredVersion, 20);
    }
}

TEST(ArchiveWriter, RefusesWhatTheFormatCannotHold) {
    EXPECT_FALSE(writeArchive({{std::string(260, 'n'), {}}}, {}).ok);
    EXPECT_FALSE(writeArchive({{"", {}}}, {}).ok);
    EXPECT_FALSE(writeArchive({{"x", {}}}, withPassword(std::string(256, 'p'))).ok);
    EXPECT_TRUE(writeArchive({{std::string(259, 'n'), {}}}, {}).ok);
}

TEST(HuffmanBuilder, LengthsStayWithin15BitsAndFormACompleteCode) {
    std::vector<uint32_t> frequencies(298);
    uint32_t f = 1;
    for (uint32_t& x : frequencies) x = f = f < (1u << 30) ? f * 2 : 1;  // very skewed
    std::vector<uint8_t> lengths = buildCodeLengths(frequencies);
    double kraft = 0;
    for (uint8_t l : lengths) {
        ASSERT_GE(l, 1);
        ASSERT_LE(l, 15);
        kraft += 1.0 / (1 << l);
    }
    EXPECT_DOUBLE_EQ(kraft, 1.0);
    EXPECT_EQ(buildCodeLengths({0, 5, 0})[1], 1);  // a lone symbol still needs a bit
}

TEST(WavFormat, FindsSamplesOnlyIn8And16BitPcm) {
    std::vector<uint8_t> wave = pcmWave(100, 2, 16);
    auto layout = findPcmLayout(wave);
    ASSERT_TRUE(layout);
    EXPECT_EQ(layout->dataOffset, 44u);
    EXPECT_EQ(layout->dataSize, 400u);
    EXPECT_EQ(layout->byteChannels, 4u);
    wave[34] = 24;  // 24-bit samples
    EXPECT_FALSE(findPcmLayout(wave));
    EXPECT_FALSE(findPcmLayout(sampleText(100)));
    std::vector<uint8_t> truncated(wave.begin(), wave.begin() + 30);
    EXPECT_FALSE(findPcmLayout(truncated));
}

}  // namespace
