#include "app/check/archive_usage.h"

#include <gtest/gtest.h>

namespace {

ArchiveListing listingOf(std::initializer_list<const char*> names) {
    ArchiveListing listing;
    listing.ok = true;
    for (const char* name : names) listing.entries.push_back(ListedEntry{name});
    return listing;
}

TEST(ArchiveUsage, ReadsMatchMembersAsThePlayerLooksThemUp) {
    ArchiveUsage usage(listingOf({"script.lua", "tex/a_b.png", "setup.png", "spare.png"}));
    EXPECT_FALSE(usage.read("script.lua", true));
    EXPECT_FALSE(usage.read("TEX\\A/B.PNG", true));
    const std::optional<Problem> missing = usage.read("gone.png", false);
    ASSERT_TRUE(missing);
    EXPECT_EQ(missing->kind, ProblemKind::missingMember);
    const std::optional<Problem> damaged = usage.read("Spare.png", false);
    ASSERT_TRUE(damaged);
    EXPECT_EQ(damaged->kind, ProblemKind::damagedMember);
    // spare.png was asked for: it is damaged, not unused; setup.png belongs
    // to the setup dialog.
    EXPECT_TRUE(usage.unusedMembers().empty());
}

TEST(ArchiveUsage, MembersNeverReadInArchiveOrder) {
    ArchiveUsage usage(listingOf({"b.png", "script.lua", "a.png"}));
    usage.read("script.lua", true);
    const std::vector<Problem> unused = usage.unusedMembers();
    ASSERT_EQ(unused.size(), 2u);
    EXPECT_EQ(unused[0].name, "b.png");
    EXPECT_EQ(unused[1].name, "a.png");
}

}  // namespace
