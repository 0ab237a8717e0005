// Packing in the self-contained form (the default) and starting such files:
// the trailer and archive still read back with info and extract, the
// viewer loads from a fresh cache and again from the kept one, and a
// damaged runtime inside the file ends in a message, not a start.
#include <sys/stat.h>

#include <filesystem>

#include "TestSupport.h"
#include "ToolRunner.h"
#include "app/TextUtil.h"

namespace vx::test {
namespace {

namespace fs = std::filesystem;

class SelfContainedPackTest : public TempDirTest {
  protected:
    void SetUp() override {
        TempDirTest::SetUp();
        gedcom_ = std::string(VELLACOR_TEST_DATA) + "/gedcom/djeffrey_kennedy_easytree_v501.ged";
        ::setenv("XDG_CACHE_HOME", Path("cache").c_str(), 1);
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
        ::setenv("VELLACOR_PRINT_LOADED", "1", 1);
    }
    void TearDown() override {
        ::unsetenv("XDG_CACHE_HOME");
        ::unsetenv("VELLACOR_PRINT_LOADED");
        TempDirTest::TearDown();
    }
    ToolRun Tool(const std::vector<std::string>& args) {
        return RunToolIn(dir_, VELLACOR_TOOL, args);
    }
    ToolRun Start(const std::string& program) { return RunToolIn(dir_, program, {}); }

    std::string gedcom_;
};

TEST_F(SelfContainedPackTest, PackedByDefaultAndReadBackByInfoAndExtract) {
    const ToolRun packed = Tool({"pack", gedcom_, "-o", Path("family"), "--allow-extract"});
    ASSERT_EQ(packed.Exit, 0) << packed.Err;
    const std::string image = ReadFile(VELLACOR_STANDALONE);
    const std::string family = ReadFile(Path("family"));
    ASSERT_GT(family.size(), image.size());
    EXPECT_EQ(family.compare(0, image.size(), image), 0) << "the file starts with the runtime";

    const ToolRun info = Tool({"info", Path("family")});
    EXPECT_EQ(info.Exit, 0) << info.Err;
    EXPECT_NE(info.Out.find(FormatThousands(static_cast<int64_t>(image.size()))), std::string::npos)
        << "the archive starts after the runtime:\n"
        << info.Out;
    const ToolRun extracted = Tool({"extract", Path("family"), "-o", Path("back.ged")});
    ASSERT_EQ(extracted.Exit, 0) << extracted.Err;
    EXPECT_EQ(ReadFile(Path("back.ged")), ReadFile(gedcom_));

    const ToolRun help = Tool({"pack", "--help"});
    EXPECT_NE(help.Out.find("By default OUTPUT is self-contained"), std::string::npos);
    EXPECT_NE(help.Out.find("the plain form"), std::string::npos);
}

TEST_F(SelfContainedPackTest, StartsFromAFreshCacheAndFromTheKeptOne) {
    ASSERT_EQ(Tool({"pack", gedcom_, "-o", Path("family")}).Exit, 0);
    const std::string expected = "loaded: I: 69  F: 19  N: 0  S: 11";
    for (const char* when : {"first", "later"}) {
        const ToolRun run = Start(Path("family"));
        EXPECT_EQ(run.Exit, 0) << when << ": " << run.Err;
        EXPECT_NE(run.Out.find(expected), std::string::npos) << when << ": " << run.Out;
    }
    struct stat info {};
    ASSERT_EQ(::stat(Path("cache/vellacor").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    int entries = 0;
    for (const auto& item : fs::directory_iterator(Path("cache/vellacor")))
        entries += item.path().filename().string().rfind("runtime-", 0) == 0;
    EXPECT_EQ(entries, 1);
}

TEST_F(SelfContainedPackTest, ADamagedRuntimeInTheFileIsReportedNotStarted) {
    ASSERT_EQ(Tool({"pack", gedcom_, "-o", Path("family")}).Exit, 0);
    const std::string image = ReadFile(VELLACOR_STANDALONE);
    std::string family = ReadFile(Path("family"));
    family[image.size() - 1000] ^= 0x5A;  // inside the compressed runtime
    WriteFile("damaged", family);
    fs::permissions(Path("damaged"), fs::perms::owner_all);
    ToolRun run = Start(Path("damaged"));
    EXPECT_EQ(run.Exit, 1);
    EXPECT_NE(run.Err.find("is damaged"), std::string::npos) << run.Err;
    EXPECT_EQ(run.Out.find("loaded:"), std::string::npos);

    // Cut inside the runtime: the stub no longer finds all of it.
    WriteFile("cut", family.substr(0, image.size() / 2));
    fs::permissions(Path("cut"), fs::perms::owner_all);
    run = Start(Path("cut"));
    EXPECT_EQ(run.Exit, 1);
    EXPECT_NE(run.Err.find("carries no viewer runtime, or it is damaged"), std::string::npos)
        << run.Err;
    EXPECT_FALSE(fs::exists(Path("cache/vellacor/runtime-")));
}

}  // namespace
}  // namespace vx::test
