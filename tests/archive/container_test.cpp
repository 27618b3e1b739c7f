// Finding and checking entries: markers, the block scan, name matching,
// header and content checksums, versions, and the debug log's messages.
#include <gtest/gtest.h>

#include <filesystem>

#include "archive/archive_extraction.h"
#include "archive/crc32.h"
#include "archive/crc32_folding.h"
#include "archive/name_match.h"
#include "archive/secret_text.h"
#include "archive_test_support.h"
#include "raw_archive.h"

namespace {

const char* kFailureLine = "Error - couldn't extract >";

TEST(NameMatch, SeparatorsAndLetterCaseDoNotMatter) {
    EXPECT_TRUE(namesMatch("textures\\Logo.PNG", "textures/logo.png"));
    EXPECT_TRUE(namesMatch("textures/logo.png", "TEXTURES_LOGO.png"));
    EXPECT_TRUE(namesMatch("a_b", "a\\b"));
    EXPECT_FALSE(namesMatch("logo.png", "logo.pn"));
    EXPECT_FALSE(namesMatch("\xe9t\xe9", "\xc9T\xc9"));  // only ASCII letters fold
}

TEST(Container, FindsEntriesByAnySpellingOfTheirName) {
    std::vector<uint8_t> archive = rawArchive({rawEntry("Scenes\\Ship.y3d", bytesOf("ship"))});
    for (const char* asked : {"scenes/ship.y3d", "SCENES_SHIP.Y3D", "Scenes\\Ship.y3d"}) {
        Extracted got = extract(archive, asked);
        ASSERT_TRUE(got.ok) << asked;
        EXPECT_EQ(got.bytes, bytesOf("ship"));
    }
}

TEST(Container, TheFirstOfTwoEqualNamesWins) {
    std::vector<uint8_t> archive =
        rawArchive({rawEntry("a.txt", bytesOf("first")), rawEntry("A.TXT", bytesOf("second"))});
    EXPECT_EQ(extract(archive, "a.txt").bytes, bytesOf("first"));
}

TEST(Container, TessalMarkerIsAcceptedLikeTheRarMarker) {
    std::vector<uint8_t> archive = rawArchive({rawEntry("x", bytesOf("data"))}, false, "Tessal!");
    EXPECT_TRUE(extract(archive, "x").ok);
}

TEST(Container, RejectedMarkersSayWhy) {
    struct Case {
        std::string marker;
        const char* message;
    } cases[] = {{"RE~^abc", "Attention: format as OLD detected! Can't handel archive!"},
                 {"PK\x03\x04xyz",
                  "unknown archive type (only plain RAR supported (normal and "
                  "solid archives), SFX and Volumes are NOT supported!)"}};
    for (const Case& c : cases) {
        ScratchLog log;
        Extracted got = extract(rawArchive({rawEntry("x", bytesOf("d"))}, false, c.marker), "x",
                                nullptr, log.log());
        EXPECT_FALSE(got.ok);
        EXPECT_TRUE(got.nullOnFailure);
        EXPECT_TRUE(log.contains(c.message)) << log.text();
        EXPECT_TRUE(log.contains("Not a RAR file"));
    }
}

TEST(Container, MarkerAndMainHeaderAloneFailWithOnlyTheFailureLine) {
    ScratchLog log;
    Extracted got = extract(rawArchive({}), "x", nullptr, log.log());
    EXPECT_FALSE(got.ok);
    std::string text = log.text();
    EXPECT_NE(text.find(kFailureLine), std::string::npos);
    EXPECT_NE(text.find("and allocated 0 Bytes of unused memory!"), std::string::npos);
    EXPECT_EQ(text.find("Not a RAR"), std::string::npos);
    EXPECT_EQ(text.find("CRC32"), std::string::npos);
}

TEST(Container, BrokenHeaderCrcIsLoggedButDoesNotStopExtraction) {
    RawEntry e = rawEntry("x", bytesOf("content"));
    e.breakHeaderCrc = true;
    ScratchLog log;
    Extracted got = extract(rawArchive({e}), "x", nullptr, log.log());
    EXPECT_TRUE(got.ok);
    EXPECT_TRUE(log.contains("file header broken"));
    EXPECT_TRUE(log.contains("Extracted 7 Bytes."));
}

TEST(Container, SubBlockBeforeTheEntryFailsAndOtherBlocksAreSkipped) {
    RawEntry comment = rawEntry("comment", bytesOf("ignored"));
    comment.type = 0x75;
    RawEntry sub = rawEntry("sub", bytesOf("?"));
    sub.type = 0x77;
    RawEntry wanted = rawEntry("x", bytesOf("data"));
    EXPECT_TRUE(extract(rawArchive({comment, wanted}), "x").ok);
    ScratchLog log;
    EXPECT_FALSE(extract(rawArchive({comment, sub, wanted}), "x", nullptr, log.log()).ok);
    EXPECT_TRUE(log.contains("Sorry, sub-headers not supported."));
}

TEST(Container, VersionsOutside13To20AreRefusedOnlyWhenDecoded) {
    RawEntry future = rawEntry("future", bytesOf("new"));
    future.requiredVersion = 29;
    RawEntry wanted = rawEntry("x", bytesOf("data"));
    std::vector<uint8_t> plain = rawArchive({future, wanted});
    EXPECT_TRUE(extract(plain, "x").ok);  // skipped unread in a normal archive
    ScratchLog log;
    EXPECT_FALSE(extract(plain, "future", nullptr, log.log()).ok);
    EXPECT_TRUE(log.contains("unknown compression method"));
    EXPECT_FALSE(extract(rawArchive({future, wanted}, true), "x").ok);  // solid: all decoded
}

TEST(Container, ContentCrcMismatchFails) {
    RawEntry e = rawEntry("x", bytesOf("content"));
    e.contentCrc ^= 1;
    ScratchLog log;
    Extracted got = extract(rawArchive({e}), "x", nullptr, log.log());
    EXPECT_FALSE(got.ok);
    EXPECT_TRUE(got.nullOnFailure);
    EXPECT_TRUE(log.contains("CRC32 error - file couldn't be decompressed correctly!"));
}

// Optional header fields (here eight bytes of times) lie between the name
// and the data area; the data start where the header says it ends.
TEST(Container, DataAreaStartsAfterTheWholeHeader) {
    RawEntry e = rawEntry("x", bytesOf("payload"));
    e.extraHeader = {1, 2, 3, 4, 5, 6, 7, 8};
    e.flags = 0x1000;
    Extracted got = extract(rawArchive({e}), "x");
    ASSERT_TRUE(got.ok);
    EXPECT_EQ(got.bytes, bytesOf("payload"));
}

TEST(Container, SolidContinuationNeedsTheEntriesBeforeIt) {
    PackOptions options;
    options.solid = true;
    options.password.clear();
    std::vector<uint8_t> text = sampleText(4000, 9);
    std::vector<uint8_t> archive = pack({{"one", text}, {"two", text}}, options);
    EXPECT_TRUE(extract(archive, "two").ok);
    archive[7 + 3] &= ~0x08;  // the same bytes, read as a normal archive
    EXPECT_FALSE(extract(archive, "two").ok);
}

TEST(Container, PasswordCopyIsWipedAfterTheCall) {
    DebugLog silent("/nonexistent-directory/log.txt");
    ArchiveExtraction extraction(silent);
    extraction.begin("x", "archive", "quillo");
    EXPECT_FALSE(extraction.password().isWiped());
    std::vector<uint8_t> archive = pack({{"x", bytesOf("secret")}}, withPassword("quillo"));
    EXPECT_TRUE(extraction.scan(archive));
    extraction.finish();
    EXPECT_TRUE(extraction.password().isWiped());
}

TEST(SecretText, KeepsAtMost255CharactersAndWipesThemAll) {
    SecretText secret;
    std::string longer(300, 'p');
    secret.assign(longer.c_str());
    EXPECT_EQ(std::string(secret.c_str()), longer.substr(0, 255));
    secret.wipe();
    EXPECT_TRUE(secret.isWiped());
    secret.assign(nullptr);
    EXPECT_TRUE(secret.empty());
}

TEST(DebugLog, NothingIsWrittenWhenTheDirectoryIsMissing) {
    std::string path = "/tmp/tessal-no-such-dir-for-test/debug_archive.txt";
    DebugLog log(path);
    log.start();
    log.write("message");
    EXPECT_FALSE(log.isOn());
    EXPECT_FALSE(std::filesystem::exists("/tmp/tessal-no-such-dir-for-test"));
}

TEST(DebugLog, TitleThenOneEntryPerMessage) {
    ScratchLog scratch;
    scratch.log().start();
    scratch.log().write("first message");
    std::string text = scratch.text();
    EXPECT_NE(text.find("\n~^" + std::string(28, '~') + "^~\n"), std::string::npos);
    EXPECT_NE(text.find("(executable compiled on "), std::string::npos);
    EXPECT_NE(text.find(" ms (line "), std::string::npos);
    EXPECT_NE(text.find("):\n              - first message\n"), std::string::npos);
}

TEST(DebugLog, ExtractionLogsRequestAndResult) {
    ScratchLog log;
    std::vector<uint8_t> archive = pack({{"x", bytesOf("12345")}}, withPassword("pw"));
    EXPECT_TRUE(extract(archive, "x", "pw", log.log()).ok);
    EXPECT_TRUE(log.contains("Extracting >x< from >(memory)< (password is >pw<)..."));
    EXPECT_TRUE(log.contains("Extracted 5 Bytes."));
}

TEST(Crc32, MatchesTheStandardCheckValueAndLeavesEmptyInputAlone) {
    const std::string check = "123456789";
    EXPECT_EQ(crc32Of(reinterpret_cast<const uint8_t*>(check.data()), check.size()), 0xCBF43926u);
    CrcTable table;
    EXPECT_EQ(table.crc32(0xFFFFFFFFu, nullptr, 0), 0xFFFFFFFFu);
    std::vector<uint8_t> data = noise(1001);
    uint32_t whole = table.crc32(0xFFFFFFFFu, data.data(), data.size());
    uint32_t parts = table.crc32(table.crc32(0xFFFFFFFFu, data.data(), 13), data.data() + 13, 988);
    EXPECT_EQ(whole, parts);
}

// Every length, misalignment and running value the fold meets: whole
// 64-byte rounds, 16-byte steps after them and a tail of 0 to 15 bytes.
TEST(Crc32, FoldingGivesTheTableResults) {
    if (!canFoldCrc()) GTEST_SKIP() << "no carry-less multiplication on this processor";
    CrcTable table;
    std::vector<uint8_t> data = noise(5000, 3);
    for (size_t length = 64; length < 600; length += 7) {
        for (size_t offset : {0, 1, 13}) {
            for (uint32_t start : {0xFFFFFFFFu, 0u, 0x1234ABCDu}) {
                const uint8_t* bytes = data.data() + offset;
                ASSERT_EQ(crc32Folded(start, bytes, length, table),
                          table.crc32ByTable(start, bytes, length))
                    << length << " " << offset << " " << start;
            }
        }
    }
    EXPECT_EQ(table.crc32(0xFFFFFFFFu, data.data(), data.size()),
              table.crc32ByTable(0xFFFFFFFFu, data.data(), data.size()));
}

}  // namespace
