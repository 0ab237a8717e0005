// vellacor-tool run as a program: exit codes, messages and files.
#include <cstdlib>
#include <filesystem>

#include "ToolRunner.h"
#include "archive/SenderRecord.h"

namespace vx::test {
namespace {

namespace fs = std::filesystem;

class ToolTest : public TempDirTest {
  protected:
    void SetUp() override {
        TempDirTest::SetUp();
        viewer_ = WriteFile("viewer", "#!/bin/sh\nexit 0\n");
        gedcom_ = WriteFile("tree.ged", "0 HEAD\r\n1 CHAR ANSEL\r\n0 @I1@ INDI\r\n0 TRLR\r\n");
    }

    // Runs the tool in the test's folder.
    ToolRun Run(const std::vector<std::string>& args) {
        return RunToolIn(dir_, VELLACOR_TOOL, args);
    }

    // One line on stderr that mentions `text`, and exit code `code`.
    void ExpectError(const ToolRun& run, int code, const std::string& text) {
        EXPECT_EQ(run.Exit, code) << run.Err;
        EXPECT_NE(run.Err.find(text), std::string::npos) << run.Err;
        EXPECT_EQ(std::count(run.Err.begin(), run.Err.end(), '\n'), 1) << run.Err;
    }

    ToolRun Pack(std::vector<std::string> extra) {
        std::vector<std::string> args = {"pack",          gedcom_,    "-o",
                                         Path("program"), "--viewer", viewer_};
        args.insert(args.end(), extra.begin(), extra.end());
        return Run(args);
    }

    std::string viewer_;
    std::string gedcom_;
};

TEST_F(ToolTest, EveryCommandHasHelp) {
    for (const char* command : {"pack", "info", "extract"}) {
        const ToolRun run = Run({command, "--help"});
        EXPECT_EQ(run.Exit, 0) << command;
        EXPECT_EQ(run.Out.rfind(std::string("Usage: vellacor-tool ") + command, 0), 0u) << run.Out;
    }
    EXPECT_EQ(Run({"--help"}).Exit, 0);
}

TEST_F(ToolTest, CommandLinesThatDoNotFitExitWithTwo) {
    EXPECT_EQ(Run({}).Exit, 2);
    ExpectError(Run({"unpack"}), 2, "unknown command unpack");
    ExpectError(Run({"pack", gedcom_}), 2, "missing -o OUTPUT");
    ExpectError(Run({"pack", gedcom_, "-o"}), 2, "needs a value");
    ExpectError(Run({"pack", gedcom_, "-o", "x", "--colour", "red"}), 2, "unknown option --colour");
    ExpectError(Run({"info"}), 2, "missing PROGRAM");
    ExpectError(Run({"info", "a", "b"}), 2, "unexpected argument b");
    ExpectError(Pack({"--start", "first"}), 2, "--start");
    ExpectError(Pack({"--message", "a", "--message-file", "b"}), 2, "not both");
    EXPECT_FALSE(fs::exists(Path("program")));
}

TEST_F(ToolTest, PackInfoExtractRoundTrip) {
    const std::string message = WriteFile("message.txt", "Dear cousin,\nhere is our tree.\n");
    const ToolRun pack =
        Pack({"--title", "Les Dupré", "--name", "Ann Smith", "--email", "ann@example.org",
              "--message-file", message, "--start", "12", "--allow-extract"});
    ASSERT_EQ(pack.Exit, 0) << pack.Err;
    EXPECT_TRUE(fs::status(Path("program")).permissions() == fs::perms(0755));

    const ToolRun info = Run({"info", Path("program")});
    EXPECT_EQ(info.Exit, 0) << info.Err;
    for (const char* line :
         {"Title:            Les Dupré\n", "Sender:           Ann Smith\n",
          "Message:          Dear cousin,\n                  here is our tree.\n",
          "Start individual: 12\n", "Allow extract:    yes\n", "File name:        tree.ged\n",
          "Block count:      1\n"})
        EXPECT_NE(info.Out.find(line), std::string::npos) << line << info.Out;

    const ToolRun extract = Run({"extract", Path("program"), "-o", Path("copy.ged")});
    EXPECT_EQ(extract.Exit, 0) << extract.Err;
    EXPECT_EQ(ReadFile(Path("copy.ged")), ReadFile(gedcom_));
    EXPECT_FALSE(fs::exists(Path("copy.ged.part")));
}

TEST_F(ToolTest, RefusalsExitWithOne) {
    ExpectError(Pack({"--title", std::string(32, 'x')}), 1, "--title is 32 bytes");
    ExpectError(Pack({"--name", "\xE4\xB8\xAD"}), 1, "Windows-1252");
    ExpectError(Pack({"--phone", "\xFF"}), 1, "--phone");
    ExpectError(Run({"pack", Path("none.ged"), "-o", Path("program"), "--viewer", viewer_}), 1,
                "cannot open the GEDCOM file");
    ExpectError(Run({"info", viewer_}), 1, "carries no GEDCOM");
    ExpectError(Run({"extract", viewer_}), 1, "carries no GEDCOM");
    ExpectError(Run({"info", Path("missing")}), 1, "cannot open");
    EXPECT_FALSE(fs::exists(Path("program")));

    ASSERT_EQ(Pack({}).Exit, 0);
    ExpectError(Run({"extract", Path("program"), "-o", Path("copy.ged")}), 1,
                "did not allow extracting");
    EXPECT_FALSE(fs::exists(Path("copy.ged")));
    EXPECT_EQ(Run({"extract", Path("program"), "-o", Path("copy.ged"), "--force"}).Exit, 0);
    EXPECT_EQ(ReadFile(Path("copy.ged")), ReadFile(gedcom_));
}

TEST_F(ToolTest, ExtractWithoutOutputUsesOnlyAPlainStoredName) {
    ASSERT_EQ(Pack({"--allow-extract", "--file-name", "../outside.ged"}).Exit, 0);
    const ToolRun run = Run({"extract", "program"});
    EXPECT_EQ(run.Exit, 0) << run.Err;
    EXPECT_EQ(ReadFile(Path("outside.ged")), ReadFile(gedcom_));
    EXPECT_FALSE(fs::exists(fs::path(dir_).parent_path() / "outside.ged"));
    // An existing file is never replaced without -o.
    ExpectError(Run({"extract", "program"}), 1, "exists already");
}

TEST_F(ToolTest, DamagedProgramIsOneLineAndExitOne) {
    ASSERT_EQ(Pack({"--allow-extract"}).Exit, 0);
    std::string program = ReadFile(Path("program"));
    const size_t archive = program.find("QTRXDATA");
    ASSERT_NE(archive, std::string::npos);
    program[archive + 4 + 20 + 2] ^= 0x55;  // a coded byte of block 1
    WriteFile("damaged", program);
    const ToolRun run = Run({"extract", "damaged", "-o", "out.ged"});
    EXPECT_EQ(run.Exit, 1);
    EXPECT_EQ(std::count(run.Err.begin(), run.Err.end(), '\n'), 1) << run.Err;
    EXPECT_NE(run.Err.find("Block 1"), std::string::npos) << run.Err;
}

}  // namespace
}  // namespace vx::test
