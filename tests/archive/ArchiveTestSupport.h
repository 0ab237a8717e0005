// Helpers shared by the archive tests: expanding archive bytes through the
// real file-based expander, and taking archives apart block by block.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "archive/ArchiveHeader.h"
#include "archive/AriEncoder.h"
#include "archive/LittleEndian.h"
#include "archive/RESCompress.h"

namespace vx::test {

class ArchiveTest : public TempDirTest {
  protected:
    // Expands `archive` with `blockCount` blocks and returns the output.
    std::string Expand(const std::string& archive, int32_t blockCount) {
        const std::string in = WriteFile("archive.qtrx", archive);
        const std::string out = Path("expanded.ged");
        WRESCompress expander;
        expander.Expand(in, out, blockCount);
        badBlocks_ = expander.BadBlocks();
        return ReadFile(out);
    }
    std::vector<int> badBlocks_;
};

// One block of an archive as it lies in the file.
struct RawBlock {
    TDataBlockHeader Header;
    std::string Coded;
};

inline std::vector<RawBlock> SplitArchive(const std::string& archive) {
    std::vector<RawBlock> blocks;
    size_t at = 4;
    while (at + TDataBlockHeader::kSize <= archive.size()) {
        const auto* p = reinterpret_cast<const uint8_t*>(archive.data() + at);
        RawBlock block;
        block.Header.BlockCRC = GetLE32(p + 4);
        block.Header.CodedSize = GetLE32(p + 8);
        block.Header.StartIndex = GetLE32(p + 12);
        block.Header.SentinelPos = GetLE32(p + 16);
        block.Coded = archive.substr(at + TDataBlockHeader::kSize, block.Header.CodedSize);
        at += TDataBlockHeader::kSize + block.Header.CodedSize;
        blocks.push_back(block);
    }
    return blocks;
}

inline std::string JoinArchive(const std::vector<RawBlock>& blocks) {
    std::string archive = "QTRX";
    for (const RawBlock& block : blocks) {
        block.Header.WriteHeader(archive);
        archive += block.Coded;
    }
    return archive;
}

// A block whose symbol stream is `symbols` (end-of-block included), coded
// by the real arithmetic encoder; `decoderBytes` receives how many bytes the
// decoder will read for it.
inline RawBlock BlockFromSymbols(const std::vector<int>& symbols, uint32_t crc, uint32_t startIndex,
                                 uint32_t sentinelPos, int64_t* decoderBytes = nullptr) {
    THeadAriModel model;
    TStrucAriEncoder encoder;
    RawBlock block;
    encoder.Start(block.Coded);
    for (int symbol : symbols)
        encoder.EncodeSymbol(model, symbol);
    encoder.Finish();
    if (decoderBytes) *decoderBytes = encoder.DecoderBytes();
    block.Header.BlockCRC = crc;
    block.Header.CodedSize = static_cast<uint32_t>(block.Coded.size());
    block.Header.StartIndex = startIndex;
    block.Header.SentinelPos = sentinelPos;
    return block;
}

}  // namespace vx::test
