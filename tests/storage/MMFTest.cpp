#include <sys/mount.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>

#include "TestSupport.h"
#include "app/Errors.h"
#include "gedcom/GEDCollection.h"
#include "storage/MMF.h"

namespace vx {
namespace {

using MMFTest = test::TempDirTest;

// A small tmpfs mounted inside the test's folder (root only), to meet a
// full or read-only file system for real.
class ScratchTmpfs {
  public:
    ScratchTmpfs(const std::string& path, const char* options) : path_(path) {
        std::filesystem::create_directory(path_);
        mounted_ = ::geteuid() == 0 && ::mount("tmpfs", path_.c_str(), "tmpfs", 0, options) == 0;
    }
    ~ScratchTmpfs() {
        if (mounted_) ::umount(path_.c_str());
    }
    bool Mounted() const { return mounted_; }
    // The names in the folder that look like the program's temporary files.
    std::vector<std::string> TempFileNames() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(path_))
            if (entry.path().extension() == ".tmp") names.push_back(entry.path().string());
        return names;
    }

  private:
    std::string path_;
    bool mounted_ = false;
};

constexpr const char* kNeedsRoot = "mounting a small tmpfs needs root; skipped";
constexpr int64_t kMiB = 1024 * 1024;

TEST_F(MMFTest, NewVersionStoreHoldsOnlyItsHeader) {
    WVersionMMF store("", 16384, 2048);
    EXPECT_EQ(store.UsedLength(), 8);
    EXPECT_EQ(store.Position(), 8);
    EXPECT_EQ(store.AppendText("abc"), 8);
    EXPECT_EQ(store.UsedLength(), 11);
    EXPECT_EQ(std::string(store.PointerAt(8), 3), "abc");
    EXPECT_EQ(store.AppendText("de"), 11);
    int32_t version = 0;
    std::memcpy(&version, store.PointerAt(0), 4);
    EXPECT_EQ(version, 1);
    store.Clear();
    EXPECT_EQ(store.UsedLength(), 8);
    EXPECT_TRUE(TempFileNames().empty());
}

TEST_F(MMFTest, StoreSpillsToALockedTemporaryFileDeletedWithIt) {
    std::string pattern;
    for (int i = 0; i < 1000; ++i)
        pattern += static_cast<char>('a' + i % 26);
    {
        WVersionMMF store("", 16384, 2048);
        // The heap block grows by the increment while it stays below 64 KB.
        for (int i = 0; i < 40; ++i)
            store.AppendText(pattern);
        EXPECT_TRUE(store.InMemory());
        EXPECT_TRUE(TempFileNames().empty());
        for (int i = 0; i < 30; ++i)
            store.AppendText(pattern);
        EXPECT_FALSE(store.InMemory());
        ASSERT_EQ(TempFileNames().size(), 1u);
        EXPECT_EQ(store.BackingFileName(), dir_ + "/" + TempFileNames()[0]);
        EXPECT_EQ(store.UsedLength(), 8 + 70 * 1000);
        // Everything written before and after the move is intact.
        for (int i = 0; i < 70; ++i)
            ASSERT_EQ(std::string(store.PointerAt(8 + i * 1000), 1000), pattern) << i;
        // Growth continues in steps of the increment.
        store.AppendZeros(200000);
        EXPECT_EQ(store.UsedLength(), 8 + 70000 + 200000);
        EXPECT_GE(store.Capacity(), store.UsedLength());
        EXPECT_EQ(store.PointerAt(8 + 70000 + 199999)[0], 0);
    }
    EXPECT_TRUE(TempFileNames().empty());
}

TEST_F(MMFTest, LargeInitialSizeStartsInAFile) {
    WVersionMMF store("", 16384, 100000);
    EXPECT_FALSE(store.InMemory());
    EXPECT_EQ(TempFileNames().size(), 1u);
    EXPECT_EQ(store.UsedLength(), 8);
}

TEST_F(MMFTest, StreamReadWriteAndSeek) {
    WMMF store("", true, 16, 0);
    EXPECT_EQ(store.DataSize(), 0);
    EXPECT_EQ(store.Write("hello", 5), 0);
    EXPECT_EQ(store.DataSize(), 5);
    EXPECT_EQ(store.Seek(-2, 2), 3);
    char buffer[8] = {};
    EXPECT_EQ(store.Read(buffer, 8), 2);
    EXPECT_STREQ(buffer, "lo");
    EXPECT_EQ(store.Read(buffer, 8), 0);  // nothing left
    EXPECT_EQ(store.Seek(1, 0), 1);
    EXPECT_EQ(store.Seek(2, 1), 3);
    EXPECT_EQ(store.Seek(99, 7), 3);  // an unknown origin leaves the position
    EXPECT_EQ(store.Read(buffer, -1), 0);
    EXPECT_EQ(store.Seek(-10, 0), -10);
    EXPECT_EQ(store.Read(buffer, 1), 0);  // a negative position reads nothing
    EXPECT_EQ(store.Write("x", 1), -10);  // and writes nothing
    EXPECT_EQ(store.DataSize(), 5);
}

TEST_F(MMFTest, NamedStoreInMemoryWritesItsFileWhenDestroyed) {
    std::string path = Path("named.bin");
    {
        WMMF store(path, true, 0, 0);
        store.Write("payload", 7);
    }
    EXPECT_EQ(test::ReadFile(path), "payload");
}

TEST_F(MMFTest, ReadOnlyMappingShowsTheFile) {
    WMMFReadOnly text(WriteFile("a.ged", "0 HEAD\r\n"));
    EXPECT_EQ(text.DataSize(), 8);
    EXPECT_EQ(std::string(text.PointerAt(0), 8), "0 HEAD\r\n");
}

TEST_F(MMFTest, UnmappableFilesFailWithTheFileMessage) {
    const std::string suffix =
        "\r\nPlease check that this file is not being used by another application.";
    for (const std::string& path : {WriteFile("empty.ged", ""), Path("missing.ged"), dir_}) {
        try {
            WMMFReadOnly text(path);
            ADD_FAILURE() << "opened " << path;
        } catch (const EFileError& error) {
            EXPECT_EQ(error.kind(), EFileError::Kind::Open);
            EXPECT_EQ(std::string(error.what()), "Error using the file " + path + suffix);
        }
    }
}

TEST_F(MMFTest, FullTemporaryFolderIsAnIOErrorAndLeavesNoFile) {
    ScratchTmpfs small(Path("small"), "size=1m");
    if (!small.Mounted()) GTEST_SKIP() << kNeedsRoot;
    ::setenv("TMPDIR", Path("small").c_str(), 1);
    const std::string chunk(64 * 1024, 'x');
    {
        WVersionMMF store("", 16384, 2048);
        int64_t written = 0;
        try {
            for (; written < 4 * kMiB; written += static_cast<int64_t>(chunk.size()))
                store.AppendText(chunk);
            ADD_FAILURE() << "4 MB fitted into a 1 MB file system";
        } catch (const EInOutError& error) {
            EXPECT_NE(std::string(error.what()).find("No space left on device"), std::string::npos)
                << error.what();
        }
        // What was written before the disk filled is still readable.
        ASSERT_GT(written, 0);
        EXPECT_EQ(store.UsedLength(), 8 + written);
        EXPECT_EQ(std::string(store.PointerAt(8 + static_cast<int32_t>(written) - 3), 3), "xxx");
    }
    EXPECT_TRUE(small.TempFileNames().empty());
}

TEST_F(MMFTest, LoadingIntoAFullTemporaryFolderIsAnIOError) {
    // About 1.5 MB of indexes for a 1 MB temporary folder; the file itself
    // lies outside it.
    constexpr int kPeople = 30000;
    std::string text = "0 HEAD\n1 CHAR UTF-8\n";
    for (int i = 1; i <= kPeople; ++i)
        text += "0 @I" + std::to_string(i) + "@ INDI\n1 NAME A /B/\n";
    text += "0 TRLR\n";
    const std::string path = WriteFile("big.ged", text);
    ScratchTmpfs small(Path("small"), "size=1m");
    if (!small.Mounted()) GTEST_SKIP() << kNeedsRoot;
    ::setenv("TMPDIR", Path("small").c_str(), 1);
    {
        WGEDCollection collection(path);
        EXPECT_THROW(collection.Load(), EInOutError);
    }
    EXPECT_TRUE(small.TempFileNames().empty());
}

TEST_F(MMFTest, ReadOnlyTemporaryFolderIsNamedWithTheReason) {
    ScratchTmpfs readOnly(Path("romnt"), "size=1m");
    if (!readOnly.Mounted()) GTEST_SKIP() << kNeedsRoot;
    ASSERT_EQ(::mount("tmpfs", Path("romnt").c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, nullptr), 0);
    ::setenv("TMPDIR", Path("romnt").c_str(), 1);
    try {
        WVersionMMF store("", 16384, WMMF::kHeapLimit);
        ADD_FAILURE() << "created a store in a read-only folder";
    } catch (const EFileError& error) {
        EXPECT_EQ(std::string(error.what()), "Cannot create a temporary file in the folder " +
                                                 Path("romnt") + "/: Read-only file system");
    }
}

}  // namespace
}  // namespace vx
