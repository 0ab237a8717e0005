#include "archive/ArchiveHeader.h"

#include "archive/ArchiveErrors.h"
#include "archive/ArchiveFile.h"
#include "archive/LittleEndian.h"

namespace vx {

static_assert(TResourceArchiveHeader::kSignature == FourCC("QTRX"));
static_assert(TDataBlockHeader::kSignature == FourCC("DATA"));

bool TArchiveHeader::ReadHeader(TBufferedFileStream& file) {
    uint8_t bytes[4];
    const bool complete = file.ReadBytes(bytes, 4);
    if (GetLE32(bytes) != Signature()) {
        if (!complete && GetLE32(bytes) == 0) throw ESignatureWrong("(the file ends here)");
        throw ESignatureWrong();
    }
    return ReadBody(file) && complete;
}

void TArchiveHeader::WriteHeader(std::string& out) const {
    AppendLE32(out, Signature());
    WriteBody(out);
}

bool TDataBlockHeader::ReadBody(TBufferedFileStream& file) {
    uint8_t bytes[16];
    const bool complete = file.ReadBytes(bytes, sizeof bytes);
    BlockCRC = GetLE32(bytes);
    CodedSize = GetLE32(bytes + 4);
    StartIndex = GetLE32(bytes + 8);
    SentinelPos = GetLE32(bytes + 12);
    return complete;
}

void TDataBlockHeader::WriteBody(std::string& out) const {
    AppendLE32(out, BlockCRC);
    AppendLE32(out, CodedSize);
    AppendLE32(out, StartIndex);
    AppendLE32(out, SentinelPos);
}

}  // namespace vx
