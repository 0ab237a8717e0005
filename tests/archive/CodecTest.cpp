#include <filesystem>
#include <random>

#include "ArchiveTestSupport.h"
#include "archive/ArchiveErrors.h"
#include "archive/ArchiveFile.h"
#include "archive/Compressor.h"
#include "archive/Crc32.h"

namespace vx::test {
namespace {

constexpr int kMax = TBlockMan::kMaxBlockBytes;

std::string RandomBytes(size_t size, unsigned seed) {
    std::mt19937 random(seed);
    std::string bytes(size, '\0');
    for (char& c : bytes)
        c = static_cast<char>(random());
    return bytes;
}

uint32_t CrcOf(const std::string& bytes) {
    return Crc32(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

class CodecTest : public ArchiveTest {
  protected:
    void ExpectRoundTrip(const std::string& data, int blockSize = kMax) {
        int blocks = 0;
        const std::string archive = CompressToArchive(data, &blocks, blockSize);
        EXPECT_EQ(blocks, static_cast<int>((data.size() + blockSize - 1) / blockSize));
        EXPECT_TRUE(Expand(archive, blocks) == data) << data.size() << " bytes";
        EXPECT_TRUE(badBlocks_.empty());
    }
};

TEST_F(CodecTest, RoundTripsEdgeInputs) {
    ExpectRoundTrip("a");
    ExpectRoundTrip("ab");
    ExpectRoundTrip("abracadabra");
    std::string all;
    for (int c = 0; c < 256; ++c)
        all += static_cast<char>(c);
    ExpectRoundTrip(all + all + std::string(all.rbegin(), all.rend()));
    ExpectRoundTrip(std::string(5000, '\0'));
    std::string crlf;
    for (int i = 0; i < 3000; ++i)
        crlf += "1 NAME John /Smith/\r\n2 DATE " + std::to_string(i) + "\r\n";
    ExpectRoundTrip(crlf);
    ExpectRoundTrip(crlf, 1000);  // several blocks
    ExpectRoundTrip(RandomBytes(200000, 7));
}

TEST_F(CodecTest, RoundTripsBlocksOfEverySize) {
    const std::string text = RandomBytes(12, 3) + "the cat sat on the mat";
    ExpectRoundTrip(text, 1);
    ExpectRoundTrip(text, 2);
    ExpectRoundTrip(text, 3);
    // The largest blocks: one run that fills a block, then random data that
    // fills one exactly and spills one byte into the next.
    ExpectRoundTrip(std::string(kMax, 'x') + "y");
    ExpectRoundTrip(RandomBytes(kMax + 1, 11));
}

TEST_F(CodecTest, EmptyBlockDecodesToNothingWithCrcZero) {
    std::string archive = "QTRX";
    TCompressor().CompressBlock(nullptr, 0, archive);
    EXPECT_EQ(SplitArchive(archive).at(0).Header.BlockCRC, 0u);
    EXPECT_EQ(Expand(archive, 1), "");
    EXPECT_TRUE(badBlocks_.empty());
}

// Blocks written symbol by symbol: the end-of-block symbol alone, and the
// zero-run digits of the format's worked examples.
TEST_F(CodecTest, DecodesHandWrittenSymbolStreams) {
    int64_t decoderBytes = 0;
    RawBlock endOnly = BlockFromSymbols({kEndOfBlock}, 0, 0, 0, &decoderBytes);
    // This block also leans on the zero allowance: the decoder reads more
    // bytes than the block holds.
    EXPECT_GT(decoderBytes, endOnly.Header.CodedSize);
    EXPECT_EQ(Expand(JoinArchive({endOnly}), 1), "");
    EXPECT_TRUE(badBlocks_.empty());

    // n zero bytes: the rows of "0...0$" put the sentinel last and the
    // start at row n - 1.
    auto zeros = [](std::vector<int> digits, uint32_t n) {
        digits.push_back(kEndOfBlock);
        return BlockFromSymbols(digits, CrcOf(std::string(n, '\0')), n - 1, n);
    };
    EXPECT_EQ(Expand(JoinArchive({zeros({kRunA, kRunB}, 5)}), 1), std::string(5, '\0'));
    EXPECT_EQ(Expand(JoinArchive({zeros({kRunB}, 2)}), 1), std::string(2, '\0'));
    EXPECT_EQ(Expand(JoinArchive({zeros({kRunA, kRunA}, 3)}), 1), std::string(3, '\0'));
    EXPECT_TRUE(badBlocks_.empty());

    // Index 1 brings back the byte used before the last: "aba" transforms
    // to [a, b, $, a] (rows "$aba", "a$ab", "aba$", "ba$a"), which
    // move-to-front makes the indices 97, 98, 1 (symbols 98, 99, 2).
    RawBlock mtf = BlockFromSymbols({98, 99, 2, kEndOfBlock}, CrcOf("aba"), 3, 2);
    EXPECT_EQ(Expand(JoinArchive({mtf}), 1), "aba");
    EXPECT_TRUE(badBlocks_.empty());
}

TEST_F(CodecTest, BlockCountDecidesHowManyBlocksAreExpanded) {
    const std::string archive = CompressToArchive("one two three four five", nullptr, 4);
    EXPECT_EQ(Expand(archive, 2), "one two ");
    EXPECT_EQ(Expand(archive, 0), "");
    try {
        Expand(archive, 8);
        FAIL() << "expanded blocks that are not there";
    } catch (const ESignatureWrong& error) {
        EXPECT_EQ(error.Block(), 7);
        EXPECT_STREQ(
            error.what(),
            "Block 7 of 8: Wrong Signature. Archive could be corrupted. (the file ends here)");
    }
    // The blocks before the missing one stay in the output.
    EXPECT_EQ(ReadFile(Path("expanded.ged")), "one two three four five");
}

TEST_F(CodecTest, NextBlockStartsRightAfterTheCodedBytes) {
    // Another encoder may write out the zero bytes the decoder reads at the
    // end of a block and follow them with bytes it never takes: the next
    // header is read after all of them.
    const std::string data = "0 HEAD\r\n1 CHAR ANSEL\r\n0 TRLR\r\n";
    std::vector<RawBlock> blocks = SplitArchive(CompressToArchive(data, nullptr, 8));
    for (RawBlock& block : blocks) {
        block.Coded += std::string(TBitFile::kZeroAllowance, '\0') + "DATAjunk";
        block.Header.CodedSize = static_cast<uint32_t>(block.Coded.size());
    }
    EXPECT_EQ(Expand(JoinArchive(blocks), static_cast<int32_t>(blocks.size())), data);
    EXPECT_TRUE(badBlocks_.empty());
}

TEST(Crc32Test, MatchesTheBitwiseDefinition) {
    auto bitwise = [](const std::string& bytes) {
        uint32_t crc = 0xFFFFFFFFu;
        for (unsigned char c : bytes) {
            crc ^= c;
            for (int k = 0; k < 8; ++k)
                crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
        }
        return ~crc;
    };
    EXPECT_EQ(CrcOf("123456789"), 0xCBF43926u);
    EXPECT_EQ(CrcOf(""), 0u);
    const std::string noise = RandomBytes(100, 5);
    for (size_t length = 0; length <= noise.size(); ++length)
        EXPECT_EQ(CrcOf(noise.substr(0, length)), bitwise(noise.substr(0, length))) << length;
}

// The golden archives were written by a separate reference of the format
// (tests/data/archive/reference_codec.py): our decoder must read them and
// our encoder must produce the same bytes.
TEST_F(CodecTest, MatchesTheReferenceCoderByteForByte) {
    namespace fs = std::filesystem;
    int checked = 0;
    for (const auto& entry : fs::directory_iterator(VELLACOR_TEST_DATA "/archive/good")) {
        const fs::path& input = entry.path();
        if (input.extension() != ".in") continue;
        const fs::path stem = input.stem();  // NAME.SIZE
        const int blockSize = std::stoi(stem.extension().string().substr(1));
        const fs::path golden = input.parent_path() / (stem.stem().string() + ".qtrx");
        SCOPED_TRACE(golden.string());
        const std::string data = ReadFile(input.string());
        const std::string archive = ReadFile(golden.string());
        const int blocks = static_cast<int>((data.size() + blockSize - 1) / blockSize);
        EXPECT_TRUE(Expand(archive, blocks) == data);
        EXPECT_TRUE(badBlocks_.empty());
        EXPECT_TRUE(CompressToArchive(data, nullptr, blockSize) == archive);
        ++checked;
    }
    EXPECT_GE(checked, 7);
}

}  // namespace
}  // namespace vx::test
