// The browser build's platform layer, compiled natively: files, mappings and
// temporary files kept in memory must behave as the POSIX layer does for
// everything the core relies on (expanding the archive into a temporary
// file, mapping it, deleting it while it is open).
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "platform/FileHandle.h"
#include "platform/MemoryMap.h"
#include "platform/ProgramPath.h"
#include "platform/TempFiles.h"
#include "platform/browser/MemoryFiles.h"

namespace vx::platform {
namespace {

class MemoryFilesTest : public ::testing::Test {
  protected:
    void SetUp() override { ClearMemoryFiles(); }
    void TearDown() override { ClearMemoryFiles(); }

    static std::string ReadAll(const FileHandle& file) {
        std::string text(static_cast<size_t>(FileLength(file)), '\0');
        EXPECT_EQ(ReadAt(file, text.data(), text.size(), 0), static_cast<int64_t>(text.size()));
        return text;
    }
};

MemoryFileBytes Bytes(const std::string& text) {
    return MemoryFileBytes(text.begin(), text.end());
}

TEST_F(MemoryFilesTest, PutFilesOpenReadAndReportMissingOnes) {
    PutMemoryFile("/payload", Bytes("hello world"));
    EXPECT_TRUE(FileExists("/payload"));
    EXPECT_FALSE(FileExists("/other"));

    FileHandle file = OpenExistingFile("/payload", FileAccess::Read);
    ASSERT_TRUE(file.IsOpen());
    EXPECT_GE(file.Fd(), 3) << "descriptors start above the standard streams";
    EXPECT_EQ(FileLength(file), 11);
    EXPECT_GE(FileModifiedTime(file), 0);

    char part[8] = {};
    EXPECT_EQ(ReadAt(file, part, 5, 6), 5);
    EXPECT_EQ(std::string(part, 5), "world");
    // A read across the end is cut short; one past it reads nothing.
    EXPECT_EQ(ReadAt(file, part, sizeof part, 9), 2);
    EXPECT_EQ(std::string(part, 2), "ld");
    EXPECT_EQ(ReadAt(file, part, sizeof part, 11), 0);
    EXPECT_EQ(ReadAt(file, part, sizeof part, -1), -1);

    FileHandle missing = OpenExistingFile("/other", FileAccess::Read);
    EXPECT_FALSE(missing.IsOpen());
    EXPECT_NE(LastErrorText().find("No such file"), std::string::npos);
    // A closed descriptor answers like a failed system call, never crashes.
    EXPECT_EQ(FileLength(missing), -1);
    EXPECT_EQ(FileModifiedTime(missing), -1);
    EXPECT_FALSE(WriteAll(missing, "x", 1));
    EXPECT_FALSE(SetFileLength(missing, 4));
    EXPECT_EQ(ReadAt(missing, part, 1, 0), -1);
}

TEST_F(MemoryFilesTest, DescriptorsAreReusedLowestFirstAndCloseOnce) {
    PutMemoryFile("/a", Bytes("a"));
    FileHandle first = OpenExistingFile("/a", FileAccess::Read);
    FileHandle second = OpenExistingFile("/a", FileAccess::Read);
    FileHandle third = OpenExistingFile("/a", FileAccess::Read);
    const int freed = second.Fd();
    EXPECT_TRUE(second.Close());
    EXPECT_TRUE(second.Close()) << "closing a closed handle is harmless";
    FileHandle again = OpenExistingFile("/a", FileAccess::Read);
    EXPECT_EQ(again.Fd(), freed);
    const std::set<int> open = {first.Fd(), again.Fd(), third.Fd()};
    EXPECT_EQ(open.size(), 3u);

    // A descriptor closed behind the handle's back reports the failure.
    FileHandle stray(first.Fd());
    EXPECT_TRUE(first.Close());
    EXPECT_FALSE(stray.Close());
}

TEST_F(MemoryFilesTest, WritesExtendAtTheRunningPositionAndLengthsChange) {
    FileHandle file = CreateOrReplaceFile("/out");
    ASSERT_TRUE(file.IsOpen());
    EXPECT_EQ(FileLength(file), 0);
    EXPECT_TRUE(WriteAll(file, "abc", 3));
    EXPECT_TRUE(WriteAll(file, "", 0));
    EXPECT_TRUE(WriteAll(file, "defg", 4));
    EXPECT_EQ(ReadAll(file), "abcdefg");

    // Shortening leaves the position; the next write fills the gap with zeros.
    EXPECT_TRUE(SetFileLength(file, 2));
    EXPECT_TRUE(WriteAll(file, "Z", 1));
    EXPECT_EQ(ReadAll(file), std::string("ab\0\0\0\0\0Z", 8));

    // Reserving never shrinks a file, and grows it with zero bytes.
    EXPECT_TRUE(ReserveFileLength(file, 4));
    EXPECT_EQ(FileLength(file), 8);
    EXPECT_TRUE(ReserveFileLength(file, 10));
    EXPECT_EQ(FileLength(file), 10);
    EXPECT_FALSE(SetFileLength(file, -1));
    EXPECT_FALSE(ReserveFileLength(file, -1));
    EXPECT_EQ(FileLength(file), 10);

    // Replacing a file starts it empty under the same name.
    FileHandle replaced = CreateOrReplaceFile("/out");
    EXPECT_EQ(FileLength(replaced), 0);
    FileHandle reopened = OpenExistingFile("/out", FileAccess::Read);
    EXPECT_EQ(FileLength(reopened), 0);
}

TEST_F(MemoryFilesTest, DeletedFileLivesOnWhileADescriptorHoldsIt) {
    PutMemoryFile("/gedcom", Bytes("0 HEAD"));
    FileHandle file = OpenExistingFile("/gedcom", FileAccess::Read);
    EXPECT_TRUE(DeleteFile("/gedcom"));
    EXPECT_FALSE(DeleteFile("/gedcom"));
    EXPECT_FALSE(FileExists("/gedcom"));
    EXPECT_EQ(ReadAll(file), "0 HEAD");
    // A new file of the same name is another file.
    PutMemoryFile("/gedcom", Bytes("new"));
    EXPECT_EQ(ReadAll(file), "0 HEAD");
}

TEST_F(MemoryFilesTest, MappingsViewTheFileBytesWithinItsLength) {
    FileHandle file = CreateOrReplaceFile("/mapped");
    ASSERT_TRUE(WriteAll(file, "0123456789", 10));

    MemoryMap map;
    EXPECT_FALSE(map.Map(file, 0, false)) << "an empty view cannot be mapped";
    EXPECT_FALSE(map.Map(file, 11, false)) << "past the end is refused";
    EXPECT_FALSE(map.IsMapped());
    FileHandle closed;
    EXPECT_FALSE(map.Map(closed, 1, false));

    ASSERT_TRUE(map.Map(file, 10, true));
    EXPECT_EQ(map.Length(), 10u);
    EXPECT_EQ(std::string(map.Data(), 4), "0123");
    // Writes through a writable view are the file's bytes.
    std::memcpy(map.Data() + 2, "xy", 2);
    EXPECT_TRUE(map.Flush());
    EXPECT_EQ(ReadAll(file), "01xy456789");

    // Moving hands the view over; unmapping empties it.
    MemoryMap moved = std::move(map);
    EXPECT_FALSE(map.IsMapped());
    EXPECT_TRUE(moved.IsMapped());
    EXPECT_TRUE(moved.Unmap());
    EXPECT_FALSE(moved.IsMapped());
    EXPECT_EQ(moved.Length(), 0u);
}

TEST_F(MemoryFilesTest, TemporaryFilesAreDistinctAndGoneWithTheirOwner) {
    std::string firstPath;
    {
        TempFile first = NewTempFile();
        TempFile second = NewTempFile();
        ASSERT_TRUE(first.IsOpen());
        ASSERT_TRUE(second.IsOpen());
        firstPath = first.Path();
        EXPECT_NE(firstPath, second.Path());
        EXPECT_EQ(firstPath.rfind(TempFolder() + "vor", 0), 0u);
        EXPECT_EQ(firstPath.substr(firstPath.size() - 4), ".tmp");
        EXPECT_TRUE(TryLockFile(first.Handle()));
        EXPECT_TRUE(FileExists(firstPath));

        // Assigning over an owned file deletes the one it held.
        const std::string secondPath = second.Path();
        second = std::move(first);
        EXPECT_FALSE(FileExists(secondPath));
        EXPECT_EQ(second.Path(), firstPath);
        EXPECT_TRUE(FileExists(firstPath));
    }
    EXPECT_FALSE(FileExists(firstPath));
    EXPECT_EQ(RemoveStaleTempFiles(), 0);

    // A name already taken is skipped, never overwritten.
    TempFile probe = NewTempFile();
    const std::string prefix = TempFolder() + "vor";
    const unsigned long number = std::stoul(probe.Path().substr(prefix.size()));
    const auto nameOf = [&](unsigned long k) { return prefix + std::to_string(k) + ".tmp"; };
    PutMemoryFile(nameOf(number + 1), Bytes("keep"));
    TempFile fresh = NewTempFile();
    ASSERT_TRUE(fresh.IsOpen());
    EXPECT_EQ(fresh.Path(), nameOf(number + 2));
    FileHandle kept = OpenExistingFile(nameOf(number + 1), FileAccess::Read);
    EXPECT_EQ(ReadAll(kept), "keep");
}

TEST_F(MemoryFilesTest, ThePageHasNoProgramFile) {
    EXPECT_EQ(ProgramPath(), "");
    EXPECT_EQ(TakeLaunchedProgramPath(), "");
}

}  // namespace
}  // namespace vx::platform
