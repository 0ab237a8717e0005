#include <cstring>
#include <filesystem>

#include "TestSupport.h"
#include "platform/FileHandle.h"
#include "platform/MappingGuard.h"
#include "platform/MemoryMap.h"
#include "platform/OwnFile.h"
#include "platform/ProgramPath.h"

namespace vx::platform {
namespace {

using FileMappingTest = test::TempDirTest;

TEST_F(FileMappingTest, OpenRefusesDirectoriesAndMissingFiles) {
    EXPECT_FALSE(OpenExistingFile(dir_, FileAccess::Read).IsOpen());
    EXPECT_FALSE(OpenExistingFile(Path("absent"), FileAccess::Read).IsOpen());
    EXPECT_TRUE(OpenExistingFile(WriteFile("a", "x"), FileAccess::Read).IsOpen());
}

// The opening for the program's own files: regular files of this user only,
// never through a link, created private and never emptied by the opening.
TEST_F(FileMappingTest, OwnFilesAreRegularFilesReachedWithoutLinks) {
    EXPECT_FALSE(OpenOwnRegularFile(Path("absent"), OwnFileOpen::Read).IsOpen());
    EXPECT_FALSE(OpenOwnRegularFile(dir_, OwnFileOpen::Read).IsOpen());

    const std::string kept = WriteFile("kept", "old text");
    EXPECT_TRUE(OpenOwnRegularFile(kept, OwnFileOpen::Read).IsOpen());
    EXPECT_TRUE(OpenOwnRegularFile(kept, OwnFileOpen::WriteOrCreate).IsOpen());
    EXPECT_EQ(test::ReadFile(kept), "old text");

    std::filesystem::create_symlink(kept, Path("link"));
    EXPECT_FALSE(OpenOwnRegularFile(Path("link"), OwnFileOpen::Read).IsOpen());
    EXPECT_FALSE(OpenOwnRegularFile(Path("link"), OwnFileOpen::WriteOrCreate).IsOpen());

    const std::string made = Path("made");
    FileHandle file = OpenOwnRegularFile(made, OwnFileOpen::WriteOrCreate);
    ASSERT_TRUE(file.IsOpen());
    ASSERT_TRUE(WriteAll(file, "new", 3));
    EXPECT_EQ(test::ReadFile(made), "new");
    const auto permissions = std::filesystem::status(made).permissions();
    EXPECT_EQ(
        permissions & (std::filesystem::perms::group_all | std::filesystem::perms::others_all),
        std::filesystem::perms::none);
}

TEST_F(FileMappingTest, MapsWholeFilesButNotEmptyOnes) {
    FileHandle file = OpenExistingFile(WriteFile("text", "hello"), FileAccess::Read);
    MemoryMap view;
    ASSERT_TRUE(view.Map(file, static_cast<size_t>(FileLength(file)), false));
    EXPECT_EQ(std::string(view.Data(), view.Length()), "hello");
    EXPECT_FALSE(view.Map(OpenExistingFile(WriteFile("empty", ""), FileAccess::Read), 0, false));
    EXPECT_FALSE(view.IsMapped());
}

TEST_F(FileMappingTest, WritableViewExtendsAndReachesTheFile) {
    std::string path = Path("grown");
    {
        FileHandle file = CreateOrReplaceFile(path);
        ASSERT_TRUE(SetFileLength(file, 8192));
        MemoryMap view;
        ASSERT_TRUE(view.Map(file, 8192, true));
        std::memcpy(view.Data() + 8000, "end", 3);
        EXPECT_TRUE(view.Flush());
    }
    std::string content = test::ReadFile(path);
    ASSERT_EQ(content.size(), 8192u);
    EXPECT_EQ(content.substr(8000, 3), "end");
}

// Another program shortening a file the viewer has mapped: reads past the
// new end see zeros and are counted, instead of killing the process.
TEST_F(FileMappingTest, ReadOnlyViewSurvivesTheFileShrinking) {
    constexpr size_t kPages = 4;
    const size_t length = kPages * 65536;  // whole pages on every page size
    const std::string path = WriteFile("shrinking", std::string(length, 'g'));
    FileHandle file = OpenExistingFile(path, FileAccess::Read);
    MemoryMap view;
    ASSERT_TRUE(view.Map(file, length, false));
    const uint64_t lostBefore = LostMappedPages();
    ASSERT_TRUE(SetFileLength(OpenExistingFile(path, FileAccess::ReadWrite), 10));

    const volatile char* text = view.Data();
    EXPECT_EQ(text[0], 'g');  // the first page holds the end: still there
    EXPECT_EQ(text[length - 1], '\0');
    EXPECT_EQ(text[length / 2], '\0');
    const uint64_t lost = LostMappedPages() - lostBefore;
    EXPECT_GE(lost, 2u);
    // A page replaced once stays readable without counting again.
    EXPECT_EQ(text[length - 2], '\0');
    EXPECT_EQ(LostMappedPages() - lostBefore, lost);
    EXPECT_TRUE(view.Unmap());
}

TEST(ProgramPathTest, NamesTheRunningExecutable) {
    std::string path = ProgramPath();
    ASSERT_FALSE(path.empty());
    EXPECT_TRUE(FileExists(path));
    EXPECT_NE(path.find("platform_tests"), std::string::npos);
}

}  // namespace
}  // namespace vx::platform
