// The headers of the archive: a four-byte signature followed by a body. The
// archive opens with "QTRX" (no body); every block opens with "DATA" and
// four 32-bit fields.
#pragma once

#include <cstdint>
#include <string>

namespace vx {

class TBufferedFileStream;

class TArchiveHeader {
  public:
    virtual ~TArchiveHeader() = default;

    // The expected signature as a little-endian 32-bit value.
    virtual uint32_t Signature() const { return 0; }
    // Returns false when the file ended inside the body.
    virtual bool ReadBody(TBufferedFileStream& /*file*/) { return true; }
    virtual void WriteBody(std::string& /*out*/) const {}

    // Reads and checks the signature (ESignatureWrong when it differs), then
    // the body. Returns false when the file ended before the header did.
    bool ReadHeader(TBufferedFileStream& file);
    void WriteHeader(std::string& out) const;
};

class TResourceArchiveHeader : public TArchiveHeader {
  public:
    static constexpr uint32_t kSignature = 0x58525451;  // "QTRX"
    uint32_t Signature() const override { return kSignature; }
};

class TDataBlockHeader : public TArchiveHeader {
  public:
    static constexpr uint32_t kSignature = 0x41544144;  // "DATA"
    static constexpr int kSize = 20;

    uint32_t Signature() const override { return kSignature; }
    bool ReadBody(TBufferedFileStream& file) override;
    void WriteBody(std::string& out) const override;

    uint32_t BlockCRC = 0;
    uint32_t CodedSize = 0;    // bytes of coded data after the header
    uint32_t StartIndex = 0;   // row where the inverse transform starts
    uint32_t SentinelPos = 0;  // where the end-of-block sentinel sits
};

}  // namespace vx
