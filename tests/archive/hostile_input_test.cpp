// Truncated, lying and random archives: extraction fails cleanly, in
// bounded time and memory, and never touches memory outside its buffers
// (the sanitizer build checks that part).
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <random>

#include "archive/mapped_file.h"
#include "archive_test_support.h"
#include "raw_archive.h"

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// fullSize sits at offset 11 of the first block record, after marker and
// main header.
void setFirstFullSize(std::vector<uint8_t>& archive, uint32_t value) {
    for (int i = 0; i < 4; i++) archive[20 + 11 + i] = static_cast<uint8_t>(value >> (8 * i));
}

TEST(HostileInput, EveryTruncationFailsCleanly) {
    for (bool solid : {false, true}) {
        PackOptions options = withPassword("quillo");
        options.solid = solid;
        std::vector<uint8_t> archive =
            pack({{"a", sampleText(3000, 2)}, {"b", pcmWave(800, 1, 8)}}, options);
        // Every cut within the headers, then every third one through the data.
        for (size_t length = 0; length < archive.size(); length += length < 80 ? 1 : 3) {
            std::vector<uint8_t> cut(archive.begin(), archive.begin() + length);
            Extracted got = extract(cut, "b", "quillo");
            ASSERT_FALSE(got.ok) << length;
            ASSERT_TRUE(got.nullOnFailure) << length;
        }
    }
}

TEST(HostileInput, HugeFullSizeOfACompressedEntryFailsQuickly) {
    std::vector<uint8_t> archive = pack({{"a", sampleText(5000)}}, PackOptions{});
    setFirstFullSize(archive, 0xFFFFFFF0u);
    auto start = Clock::now();
    ScratchLog log;
    Extracted got = extract(archive, "a", nullptr, log.log());
    EXPECT_FALSE(got.ok);
    EXPECT_TRUE(got.nullOnFailure);
    EXPECT_TRUE(log.contains("Packed data ended before the entry was complete."));
    EXPECT_LT(secondsSince(start), 20.0);
}

TEST(HostileInput, HugeFullSizeOfAStoredEntryFails) {
    RawEntry e = rawEntry("a", bytesOf("short"));
    e.fullSize = 0xFFFFFFF0u;
    Extracted got = extract(rawArchive({e}), "a");
    EXPECT_FALSE(got.ok);
    EXPECT_TRUE(got.nullOnFailure);
}

// A data area claimed to run past the end of the file hides what follows;
// the bytes that are there still make up the entry if they check out.
TEST(HostileInput, DataSizeBeyondTheFile) {
    std::vector<uint8_t> archive =
        rawArchive({rawEntry("a", bytesOf("content")), rawEntry("b", bytesOf("next"))});
    archive[20 + 9] = 0x7F;  // dataSize of "a" becomes about 2 GB
    EXPECT_TRUE(extract(archive, "a").ok);
    Extracted got = extract(archive, "b");
    EXPECT_FALSE(got.ok);
    EXPECT_TRUE(got.nullOnFailure);
}

// Non-wanted entries of a solid archive are decoded too: one whose header
// claims gigabytes must not keep the reader busy.
TEST(HostileInput, LyingEntryBeforeTheWantedOneInASolidArchive) {
    for (uint8_t fill : {0x00, 0xFF, 0x5A}) {
        RawEntry liar = rawEntry("liar", {});
        liar.area.assign(64, fill);
        liar.packMethod = 0x35;
        liar.fullSize = 0xFFFFFFF0u;
        auto start = Clock::now();
        Extracted got = extract(rawArchive({liar, rawEntry("x", bytesOf("data"))}, true), "x");
        EXPECT_TRUE(got.ok);  // stored entries do not depend on the decoder
        EXPECT_LT(secondsSince(start), 20.0);
    }
}

TEST(HostileInput, RandomBytesAfterAValidStartAreRejected) {
    std::mt19937 random(5);
    for (int round = 0; round < 300; round++) {
        std::vector<uint8_t> archive = rawArchive({});
        std::vector<uint8_t> tail = noise(32 + random() % 400, round);
        if (round % 2 == 0) {
            tail[2] = 0x74;  // a file header...
            tail[5] = 40;    // ... of a plausible size
            tail[6] = 0;
        }
        archive.insert(archive.end(), tail.begin(), tail.end());
        Extracted got = extract(archive, "x", "quillo");
        EXPECT_TRUE(!got.ok && got.nullOnFailure);
    }
}

// Corrupt single bytes of a real archive: the result is either right or a
// clean failure, never wrong bytes reported as success.
TEST(HostileInput, FlippedBytesNeverGiveWrongContent) {
    std::vector<uint8_t> content = sampleText(2000, 4);
    std::vector<uint8_t> archive = pack({{"x", content}}, withPassword("quillo"));
    for (size_t i = 0; i < archive.size(); i += 3) {
        std::vector<uint8_t> damaged = archive;
        damaged[i] ^= 0x41;
        Extracted got = extract(damaged, "x", "quillo");
        if (got.ok) {
            EXPECT_EQ(got.bytes, content) << i;
        } else {
            EXPECT_TRUE(got.nullOnFailure) << i;
        }
    }
}

// An archive that shrinks while it is mapped reads zeros past its new end
// instead of ending the process; a FIFO is refused at once, not waited on.
TEST(HostileFiles, AShrinkingArchiveReadsZerosAndAFifoIsRefused) {
    const std::string path = ::testing::TempDir() + "shrinking.rar";
    const long page = sysconf(_SC_PAGESIZE);
    std::vector<uint8_t> bytes(std::size_t(page) * 3, 0x5a);
    FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
    MappedFile mapped;
    ASSERT_TRUE(mapped.open(path));
    ASSERT_EQ(truncate(path.c_str(), page), 0);
    const std::span<const uint8_t> view = mapped.bytes();
    EXPECT_EQ(view[0], 0x5a);
    EXPECT_EQ(view[view.size() - 1], 0);  // past the new end
    mapped.close();
    std::remove(path.c_str());

    const std::string fifo = ::testing::TempDir() + "archive.fifo";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_FALSE(mapped.open(fifo));
    std::remove(fifo.c_str());
}

}  // namespace
