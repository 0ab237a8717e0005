// vellacor-tool pack --living on a real family file (the Kennedy family, in
// which many are born after 1916): what the packed file still tells of a
// person who may be living, read back through extract and dump.
#include "ToolRunner.h"
#include "archive/ViewerMark.h"

namespace vx::test {
namespace {

const std::string kKennedy =
    std::string(VELLACOR_TEST_DATA) + "/gedcom/djeffrey_kennedy_easytree_v501.ged";
// Anthony Paul Shriver, born 1965: private. His father, born 1915, is past
// the 110 years and keeps everything; his mother, born 1921, is private.
const std::string kLivingChild = "14";

class PackPrivacyTest : public TempDirTest {
  protected:
    void SetUp() override {
        TempDirTest::SetUp();
        viewer_ = WriteFile("viewer", "viewer image " + ViewerMark());
    }
    ToolRun Run(const std::vector<std::string>& args) {
        return RunToolIn(dir_, VELLACOR_TOOL, args);
    }
    // Packs the file with `mode`, extracts it again and returns the path.
    std::string PackedAndExtracted(const std::string& mode, ToolRun& pack) {
        const std::string program = Path(mode + ".program");
        pack = Run({"pack", kKennedy, "-o", program, "--viewer", viewer_, "--living", mode,
                    "--allow-extract"});
        const std::string extracted = Path(mode + ".ged");
        const ToolRun extract = Run({"extract", program, "-o", extracted});
        EXPECT_EQ(extract.Exit, 0) << extract.Err;
        return extracted;
    }
    std::string Dump(const std::string& gedcom, const std::string& individual) {
        const ToolRun dump = Run({"dump", gedcom, "individual", individual});
        EXPECT_EQ(dump.Exit, 0) << dump.Err;
        return dump.Out;
    }
    std::string viewer_;
};

TEST_F(PackPrivacyTest, APrivatePersonKeepsOnlyNameSexAndLinks) {
    const std::string original = Dump(kKennedy, kLivingChild);
    ASSERT_NE(original.find("Birth: 20 Jul 1965, Boston, MA\r\n"), std::string::npos) << original;

    ToolRun pack;
    const std::string nameOnly = PackedAndExtracted("name-only", pack);
    ASSERT_EQ(pack.Exit, 0) << pack.Err;
    EXPECT_NE(pack.Out.find(" of 69 individuals were made private (name-only)"), std::string::npos)
        << pack.Out;
    const std::string father =
        "Father: 9 Nov 1915, Robert Sargent /SHRIVER/ [7], (b. 9 Nov 1915, Westminster, MD), "
        "(d. , ), 1972 was the vice presidential candidate.\r\n";
    ASSERT_NE(original.find(father), std::string::npos) << original;
    EXPECT_EQ(Dump(nameOnly, kLivingChild),
              "REF/AFN/Custom: 14 /  / \r\n"
              "Name: Anthony Paul /SHRIVER/\r\n"
              "Sex: Male\r\n"
              "Modify Date: \r\n"
              "Birth: \r\n"
              "Christening: \r\n"
              "Death: \r\n"
              "Burial: \r\n" +
                  father +  // dead: unchanged, note included
                  "Mother: Eunice Mary /KENNEDY/ [8], (b. , ), (d. , )\r\n");

    // hide: the given names too; the surname and the links stay.
    const std::string hidden = PackedAndExtracted("hide", pack);
    ASSERT_EQ(pack.Exit, 0) << pack.Err;
    const std::string hiddenDump = Dump(hidden, kLivingChild);
    EXPECT_NE(hiddenDump.find("Name: Living /SHRIVER/\r\nSex: Male\r\n"), std::string::npos)
        << hiddenDump;
    EXPECT_NE(hiddenDump.find("Mother: Living /KENNEDY/ [8]"), std::string::npos) << hiddenDump;

    // keep (the tool's default): the person as written.
    const std::string kept = PackedAndExtracted("keep", pack);
    ASSERT_EQ(pack.Exit, 0) << pack.Err;
    EXPECT_EQ(Dump(kept, kLivingChild), original);
}

}  // namespace
}  // namespace vx::test
