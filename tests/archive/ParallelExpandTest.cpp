// Expanding on several threads: the output, the reported CRC mismatches and
// the errors must be exactly those of expanding one block after another,
// whatever the number of threads and whichever thread finishes first.
#include <atomic>
#include <chrono>
#include <random>
#include <thread>

#include "ArchiveTestSupport.h"
#include "app/Errors.h"
#include "app/Services.h"
#include "archive/ArchiveErrors.h"
#include "archive/Compressor.h"

namespace vx::test {
namespace {

constexpr int kBlockSize = 3000;
constexpr int kThreadCounts[] = {1, 2, 3, 8};

// Text whose blocks differ from each other, so a block written at the wrong
// place shows.
std::string NumberedText(size_t bytes) {
    std::string text;
    std::mt19937 random(7);
    for (int line = 0; text.size() < bytes; ++line)
        text +=
            "1 NOTE line " + std::to_string(line) + " " + std::to_string(random() % 9973) + "\n";
    text.resize(bytes);
    return text;
}

class ParallelExpandTest : public ArchiveTest {
  protected:
    struct Outcome {
        std::string output;
        std::vector<int> bad;
        std::vector<int> told;
        int errorBlock = -1;  // -1: no error
        std::string error;
        bool cancelled = false;
        std::string sunk;         // what the block sink was given, in order
        bool overlapped = false;  // the sink ran on two threads at once
    };

    Outcome Run(const std::string& archive, int32_t blockCount, int threads,
                int64_t outputLimit = INT64_MAX) {
        const std::string in = WriteFile("archive.qtrx", archive);
        const std::string out = Path("expanded.ged");
        Outcome outcome;
        WRESCompress expander;
        expander.SetThreads(threads);
        expander.SetOutputLimit(outputLimit);
        expander.SetCrcMismatchHandler([&outcome](int block) { outcome.told.push_back(block); });
        std::atomic<int> inSink{0};
        expander.SetBlockSink([&](const uint8_t* bytes, size_t size) {
            if (inSink.fetch_add(1) != 0) outcome.overlapped = true;
            outcome.sunk.append(reinterpret_cast<const char*>(bytes), size);
            std::this_thread::sleep_for(sinkPause_);
            inSink.fetch_sub(1);
        });
        try {
            expander.Expand(in, out, blockCount);
        } catch (const EArchiveError& error) {
            outcome.errorBlock = error.Block();
            outcome.error = error.what();
        } catch (const EWorkCancelled&) {
            outcome.cancelled = true;
        }
        outcome.bad = expander.BadBlocks();
        outcome.output = ReadFile(out);
        return outcome;
    }

    // How long the sink holds each block: long enough, and the expansion
    // outlasts any scheduling delay of the thread that hears Cancel.
    std::chrono::microseconds sinkPause_{0};
};

TEST_F(ParallelExpandTest, EveryThreadCountGivesTheSameBytes) {
    const std::string text = NumberedText(40 * kBlockSize + 123);
    int blocks = 0;
    const std::string archive = CompressToArchive(text, &blocks, kBlockSize);
    ASSERT_EQ(blocks, 41);
    for (int threads : kThreadCounts) {
        SCOPED_TRACE(threads);
        const Outcome outcome = Run(archive, blocks, threads);
        EXPECT_EQ(outcome.errorBlock, -1) << outcome.error;
        EXPECT_TRUE(outcome.output == text);
        EXPECT_TRUE(outcome.bad.empty());
        // The sink follows the output block by block, one call at a time.
        EXPECT_TRUE(outcome.sunk == text);
        EXPECT_FALSE(outcome.overlapped);
    }
}

// Cancel in the wait dialog stops the threads; only whole blocks, in
// order, were written and given to the sink.
TEST_F(ParallelExpandTest, CancelStopsExpandingBetweenBlocks) {
    const std::string text = NumberedText(200 * kBlockSize);
    int blocks = 0;
    const std::string archive = CompressToArchive(text, &blocks, kBlockSize);
    sinkPause_ = std::chrono::milliseconds(2);
    for (int threads : kThreadCounts) {
        SCOPED_TRACE(threads);
        ShowWait("Reading.  Please Wait...", false, true);
        SetWaitCancelled();
        const Outcome outcome = Run(archive, blocks, threads);
        HideWait();
        EXPECT_TRUE(outcome.cancelled);
        EXPECT_LT(outcome.output.size(), text.size());
        EXPECT_EQ(outcome.output.size() % kBlockSize, 0u);
        EXPECT_TRUE(outcome.output == text.substr(0, outcome.output.size()));
        EXPECT_TRUE(outcome.sunk == outcome.output);
    }
}

TEST_F(ParallelExpandTest, CrcMismatchesAreToldOnceEachInBlockOrder) {
    const std::string text = NumberedText(20 * kBlockSize);
    int blocks = 0;
    std::vector<RawBlock> raw = SplitArchive(CompressToArchive(text, &blocks, kBlockSize));
    for (int block : {3, 11, 17})
        raw.at(static_cast<size_t>(block - 1)).Header.BlockCRC ^= 1;
    for (int threads : kThreadCounts) {
        SCOPED_TRACE(threads);
        const Outcome outcome = Run(JoinArchive(raw), blocks, threads);
        EXPECT_EQ(outcome.told, (std::vector<int>{3, 11, 17}));
        EXPECT_EQ(outcome.bad, outcome.told);
        EXPECT_TRUE(outcome.output == text);  // the blocks are written all the same
    }
}

// Damage in two places: the first one is reported, the blocks before it are
// the whole output, and nothing decoded after it is written.
TEST_F(ParallelExpandTest, FirstDamagedBlockWinsAndOnlyItsPrefixIsWritten) {
    const std::string text = NumberedText(30 * kBlockSize);
    int blocks = 0;
    std::vector<RawBlock> raw = SplitArchive(CompressToArchive(text, &blocks, kBlockSize));
    struct Damage {
        const char* what;
        std::function<void(std::vector<RawBlock>&)> apply;
        int block;
    };
    const Damage damages[] = {
        {"start rows beyond the block",
         [](std::vector<RawBlock>& b) {
             b.at(20).Header.StartIndex = 1u << 30;
             b.at(7).Header.StartIndex = 1u << 30;
         },
         8},
        {"coded data cut short, then a bad start row",
         [](std::vector<RawBlock>& b) {
             b.at(4).Header.SentinelPos = 1u << 30;
             b.at(2).Header.CodedSize = 1;  // the next header is then garbage
         },
         3},
    };
    for (const Damage& damage : damages) {
        std::vector<RawBlock> damaged = raw;
        damage.apply(damaged);
        std::string archive = JoinArchive(damaged);
        for (int threads : kThreadCounts) {
            SCOPED_TRACE(std::string(damage.what) + ", threads " + std::to_string(threads));
            const Outcome outcome = Run(archive, blocks, threads);
            EXPECT_EQ(outcome.errorBlock, damage.block) << outcome.error;
            EXPECT_TRUE(outcome.output ==
                        text.substr(0, static_cast<size_t>(damage.block - 1) * kBlockSize));
            EXPECT_TRUE(outcome.sunk == outcome.output);
        }
    }
}

// A sink that throws fails its block as damage would: the blocks before it
// are the output, and the error is the sink's.
TEST_F(ParallelExpandTest, ThrowingSinkFailsItsBlock) {
    const std::string text = NumberedText(12 * kBlockSize);
    int blocks = 0;
    const std::string archive = CompressToArchive(text, &blocks, kBlockSize);
    const std::string in = WriteFile("archive.qtrx", archive);
    for (int threads : kThreadCounts) {
        SCOPED_TRACE(threads);
        WRESCompress expander;
        expander.SetThreads(threads);
        int given = 0;
        expander.SetBlockSink([&given](const uint8_t*, size_t) {
            if (++given == 5) throw EArchiveCorrupt("no room for the index");
        });
        try {
            expander.Expand(in, Path("expanded.ged"), blocks);
            ADD_FAILURE() << "the sink's failure was lost";
        } catch (const EArchiveError& error) {
            EXPECT_EQ(error.Block(), 5);
            EXPECT_NE(std::string(error.what()).find("no room for the index"), std::string::npos);
        }
        EXPECT_TRUE(ReadFile(Path("expanded.ged")) == text.substr(0, 4 * kBlockSize));
    }
}

TEST_F(ParallelExpandTest, MoreBlocksThanTheArchiveHoldsEndAfterTheLastOne) {
    const std::string text = NumberedText(9 * kBlockSize);
    int blocks = 0;
    const std::string archive = CompressToArchive(text, &blocks, kBlockSize);
    for (int threads : kThreadCounts) {
        const Outcome outcome = Run(archive, blocks + 5, threads);
        EXPECT_EQ(outcome.errorBlock, blocks + 1) << outcome.error;
        EXPECT_NE(outcome.error.find("Wrong Signature."), std::string::npos) << outcome.error;
        EXPECT_TRUE(outcome.output == text);
    }
}

TEST_F(ParallelExpandTest, OutputLimitStopsAtTheBlockThatWouldPassIt) {
    const std::string text = NumberedText(10 * kBlockSize);
    int blocks = 0;
    const std::string archive = CompressToArchive(text, &blocks, kBlockSize);
    for (int threads : kThreadCounts) {
        // Room for four blocks and a half: the fifth fails.
        const Outcome outcome = Run(archive, blocks, threads, 4 * kBlockSize + kBlockSize / 2);
        EXPECT_EQ(outcome.errorBlock, 5) << outcome.error;
        EXPECT_TRUE(outcome.output == text.substr(0, 4 * kBlockSize));
        EXPECT_TRUE(Run(archive, blocks, threads, 10 * kBlockSize).output == text);
    }
}

}  // namespace
}  // namespace vx::test
