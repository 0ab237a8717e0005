#include <cstring>

#include "TestSupport.h"
#include "app/Errors.h"
#include "gedcom/MMF.h"

namespace vx {
namespace {

using MMFTest = test::TempDirTest;

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

}  // namespace
}  // namespace vx
