// Hand-built compressed streams: symbol kinds and table changes an encoder
// may never emit, checked against what the format says they produce.
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

#include "archive/bit_input.h"
#include "archive/byte_reader.h"
#include "archive/code_tables.h"
#include "archive/crc32.h"
#include "archive/data_area.h"
#include "archive/huffman_decoder.h"
#include "archive/sample_predictor.h"
#include "archive_test_support.h"
#include "raw_archive.h"

namespace {

RawEntry compressed(const std::string& name, const std::vector<uint8_t>& stream,
                    const std::vector<uint8_t>& content) {
    RawEntry e = rawEntry(name, content);
    e.area = stream;
    e.packMethod = 0x35;
    return e;
}

// What a match does to the output: byte by byte from distance back.
void copyMatch(std::vector<uint8_t>& out, size_t length, size_t distance) {
    for (size_t i = 0; i < length; i++) {
        out.push_back(out.size() >= distance ? out[out.size() - distance] : 0);
    }
}

TEST(Decoder, RepeatAfterTableSwitchReusesTheMatchFromBefore) {
    StreamBuilder s;
    s.tables(lzTables({'a', 'b', 'c', 269, 271}, {2}));
    for (uint32_t c : {'a', 'b', 'c'}) s.symbol(0, c);
    s.symbol(0, 271);  // new match, length 4
    s.symbol(1, 2);    // distance 3
    s.switchTables(lzTables({'x', 256, 269}));
    s.symbol(0, 256);  // the last match again
    s.symbol(0, 'x');
    std::vector<uint8_t> expected = bytesOf("abc");
    copyMatch(expected, 4, 3);
    copyMatch(expected, 4, 3);
    expected.push_back('x');
    Extracted got = extract(rawArchive({compressed("f", s.finish(), expected)}), "f");
    ASSERT_TRUE(got.ok);
    EXPECT_EQ(got.bytes, expected);
}

TEST(Decoder, ShortMatchesOverlappingCopiesAndSourcesBeforeTheStart) {
    StreamBuilder s;
    s.tables(lzTables({'q', 'z', 261, 270, 257}, {0, 4}, {0, 8}));
    s.symbol(0, 270);  // length 3 ...
    s.symbol(1, 4);    // ... distance 5 or 6: before the first byte, so zeros
    s.bits(0, 1);      // distance 5
    s.symbol(0, 'q');
    s.symbol(0, 270);  // length 3, distance 1: repeats 'q'
    s.symbol(1, 0);
    s.symbol(0, 257);  // the most recent distance (1) again, length 2 + 8 + extra 1
    s.symbol(2, 8);
    s.bits(1, 1);
    s.symbol(0, 'z');
    s.symbol(0, 261);  // short match: distance 1 + 2 extra bits (3 -> distance 4), length 2
    s.bits(3, 2);
    std::vector<uint8_t> expected;
    copyMatch(expected, 3, 5);
    expected.push_back('q');
    copyMatch(expected, 3, 1);
    copyMatch(expected, 11, 1);
    expected.push_back('z');
    copyMatch(expected, 2, 4);
    Extracted got = extract(rawArchive({compressed("f", s.finish(), expected)}), "f");
    ASSERT_TRUE(got.ok);
    EXPECT_EQ(got.bytes, expected);
}

// Several windows of output from random literals and matches of every
// length and distance symbol, many of them reaching back almost the whole
// window, so that sources lie just ahead of their targets once the window
// has wrapped; the decoder must copy as if byte by byte throughout.
TEST(Decoder, MatchesOfAnyLengthAndDistanceCopyAsIfByteByByte) {
    std::vector<uint32_t> literals, distances;
    for (uint32_t s = 0; s < 256; s++) literals.push_back(s);
    for (uint32_t s = archive::kFirstNewMatch; s < archive::kLiteralSymbols; s++) {
        literals.push_back(s);
    }
    for (uint32_t s = 0; s < archive::kDistanceSymbols; s++) distances.push_back(s);
    StreamBuilder s;
    s.tables(lzTables(literals, distances));
    std::mt19937 random(5);
    std::vector<uint8_t> expected;
    while (expected.size() < 2600000) {
        for (uint32_t n = random() % 4; n > 0; n--) {
            uint8_t byte = static_cast<uint8_t>(random());
            s.symbol(0, byte);
            expected.push_back(byte);
        }
        uint32_t li = random() % 28, dj = random() % 8 == 0 ? 47 : random() % 48;
        uint32_t lengthExtra = random() & ((1u << archive::kLengthExtra[li]) - 1);
        uint32_t distanceExtra = dj == 47 ? 0xFFFF - random() % 300
                                          : random() & ((1u << archive::kDistanceExtra[dj]) - 1);
        s.symbol(0, archive::kFirstNewMatch + li);
        if (archive::kLengthExtra[li] > 0) s.bits(lengthExtra, archive::kLengthExtra[li]);
        s.symbol(1, dj);
        if (archive::kDistanceExtra[dj] > 0) s.bits(distanceExtra, archive::kDistanceExtra[dj]);
        uint32_t distance = archive::kDistanceBase[dj] + 1 + distanceExtra;
        uint32_t length = archive::kLengthBase[li] + 3 + lengthExtra + (distance >= 0x2000) +
                          (distance >= 0x40000);
        copyMatch(expected, length, distance);
    }
    Extracted got = extract(rawArchive({compressed("f", s.finish(), expected)}), "f");
    ASSERT_TRUE(got.ok);
    EXPECT_TRUE(got.bytes == expected);
}

TEST(Decoder, PlaceBeyondTheSymbolCountDecodesAsTheFirstSymbol) {
    StreamBuilder s;
    TableSet set;
    set.lengths[std::size_t('A')] = set.lengths[std::size_t('B')] =
        2;  // codes 00 and 01: 1... is no code
    s.tables(set);
    s.bits(0x7FFF, 15);  // read as the first symbol, 15 bits long
    s.symbol(0, 'B');
    std::vector<uint8_t> expected = bytesOf("AB");
    Extracted got = extract(rawArchive({compressed("f", s.finish(), expected)}), "f");
    ASSERT_TRUE(got.ok);
    EXPECT_EQ(got.bytes, expected);
}

// Each channel's code knows only its own symbols, so a byte decoded on the
// wrong channel would not decode at all.
TEST(Decoder, MultimediaChannelsTakeTurnsAndFewerChannelsRestartAtZero) {
    StreamBuilder s;
    s.tables(multimediaTables({{10, 256}, {20, 256}, {30, 256}}));
    std::vector<std::pair<uint32_t, uint32_t>> samples = {{0, 10}, {1, 20}, {2, 30}, {0, 10}};
    for (auto [channel, symbol] : samples) s.symbol(channel, symbol);
    s.switchTables(multimediaTables({{40, 256}}), 1);  // channel 1 is next, 1 >= 1 channel
    s.symbol(0, 40);
    s.symbol(0, 40);
    samples.push_back({0, 40});
    samples.push_back({0, 40});
    SamplePredictor predictor;
    predictor.reset();
    std::vector<uint8_t> expected;
    for (auto [channel, symbol] : samples) {
        expected.push_back(predictor.predictSample(channel, symbol));
    }
    Extracted got = extract(rawArchive({compressed("f", s.finish(), expected)}), "f");
    ASSERT_TRUE(got.ok);
    EXPECT_EQ(got.bytes, expected);
}

TEST(Decoder, EmptyCompressedEntryPassesWithCrcZero) {
    StreamBuilder s;
    s.tables(lzTables({'a', 'b'}));
    RawEntry e = compressed("empty", s.finish(), {});
    EXPECT_EQ(e.contentCrc, 0u);
    Extracted got = extract(rawArchive({e}), "empty");
    ASSERT_TRUE(got.ok);
    EXPECT_TRUE(got.bytes.empty());
}

TEST(Decoder, OutputBeyondFullSizeIsRefused) {
    StreamBuilder s;
    s.tables(lzTables({'a', 270 + 20}, {0}));
    s.symbol(0, 'a');
    s.symbol(0, 290);  // a match of 67+ bytes in an entry of 10
    s.bits(0, 4);
    s.symbol(1, 0);
    ScratchLog log;
    std::vector<uint8_t> content(10, 'a');
    Extracted got =
        extract(rawArchive({compressed("f", s.finish(), content)}), "f", nullptr, log.log());
    EXPECT_FALSE(got.ok);
    EXPECT_TRUE(got.nullOnFailure);
    EXPECT_TRUE(log.contains("Fatal! Buffer overrun during decompression!"));
    EXPECT_TRUE(log.contains("CRC32 error"));
}

// The table-driven fast path must agree with the length search for any
// code, complete, incomplete or over-full.
TEST(HuffmanDecoder, FastTableAgreesWithTheLengthSearch) {
    std::mt19937 random(11);
    DebugLog silent("/nonexistent-directory/log.txt");
    for (int round = 0; round < 300; round++) {
        uint32_t size = 1 + random() % 298;
        std::vector<uint8_t> lengths(size);
        uint32_t spread = 1 + random() % 15;
        for (uint8_t& l : lengths) l = random() % 3 == 0 ? 0 : 1 + random() % spread;
        HuffmanDecoder decoder;
        decoder.buildDecoder(lengths.data(), size);
        std::vector<uint8_t> stream = noise(600, round);
        ByteReader reader(stream);
        DataArea area(reader, silent);
        area.begin(static_cast<uint32_t>(stream.size()), nullptr, 20);
        BitInput in;
        in.firstFill(area);
        for (int symbol = 0; symbol < 200; symbol++) {
            uint32_t bits = in.bits.peek16();
            HuffmanDecoder::Decoded fast = decoder.decodeBits(bits);
            HuffmanDecoder::Decoded slow = decoder.decodeBySearch(bits);
            ASSERT_EQ(fast.symbol, slow.symbol) << round;
            ASSERT_EQ(fast.length, slow.length) << round;
            in.bits.skipBits(fast.length);
        }
    }
}

TEST(SamplePredictor, EncodingThenDecodingGivesTheBytesBack) {
    std::vector<uint8_t> bytes = pcmWave(3000, 2, 16);
    SamplePredictor encoder, decoder;
    encoder.reset();
    decoder.reset();
    for (size_t i = 0; i < bytes.size(); i++) {
        uint32_t channel = i % 4;
        uint32_t s = encoder.encodeSample(channel, bytes[i]);
        ASSERT_EQ(decoder.predictSample(channel, s), bytes[i]) << i;
    }
}

// The prediction steps one at a time, as plainly as they can be written;
// the decoder's predictor is arranged for speed and must agree byte for
// byte, adaptation included.
struct PlainPredictor {
    struct Channel {
        int weight[5] = {}, delta[4] = {}, prevDelta = 0, prevSample = 0;
        uint32_t deviation[11] = {}, count = 0;
    };
    Channel channels[4];
    int cross = 0;

    uint8_t predict(uint32_t channel, uint32_t s) {
        Channel& v = channels[channel];
        v.count++;
        v.delta[3] = v.delta[2];
        v.delta[2] = v.delta[1];
        v.delta[1] = v.prevDelta - v.delta[0];
        v.delta[0] = v.prevDelta;
        int32_t p = 8 * v.prevSample + v.weight[4] * cross;
        for (int t = 0; t < 4; t++) p += v.weight[t] * v.delta[t];
        int c = ((p >> 3) & 0xFF) - static_cast<int>(s);
        int i = static_cast<int8_t>(s) * 8;
        int terms[5] = {v.delta[0], v.delta[1], v.delta[2], v.delta[3], cross};
        v.deviation[0] += std::abs(i);
        for (int t = 0; t < 5; t++) {
            v.deviation[2 * t + 1] += std::abs(i - terms[t]);
            v.deviation[2 * t + 2] += std::abs(i + terms[t]);
        }
        cross = v.prevDelta = static_cast<int8_t>(c - v.prevSample);
        v.prevSample = c;
        if (v.count % 32 == 0) adapt(v);
        return static_cast<uint8_t>(c);
    }
    void adapt(Channel& v) {
        int k = 0;
        for (int j = 1; j < 11; j++) k = v.deviation[j] < v.deviation[k] ? j : k;
        std::fill(std::begin(v.deviation), std::end(v.deviation), 0u);
        if (k == 0) return;
        int& w = v.weight[(k - 1) / 2];
        if (k % 2 == 1 && w >= -16) w--;
        if (k % 2 == 0 && w < 16) w++;
    }
};

// Symbols an encoder chose for real samples (the weights settle) and then
// noise (they swing to their limits), over one to four channels.
TEST(SamplePredictor, AgreesWithThePlainSteps) {
    SamplePredictor encoder;
    encoder.reset();
    std::vector<uint8_t> wave = pcmWave(4000, 2, 16);
    std::vector<uint32_t> symbols;
    for (size_t i = 0; i < wave.size(); i++)
        symbols.push_back(encoder.encodeSample(i % 4, wave[i]));
    for (uint8_t b : noise(20000, 5)) symbols.push_back(b);
    for (uint32_t channels = 1; channels <= 4; channels++) {
        SamplePredictor fast;
        fast.reset();
        PlainPredictor plain;
        for (size_t i = 0; i < symbols.size(); i++) {
            uint32_t channel = i % channels;
            ASSERT_EQ(fast.predictSample(channel, symbols[i]), plain.predict(channel, symbols[i]))
                << i << " of " << channels << " channels";
        }
    }
}

}  // namespace
