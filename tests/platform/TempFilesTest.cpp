#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <filesystem>

#include "TestSupport.h"
#include "platform/FileHandle.h"
#include "platform/TempFiles.h"

namespace vx::platform {
namespace {

using TempFilesTest = test::TempDirTest;

TEST_F(TempFilesTest, TempFolderFollowsTmpdirWithTrailingSeparator) {
    EXPECT_EQ(TempFolder(), dir_ + "/");
}

TEST_F(TempFilesTest, NewTempFileIsCreatedLockedAndDeletedByItsOwner) {
    std::string path;
    {
        TempFile first = NewTempFile();
        TempFile second = NewTempFile();
        ASSERT_TRUE(first.IsOpen());
        ASSERT_TRUE(second.IsOpen());
        EXPECT_NE(first.Path(), second.Path());
        path = first.Path();
        EXPECT_EQ(path.rfind(dir_ + "/vor", 0), 0u);
        EXPECT_EQ(path.substr(path.size() - 4), ".tmp");
        EXPECT_EQ(TempFileNames().size(), 2u);

        // Another opener cannot take the lock while the owner holds it.
        FileHandle other = OpenExistingFile(path, FileAccess::ReadWrite);
        ASSERT_TRUE(other.IsOpen());
        EXPECT_FALSE(TryLockFile(other));
        // Nothing but the two visible files was left in the folder.
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_),
                                std::filesystem::directory_iterator()),
                  2);
    }
    EXPECT_FALSE(FileExists(path));
    EXPECT_TRUE(TempFileNames().empty());
}

TEST_F(TempFilesTest, StaleRemovalDeletesOnlyUnlockedTemporaryFiles) {
    WriteFile("vorstale1.tmp", "left behind by a crashed copy");
    WriteFile("vorstale2.tmp", "");
    WriteFile("vorkeep.txt", "not a temporary file");
    WriteFile("other.tmp", "not ours");
    TempFile inUse = NewTempFile();
    ASSERT_TRUE(inUse.IsOpen());

    EXPECT_EQ(RemoveStaleTempFiles(), 2);

    std::vector<std::string> left = TempFileNames();
    ASSERT_EQ(left.size(), 1u);
    EXPECT_EQ(dir_ + "/" + left[0], inUse.Path());
    EXPECT_TRUE(FileExists(Path("vorkeep.txt")));
    EXPECT_TRUE(FileExists(Path("other.tmp")));
}

TEST_F(TempFilesTest, StaleRemovalLeavesFilesLockedByAnotherProcess) {
    std::string path = WriteFile("vorother.tmp", "mapped by a running copy");
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    pid_t child = ::fork();
    if (child == 0) {
        FileHandle file = OpenExistingFile(path, FileAccess::ReadWrite);
        bool locked = TryLockFile(file);
        char answer = locked ? 'y' : 'n';
        (void)!::write(ready[1], &answer, 1);
        ::pause();
        ::_exit(0);
    }
    char answer = 0;
    ASSERT_EQ(::read(ready[0], &answer, 1), 1);
    EXPECT_EQ(answer, 'y');
    EXPECT_EQ(RemoveStaleTempFiles(), 0);
    EXPECT_TRUE(FileExists(path));
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    // Once the other copy is gone its file is stale.
    EXPECT_EQ(RemoveStaleTempFiles(), 1);
    EXPECT_FALSE(FileExists(path));
    ::close(ready[0]);
    ::close(ready[1]);
}

TEST_F(TempFilesTest, StaleRemovalDoesNotFollowLinks) {
    std::string victim = WriteFile("precious.dat", "keep me");
    std::filesystem::create_symlink(victim, Path("vorlink.tmp"));
    EXPECT_EQ(RemoveStaleTempFiles(), 0);
    EXPECT_EQ(test::ReadFile(victim), "keep me");
}

TEST_F(TempFilesTest, NewTempFileFailsCleanlyInAMissingFolder) {
    ::setenv("TMPDIR", Path("missing").c_str(), 1);
    TempFile file = NewTempFile();
    EXPECT_FALSE(file.IsOpen());
    EXPECT_EQ(RemoveStaleTempFiles(), 0);
}

}  // namespace
}  // namespace vx::platform
