// tessal-pack as a user runs it: pack a directory, list it, read members
// back, and get one clear line and a non-zero status for bad input.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "archive_test_support.h"

namespace fs = std::filesystem;

namespace {

struct ToolRun {
    int status;
    std::string out;
    std::string err;
};

std::string slurp(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

class PackTool : public ::testing::Test {
  protected:
    void SetUp() override {
        tool_ = fs::path(TESSAL_BINARY_DIR) / "tools" / "tessal-pack";
        if (!fs::exists(tool_)) GTEST_SKIP() << "tessal-pack is not built";
        fs::create_directories(scratch_.directory() + "/data/scenes");
        write("data/script.lua", bytesOf("layer(0, \"logo.png\")\n"));
        write("data/scenes/Ship.y3d", sampleText(20000));
        write("data/music.wav", pcmWave(5000, 2, 16));
        write("data/empty.txt", {});
    }

    void write(const std::string& name, const std::vector<uint8_t>& bytes) {
        std::ofstream file(scratch_.directory() + "/" + name, std::ios::binary);
        file.write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    }

    ToolRun run(const std::string& arguments) {
        std::string dir = scratch_.directory();
        std::string command =
            tool_.string() + " " + arguments + " >" + dir + "/out 2>" + dir + "/err </dev/null";
        int status = std::system(command.c_str());
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, slurp(dir + "/out"),
                slurp(dir + "/err")};
    }

    std::string path(const std::string& name) { return scratch_.directory() + "/" + name; }

    fs::path tool_;
    ScratchLog scratch_;
};

TEST_F(PackTool, PackListAndCatEveryMode) {
    for (std::string flags : {"", "--solid", "--store", "--no-password --solid"}) {
        ToolRun packed = run("pack " + flags + " " + path("data.rar") + " " + path("data"));
        ASSERT_EQ(packed.status, 0) << flags << packed.err;
        ToolRun listed = run("list " + path("data.rar"));
        ASSERT_EQ(listed.status, 0);
        EXPECT_NE(listed.out.find("scenes/Ship.y3d"), std::string::npos);
        EXPECT_NE(listed.out.find(flags.find("no-password") == std::string::npos ? "yes" : " no"),
                  std::string::npos);
        for (const char* member : {"script.lua", "scenes/Ship.y3d", "music.wav", "empty.txt"}) {
            ToolRun cat = run("cat " + path("data.rar") + " " + member);
            EXPECT_EQ(cat.status, 0) << member << cat.err;
            EXPECT_EQ(cat.out, slurp(path(std::string("data/") + member))) << member << flags;
        }
    }
}

TEST_F(PackTool, CatFindsMembersAsThePlayerAsksForThem) {
    ASSERT_EQ(run("pack " + path("data.rar") + " " + path("data")).status, 0);
    ToolRun cat = run("cat " + path("data.rar") + " 'SCENES\\ship.y3d'");
    EXPECT_EQ(cat.status, 0);
    EXPECT_EQ(cat.out, slurp(path("data/scenes/Ship.y3d")));
}

TEST_F(PackTool, FailuresSayWhatWentWrongInOneLine) {
    ASSERT_EQ(run("pack --password secret " + path("data.rar") + " " + path("data")).status, 0);
    struct Case {
        std::string arguments;
        int status;
    } cases[] = {{"cat " + path("data.rar") + " nothing.txt", 1},
                 {"cat " + path("data.rar") + " script.lua", 1},  // password is not quillo
                 {"cat " + path("missing.rar") + " script.lua", 1},
                 {"list " + path("data/script.lua"), 1},
                 {"pack " + path("x.rar") + " " + path("no-such-dir"), 1},
                 {"frobnicate", 2},
                 {"pack --fast x.rar dir", 2},
                 {"cat only-one-argument", 2}};
    for (const Case& c : cases) {
        ToolRun r = run(c.arguments);
        EXPECT_EQ(r.status, c.status) << c.arguments;
        EXPECT_TRUE(r.out.empty()) << c.arguments;
        ASSERT_FALSE(r.err.empty()) << c.arguments;
        EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << c.arguments << ": " << r.err;
    }
    EXPECT_EQ(run("cat --password secret " + path("data.rar") + " script.lua").status, 0);
}

TEST_F(PackTool, HelpDescribesTheCommands) {
    ToolRun help = run("--help");
    EXPECT_EQ(help.status, 0);
    for (const char* word : {"pack", "list", "cat", "--solid", "--store", "--no-password"}) {
        EXPECT_NE(help.out.find(word), std::string::npos) << word;
    }
}

}  // namespace
