// Archives written by the packer come back byte for byte through the reader,
// in every mode and combination.
#include <gtest/gtest.h>

#include "archive_test_support.h"

namespace {

struct Mode {
    bool store;
    bool solid;
    const char* password;
};

class RoundTrip : public ::testing::TestWithParam<Mode> {
  protected:
    PackOptions options() const {
        PackOptions o;
        o.store = GetParam().store;
        o.solid = GetParam().solid;
        o.password = GetParam().password;
        return o;
    }
};

std::vector<PackEntry> mixedEntries() {
    std::vector<PackEntry> entries;
    entries.push_back({"script.lua", sampleText(5000, 1)});
    entries.push_back({"empty.txt", {}});
    entries.push_back({"textures/noise.raw", noise(3000)});
    entries.push_back({"music/tone16.wav", pcmWave(20000, 2, 16)});
    entries.push_back({"music/tone8.wav", pcmWave(15001, 1, 8)});
    // Two and three byte channels; the two above have four and one.
    entries.push_back({"music/mono16.wav", pcmWave(9001, 1, 16)});
    entries.push_back({"music/three8.wav", pcmWave(7001, 3, 8)});
    entries.push_back({"scenes/one.y3d", bytesOf("x")});
    entries.push_back({"scenes/again.txt", sampleText(7000, 1)});  // repeats script.lua
    return entries;
}

TEST_P(RoundTrip, EveryEntryComesBackExactly) {
    std::vector<PackEntry> entries = mixedEntries();
    std::vector<uint8_t> archive = pack(entries, options());
    ASSERT_FALSE(archive.empty());
    for (const PackEntry& entry : entries) {
        Extracted got = extract(archive, entry.name, GetParam().password);
        ASSERT_TRUE(got.ok) << entry.name;
        EXPECT_EQ(got.bytes, entry.data) << entry.name;
    }
}

// More than the 1 MiB window, with a stretch repeated from about a window
// back whose source crosses the window's end. A short match search keeps
// the test quick; the decoder sees the same kinds of symbols.
TEST_P(RoundTrip, EntriesLargerThanTheWindowAndMatchesAcrossItsEnd) {
    std::vector<uint8_t> big = sampleText(1200000, 5);
    big.insert(big.end(), big.begin() + 1000000, big.begin() + 1100000);
    std::vector<PackEntry> entries = {{"first.bin", noise(70000, 2)}, {"big.txt", big}};
    PackOptions o = options();
    o.encoder.maxChain = 4;
    std::vector<uint8_t> archive = pack(entries, o);
    for (const PackEntry& entry : entries) {
        Extracted got = extract(archive, entry.name, GetParam().password);
        ASSERT_TRUE(got.ok) << entry.name;
        EXPECT_TRUE(got.bytes == entry.data) << entry.name;
    }
}

INSTANTIATE_TEST_SUITE_P(AllModes, RoundTrip,
                         ::testing::Values(Mode{false, false, ""}, Mode{false, true, ""},
                                           Mode{true, false, ""}, Mode{true, true, ""},
                                           Mode{false, false, "quillo"},
                                           Mode{false, true, "quillo"}, Mode{true, false, "quillo"},
                                           Mode{true, true, "q"}));

}  // namespace
