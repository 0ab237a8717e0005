// vellacor-tool run as a program: exit codes, messages and files.
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>

#include "ToolRunner.h"
#include "archive/SenderRecord.h"
#include "archive/ViewerMark.h"

namespace vx::test {
namespace {

namespace fs = std::filesystem;

class ToolTest : public TempDirTest {
  protected:
    void SetUp() override {
        TempDirTest::SetUp();
        viewer_ = WriteFile("viewer", "#!/bin/sh\nexit 0\n# " + ViewerMark() + "\n");
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

TEST_F(ToolTest, ExtractedFileNameIsUtf8) {
    ASSERT_EQ(Pack({"--allow-extract", "--file-name", "M\xC3\xBCller.ged"}).Exit, 0);
    const ToolRun run = Run({"extract", "program"});
    EXPECT_EQ(run.Exit, 0) << run.Err;
    EXPECT_EQ(ReadFile(Path("M\xC3\xBCller.ged")), ReadFile(gedcom_));
    EXPECT_FALSE(fs::exists(Path("M\xFCller.ged")));
}

TEST_F(ToolTest, PackAndExtractNeverClobberAnything) {
    // An input named like the old work file of the output.
    const std::string part = WriteFile("fam.ged.part", ReadFile(gedcom_));
    ASSERT_EQ(Run({"pack", part, "-o", Path("fam.ged"), "--viewer", viewer_}).Exit, 0);
    EXPECT_EQ(ReadFile(part), ReadFile(gedcom_));
    EXPECT_EQ(Run({"info", Path("fam.ged")}).Exit, 0);

    ASSERT_EQ(Pack({"--allow-extract"}).Exit, 0);
    const std::string program = ReadFile(Path("program"));
    ExpectError(Run({"extract", Path("program"), "-o", Path("program")}), 1,
                "is the program itself");
    ExpectError(Run({"pack", gedcom_, "-o", gedcom_, "--viewer", viewer_}), 1,
                "would replace an input");
    EXPECT_EQ(ReadFile(Path("program")), program);

    fs::create_directory(Path("folder"));
    ASSERT_EQ(::mkfifo(Path("fifo").c_str(), 0600), 0);
    for (const char* name : {"folder", "fifo"}) {
        ExpectError(Run({"extract", Path("program"), "-o", Path(name)}), 1,
                    "is not a regular file");
        ExpectError(Run({"pack", gedcom_, "-o", Path(name), "--viewer", viewer_}), 1,
                    "is not a regular file");
    }
    EXPECT_TRUE(fs::is_fifo(Path("fifo")));

    // A character device is written into and stays a device.
    EXPECT_EQ(Run({"extract", Path("program"), "-o", "/dev/null"}).Exit, 0);
    EXPECT_EQ(Run({"pack", gedcom_, "-o", "/dev/null", "--viewer", viewer_}).Exit, 0);
    EXPECT_TRUE(fs::is_character_file("/dev/null"));

    // An older file of the output's name is replaced only by a whole one;
    // no work file is left in the folder.
    WriteFile("copy.ged", "older");
    WriteFile("copy.ged.part", "unrelated");
    EXPECT_EQ(Run({"extract", Path("program"), "-o", Path("copy.ged")}).Exit, 0);
    EXPECT_EQ(ReadFile(Path("copy.ged")), ReadFile(gedcom_));
    EXPECT_EQ(ReadFile(Path("copy.ged.part")), "unrelated");
    for (const auto& entry : fs::directory_iterator(dir_))
        EXPECT_NE(entry.path().filename().string().front(), '.') << entry.path();
}

TEST_F(ToolTest, PackRefusesAViewerThatIsNone) {
    for (const std::string& viewer :
         {std::string("/bin/true"), gedcom_, std::string(VELLACOR_TOOL)})
        ExpectError(Run({"pack", gedcom_, "-o", Path("program"), "--viewer", viewer}), 1,
                    "is not the Vellacor viewer");
    EXPECT_FALSE(fs::exists(Path("program")));
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
