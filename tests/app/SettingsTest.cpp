#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <set>

#include "TestSupport.h"
#include "app/IniFile.h"
#include "app/Options.h"
#include "app/Settings.h"
#include "app/TextUtil.h"
#include "app/WinPos.h"

namespace vx {
namespace {

class SettingsTest : public test::TempDirTest {
  protected:
    void SetUp() override {
        TempDirTest::SetUp();
        WOptions::ResetToDefaults();
        ASSERT_TRUE(OpenSettingsFile());
    }
    void TearDown() override {
        CloseSettingsFile();
        CloseListColumnsFile();
        TempDirTest::TearDown();
    }

    // Every key=value line of the settings file as "Section/Key".
    std::set<std::string> StoredKeys() const {
        std::set<std::string> keys;
        std::vector<std::string> lines;
        Split(test::ReadFile(SettingsPath("korv.ini")), "\r\n", lines, false);
        std::string section;
        for (const std::string& line : lines) {
            if (line.front() == '[') {
                section = line.substr(1, line.size() - 2);
            } else if (line.find('=') != std::string::npos) {
                keys.insert(section + "/" + line.substr(0, line.find('=')));
            }
        }
        return keys;
    }
};

TEST_F(SettingsTest, DefaultsWithoutASettingsFile) {
    WOptions::Load();
    EXPECT_FALSE(WOptions::GetFlag(opt::kUseLDS));
    EXPECT_EQ(WOptions::GetInt(opt::kDesGenLimit), 32);
    EXPECT_EQ(WOptions::GetText(opt::kIslandColumns), "1,2,7,65,67,19,18,54,55");
    EXPECT_EQ(WOptions::GetInt(opt::kHLCol), 65535);
    EXPECT_EQ(WOptions::GetText(opt::kSendmsg), "sendmsg.txt");
    EXPECT_EQ(WOptions::GetInt(opt::kSrcCol9), 150);
    EXPECT_EQ(WOptions::NoOpt(), "T");
    EXPECT_FALSE(std::filesystem::exists(SettingsPath("korv.ini")));  // reading creates nothing
}

TEST_F(SettingsTest, TableHoldsUniqueKeysInTableOrder) {
    std::set<std::string> names;
    for (int n = 1; n <= kOptionCount; ++n) {
        const OptionDef& def = WOptions::Definition(n);
        EXPECT_TRUE(names.insert(std::string(def.section) + "/" + def.key).second) << def.key;
    }
    EXPECT_STREQ(WOptions::Definition(opt::kSrcCol1).key, "SrcCol1");
    EXPECT_STREQ(WOptions::Definition(opt::kIH25).key, "IH25");
    EXPECT_STREQ(WOptions::Definition(opt::kTMGTagSent).section, "TMG");
    EXPECT_STREQ(WOptions::Definition(138).key, "ShowSplash");
}

TEST_F(SettingsTest, SaveWritesEveryKeyAndNoOptWhateverChanged) {
    WOptions::Load();
    WOptions::SetFlag(opt::kUseLDS, true);
    WOptions::SetInt(opt::kFontSize, 10);
    WOptions::Save();
    std::set<std::string> keys = StoredKeys();
    EXPECT_EQ(keys.size(), 139u);
    EXPECT_TRUE(keys.count("Vellacor/NoOpt"));
    EXPECT_TRUE(keys.count("Help/IH25"));

    // A fresh start reads back what was saved.
    CloseSettingsFile();
    WOptions::ResetToDefaults();
    ASSERT_TRUE(OpenSettingsFile());
    WOptions::Load();
    EXPECT_TRUE(WOptions::GetFlag(opt::kUseLDS));
    EXPECT_EQ(WOptions::GetInt(opt::kFontSize), 10);
    EXPECT_EQ(WOptions::GetText(opt::kDesColumns), "65,67,19,59,60");
}

TEST_F(SettingsTest, FlagAndIntegerReadingRules) {
    WriteText("General", "UseLDS", "t");
    WriteText("General", "FontSize", "12abc");
    WriteText("General", "GridHeight", "");
    WriteText("General", "HLText", "TRUE");
    WOptions::Load();
    EXPECT_FALSE(WOptions::GetFlag(opt::kUseLDS));
    EXPECT_EQ(WOptions::GetInt(opt::kFontSize), 0);
    EXPECT_EQ(WOptions::GetInt(opt::kGridHeight), 0);
    EXPECT_FALSE(WOptions::GetFlag(opt::kHLText));
    WOptions::SetFlag(opt::kHLText, true);
    EXPECT_EQ(WOptions::GetText(opt::kHLText), "T");
    WOptions::SetInt(opt::kFontSize, -3);
    EXPECT_EQ(WOptions::GetText(opt::kFontSize), "-3");
}

TEST_F(SettingsTest, ClosedFileReadsEmptyAndIgnoresWrites) {
    CloseSettingsFile();
    EXPECT_EQ(ReadText("General", "UseLDS", "F"), "");
    EXPECT_EQ(ReadInt("General", "FontSize", 8), 0);
    WriteText("General", "X", "1");
    EXPECT_FALSE(std::filesystem::exists(SettingsPath("korv.ini")));
    // Options changed while closed stay in memory only.
    WOptions::SetInt(opt::kFontSize, 11);
    WOptions::Save();
    EXPECT_FALSE(std::filesystem::exists(SettingsPath("korv.ini")));
    EXPECT_EQ(WOptions::GetInt(opt::kFontSize), 11);
}

TEST_F(SettingsTest, IniFileKeepsForeignLinesAndMatchesWithoutCase) {
    std::string path =
        WriteFile("keep.ini", "; a comment\n[General]\nfontsize = 9\nOther=x\n\n[Mine]\nA=1\n");
    IniFile ini;
    ASSERT_TRUE(ini.Open(path));
    EXPECT_EQ(ini.ReadText("GENERAL", "FontSize", "8"), "9");
    EXPECT_EQ(ini.ReadInt("general", "missing", 42), 42);
    ini.WriteText("General", "FontSize", "10");
    ini.WriteText("General", "New", "line1\r\nline2");
    ini.WriteText("Fresh", "K", "v");
    ini.Close();
    std::string content = test::ReadFile(path);
    EXPECT_NE(content.find("; a comment"), std::string::npos);
    EXPECT_NE(content.find("Other=x"), std::string::npos);
    EXPECT_NE(content.find("FontSize=10"), std::string::npos);
    EXPECT_NE(content.find("[Mine]\r\nA=1"), std::string::npos);
    ASSERT_TRUE(ini.Open(path));
    EXPECT_EQ(ini.ReadText("General", "New", ""), "line1 line2");
    EXPECT_EQ(ini.ReadText("Fresh", "K", ""), "v");
}

// Values are UTF-8, so conditions and names in any script survive; values
// an earlier version wrote in Windows-1252 still read as they were meant.
TEST_F(SettingsTest, IniValuesAreUtf8AndOldWindows1252ValuesStillRead) {
    const std::string path = WriteFile("text.ini", "[Highlight]\nOld=+29:1M\xDCLLER\n");
    IniFile ini;
    ASSERT_TRUE(ini.Open(path));
    EXPECT_EQ(ini.ReadText("Highlight", "Old", ""), "+29:1M\xC3\x9CLLER");
    ini.WriteText("Highlight", "New", "+29:1\xD0\x9F\xD0\x95\xD0\xA2\xD0\xA0\xD0\x9E\xD0\x92");
    ini.Close();
    ASSERT_TRUE(ini.Open(path));
    EXPECT_EQ(ini.ReadText("Highlight", "New", ""),
              "+29:1\xD0\x9F\xD0\x95\xD0\xA2\xD0\xA0\xD0\x9E\xD0\x92");
}

TEST_F(SettingsTest, SettingsFileInTheSharedFolderMustBeOurOwnRegularFile) {
    CloseSettingsFile();
    std::string victim = WriteFile("victim.txt", "do not touch");
    std::filesystem::create_symlink(victim, SettingsPath("korv.ini"));
    EXPECT_FALSE(OpenSettingsFile());
    WriteText("General", "FontSize", "10");
    EXPECT_EQ(test::ReadFile(victim), "do not touch");
}

TEST_F(SettingsTest, UnusableSettingsFileGivesTheTableDefaults) {
    CloseSettingsFile();
    // A FIFO in the file's place must neither hang the start nor empty the
    // options; a folder in its place is refused the same way.
    ASSERT_EQ(::mkfifo(SettingsPath("korv.ini").c_str(), 0600), 0);
    std::filesystem::create_directory(SettingsPath("KORV.ini"));
    for (int run = 0; run < 2; ++run) {
        WOptions::ResetToDefaults();
        EXPECT_FALSE(OpenSettingsFile());
        WOptions::Load();
        EXPECT_EQ(WOptions::GetInt(opt::kDesGenLimit), 32);
        EXPECT_EQ(WOptions::GetText(opt::kIslandColumns), "1,2,7,65,67,19,18,54,55");
        EXPECT_EQ(ReadListColumnString(), kDefaultListColumns);
        // Changes live in memory for the run and are never written.
        WOptions::SetInt(opt::kFontSize, 12);
        WOptions::Save();
        EXPECT_EQ(ReadInt("General", "FontSize", 0), 12);
        WriteListColumnString("1,2");
        CloseSettingsFile();
        CloseListColumnsFile();
        EXPECT_TRUE(std::filesystem::is_fifo(SettingsPath("korv.ini")));
    }
}

TEST_F(SettingsTest, FilesInTheFormerPlaceAreReadOnceIntoTheUsersFolder) {
    CloseSettingsFile();
    std::filesystem::remove(SettingsPath("korv.ini"));
    WriteFile("korv.ini", "[General]\r\nFontSize=10\r\n");  // the temporary folder
    WriteFile("KORV.ini", "[List]\r\nString=1,2,3\r\n");
    ASSERT_TRUE(OpenSettingsFile());
    EXPECT_EQ(ReadInt("General", "FontSize", 8), 10);
    EXPECT_EQ(ReadListColumnString(), "1,2,3");
    EXPECT_NE(test::ReadFile(SettingsPath("korv.ini")).find("FontSize=10"), std::string::npos);
    EXPECT_NE(test::ReadFile(SettingsPath("KORV.ini")).find("String=1,2,3"), std::string::npos);
    CloseSettingsFile();
    CloseListColumnsFile();
    // Once moved, the former file no longer counts.
    WriteFile("korv.ini", "[General]\r\nFontSize=14\r\n");
    ASSERT_TRUE(OpenSettingsFile());
    EXPECT_EQ(ReadInt("General", "FontSize", 8), 10);
}

TEST_F(SettingsTest, FormerFilesOfAnotherUserOrBehindALinkAreIgnored) {
    CloseSettingsFile();
    std::filesystem::remove(SettingsPath("korv.ini"));
    const std::string victim = WriteFile("victim.txt", "[General]\r\nFontSize=10\r\n");
    std::filesystem::create_symlink(victim, Path("korv.ini"));
    ASSERT_TRUE(OpenSettingsFile());
    EXPECT_EQ(ReadInt("General", "FontSize", 8), 8);
    CloseSettingsFile();
    EXPECT_FALSE(std::filesystem::exists(SettingsPath("korv.ini")));
    if (::geteuid() != 0) GTEST_SKIP() << "a file of another user needs root to make";
    std::filesystem::remove(Path("korv.ini"));
    const std::string other = WriteFile("korv.ini", "[General]\r\nFontSize=10\r\n");
    constexpr uid_t kOtherUser = 4242;
    ASSERT_EQ(::chown(other.c_str(), kOtherUser, kOtherUser), 0);
    ASSERT_TRUE(OpenSettingsFile());
    EXPECT_EQ(ReadInt("General", "FontSize", 8), 8);
}

TEST_F(SettingsTest, SettingsLiveInTheUsersConfigurationFolder) {
    CloseSettingsFile();
    // HOME comes back whatever happens below.
    const char* home = std::getenv("HOME");
    std::unique_ptr<std::string, void (*)(std::string*)> restoreHome(
        new std::string(home ? home : ""), [](std::string* saved) {
            ::setenv("HOME", saved->c_str(), 1);
            delete saved;
        });
    ::unsetenv("XDG_CONFIG_HOME");
    ::setenv("HOME", Path("home").c_str(), 1);
    ASSERT_TRUE(OpenSettingsFile());
    WriteText("General", "FontSize", "9");
    EXPECT_NE(test::ReadFile(Path("home/.config/vellacor/korv.ini")).find("FontSize=9"),
              std::string::npos);
    EXPECT_EQ(std::filesystem::status(Path("home/.config/vellacor")).permissions(),
              std::filesystem::perms::owner_all);
    CloseSettingsFile();
    // A relative XDG_CONFIG_HOME is not a place: the home folder is used.
    ::setenv("XDG_CONFIG_HOME", "relative", 1);
    ASSERT_TRUE(OpenSettingsFile());
    EXPECT_EQ(ReadInt("General", "FontSize", 8), 9);
}

TEST_F(SettingsTest, WindowPlacementDefaultsAndStoredValues) {
    WindowPlacement p = RestorePlacement("General", 1600, 1200);
    EXPECT_EQ(p.showCmd, 3);
    EXPECT_FALSE(p.HasMinimisedPosition());
    EXPECT_EQ(p.left, 200);
    EXPECT_EQ(p.top, 150);
    EXPECT_EQ(p.right, 1400);
    EXPECT_EQ(p.bottom, 1050);

    WriteInt("General", "Top", 100);
    p = RestorePlacement("General", 1600, 1200);
    EXPECT_EQ(p.bottom, 700);

    WindowPlacement saved;
    saved.showCmd = 1;
    saved.minX = 5;
    saved.minY = 6;
    saved.top = 10;
    saved.left = 20;
    saved.bottom = 300;
    saved.right = 400;
    SavePlacement("Main", saved);
    p = RestorePlacement("Main", 1600, 1200);
    EXPECT_EQ(p.showCmd, 1);
    EXPECT_TRUE(p.HasMinimisedPosition());
    EXPECT_EQ(p.bottom, 300);
    EXPECT_EQ(p.right, 400);
    std::string content = test::ReadFile(SettingsPath("korv.ini"));
    EXPECT_NE(
        content.find("[Main]\r\nShowCmd=1\r\nMinX=5\r\nMinY=6\r\nMaxX=0\r\nMaxY=0\r\nTop=10\r\n"
                     "Left=20\r\nBottom=300\r\nRight=400"),
        std::string::npos);
}

TEST_F(SettingsTest, ColumnWidthsAndTheSecondSettingsFile) {
    EXPECT_EQ(ReadColumnWidth(ListSection::DesList, 65, 120), 120);
    WriteColumnWidth(ListSection::IslandList, 7, 55);
    EXPECT_EQ(ReadColumnWidth(ListSection::IslandList, 7, 1), 55);
    EXPECT_EQ(ReadText("IslandList", "7", ""), "55");

    EXPECT_EQ(ReadListColumnString(), "1,2,7,65,67,19,18");
    WriteListColumnString("1,2,3");
    EXPECT_EQ(ReadListColumnString(), "1,2,3");
    EXPECT_NE(test::ReadFile(SettingsPath("KORV.ini")).find("String=1,2,3"), std::string::npos);
    EXPECT_EQ(ReadText("List", "String", "none"), "none");  // not in korv.ini
}

}  // namespace
}  // namespace vx
