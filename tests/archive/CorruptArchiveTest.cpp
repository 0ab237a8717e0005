#include <functional>

#include "ArchiveTestSupport.h"
#include "archive/ArchiveErrors.h"
#include "archive/BlockMan.h"
#include "archive/Compressor.h"
#include "platform/FileHandle.h"

namespace vx::test {
namespace {

enum class Kind { Signature, Corrupt, TooManyBytes };

struct BadArchive {
    const char* File;
    int32_t BlockCount;
    Kind Expected;
    int Block;             // 0: the archive as a whole
    const char* Mentions;  // part of the message
    size_t BytesWritten;   // output left by the blocks before the damage
};

// The golden damaged files of tests/data/archive/bad (see its README).
const BadArchive kBadArchives[] = {
    {"archive-signature.qtrx", 2, Kind::Signature, 0, "Wrong Signature.", 0},
    {"block-signature.qtrx", 2, Kind::Signature, 2, "Wrong Signature.", 4096},
    {"truncated-header.qtrx", 2, Kind::Corrupt, 2, "truncated", 4096},
    {"truncated-coded-data.qtrx", 2, Kind::Corrupt, 2, "truncated", 4096},
    {"start-index-beyond.qtrx", 2, Kind::Corrupt, 1, "start row 4097", 0},
    {"sentinel-beyond.qtrx", 2, Kind::Corrupt, 2, "sentinel position 349", 4096},
    {"coded-size-short.qtrx", 1, Kind::TooManyBytes, 1, "Too many bytes read in bit mode.", 0},
    {"run-overflow.qtrx", 1, Kind::Corrupt, 1, "more than 615399 bytes", 0},
};

class CorruptArchiveTest : public ArchiveTest {
  protected:
    // Runs `expand` and checks that it fails as `bad` expects.
    void ExpectFailure(const BadArchive& bad, const std::function<void()>& expand) {
        SCOPED_TRACE(bad.File);
        try {
            expand();
            ADD_FAILURE() << "no error";
        } catch (const EArchiveError& error) {
            switch (bad.Expected) {
                case Kind::Signature:
                    EXPECT_NE(dynamic_cast<const ESignatureWrong*>(&error), nullptr);
                    break;
                case Kind::Corrupt:
                    EXPECT_NE(dynamic_cast<const EArchiveCorrupt*>(&error), nullptr);
                    break;
                case Kind::TooManyBytes:
                    EXPECT_NE(dynamic_cast<const ETooManyBytes*>(&error), nullptr);
                    break;
            }
            EXPECT_EQ(error.Block(), bad.Block);
            EXPECT_NE(std::string(error.what()).find(bad.Mentions), std::string::npos)
                << error.what();
            if (bad.Block > 0) {
                EXPECT_EQ(std::string(error.what()).rfind("Block " + std::to_string(bad.Block), 0),
                          0u)
                    << error.what();
            }
        }
    }
};

TEST_F(CorruptArchiveTest, DamagedFilesEndInAnErrorThatNamesTheBlock) {
    for (const BadArchive& bad : kBadArchives) {
        const std::string archive =
            ReadFile(std::string(VELLACOR_TEST_DATA "/archive/bad/") + bad.File);
        ASSERT_FALSE(archive.empty()) << bad.File;
        ExpectFailure(bad, [&] { Expand(archive, bad.BlockCount); });
        if (bad.BytesWritten > 0) {
            EXPECT_EQ(ReadFile(Path("expanded.ged")).size(), bad.BytesWritten) << bad.File;
        }
    }
}

TEST_F(CorruptArchiveTest, CrcMismatchIsReportedAndTheBlockStillWritten) {
    const std::string archive = ReadFile(VELLACOR_TEST_DATA "/archive/bad/crc-mismatch.qtrx");
    const std::string expected = ReadFile(VELLACOR_TEST_DATA "/archive/good/gedcom-crlf.4096.in");
    WRESCompress expander;
    std::vector<int> told;
    expander.SetCrcMismatchHandler([&told](int block) { told.push_back(block); });
    EXPECT_TRUE(expander.Expand(WriteFile("a.qtrx", archive), Path("out.ged"), 2));
    EXPECT_EQ(told, std::vector<int>{1});
    EXPECT_EQ(expander.BadBlocks(), std::vector<int>{1});
    EXPECT_TRUE(ReadFile(Path("out.ged")) == expected);
}

TEST_F(CorruptArchiveTest, WrongStartRowGivesThePlainWalkFromThatRow) {
    // From another start row the walk reads the block and its sentinel (a
    // zero byte) as a ring, from some other place.
    const std::string data = "the quick brown fox jumps over the lazy dog";
    std::vector<RawBlock> blocks = SplitArchive(CompressToArchive(data, nullptr));
    RawBlock& block = blocks.at(0);
    block.Header.StartIndex = (block.Header.StartIndex + 7) % (data.size() + 1);
    const std::string out = Expand(JoinArchive(blocks), 1);
    EXPECT_EQ(badBlocks_, std::vector<int>{1});
    const std::string ring = data + '\0' + data + '\0';
    bool isRotation = false;
    for (size_t k = 0; k <= data.size(); ++k)
        isRotation |= ring.substr(k, data.size()) == out;
    EXPECT_TRUE(isRotation) << out;
    EXPECT_NE(out, data);
}

TEST_F(CorruptArchiveTest, SymbolStreamLongerThanTheWorkAreas) {
    constexpr int kMax = TBlockMan::kMaxBlockBytes;
    // As many move-to-front indices as a block may have decode; one more
    // does not. (Index 1 every time: the bytes alternate 1, 0, 1 ...)
    std::vector<int> symbols(kMax, 2);
    symbols.push_back(kEndOfBlock);
    RawBlock full = BlockFromSymbols(symbols, 0, 0, 0);
    EXPECT_EQ(Expand(JoinArchive({full}), 1).size(), static_cast<size_t>(kMax));
    EXPECT_EQ(badBlocks_, std::vector<int>{1});  // header values made up: CRC differs

    symbols.back() = 2;
    symbols.push_back(kEndOfBlock);
    RawBlock over = BlockFromSymbols(symbols, 0, 0, 0);
    const std::string good = CompressToArchive("fine", nullptr);
    std::vector<RawBlock> blocks = SplitArchive(good);
    blocks.push_back(over);
    ExpectFailure({"index overflow", 2, Kind::Corrupt, 2, "more than 615399 bytes", 4},
                  [&] { Expand(JoinArchive(blocks), 2); });

    // A zero run that ends exactly at the limit, then one more index.
    std::vector<int> run;  // kMax in bijective base 2, least significant first
    for (uint32_t left = kMax; left > 0; left = (left - (left & 1 ? 1 : 2)) / 2)
        run.push_back(left & 1 ? kRunA : kRunB);
    run.push_back(2);
    run.push_back(kEndOfBlock);
    ExpectFailure({"run then index", 1, Kind::Corrupt, 1, "more than 615399 bytes", 0},
                  [&] { Expand(JoinArchive({BlockFromSymbols(run, 0, 0, 0)}), 1); });
}

TEST_F(CorruptArchiveTest, NegativeBlockCountIsRefusedBeforeAnyOutput) {
    const std::string archive = CompressToArchive("text", nullptr);
    ExpectFailure({"negative", -1, Kind::Corrupt, 0, "negative", 0}, [&] { Expand(archive, -1); });
    EXPECT_FALSE(platform::FileExists(Path("expanded.ged")));
}

}  // namespace
}  // namespace vx::test
