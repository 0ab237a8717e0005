// The runtime bundle that follows the start-up stub inside a self-contained
// program file: a fixed header, then one zstd frame holding the bundle's
// files one after another. Shared by the stub (reader) and the build-time
// tool that writes it.
//
// Header (little-endian), right after the end of the stub's own ELF image:
//   magic[8]  "VXRTBND1"
//   u64       compressed size of the frame that follows
//   u64       size of the files' record stream once decompressed
//   u64       hash of that stream: names the cache entry and proves an unpack
// Each file record: u16 path length, path ('/'-separated, relative),
// u16 permission bits, u64 size, the bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace vx::runtime {

inline constexpr char kBundleMagic[8] = {'V', 'X', 'R', 'T', 'B', 'N', 'D', '1'};
inline constexpr size_t kBundleHeaderBytes = 32;
// Bounds a damaged header cannot push the stub past.
inline constexpr uint64_t kMaxPayloadBytes = uint64_t{1} << 31;
inline constexpr size_t kMaxPathBytes = 255;
// Written last into a complete cache entry; lists every file, its size and hash.
inline constexpr const char* kManifestName = ".manifest";

struct BundleHeader {
    uint64_t CompressedBytes = 0;
    uint64_t PayloadBytes = 0;
    uint64_t PayloadHash = 0;
};

inline uint64_t LoadLe64(const unsigned char* p) {
    uint64_t value = 0;
    for (int i = 7; i >= 0; --i)
        value = (value << 8) | p[i];
    return value;
}

inline void StoreLe64(unsigned char* p, uint64_t value) {
    for (int i = 0; i < 8; ++i)
        p[i] = static_cast<unsigned char>(value >> (8 * i));
}

inline void EncodeHeader(const BundleHeader& header, unsigned char out[kBundleHeaderBytes]) {
    std::memcpy(out, kBundleMagic, sizeof kBundleMagic);
    StoreLe64(out + 8, header.CompressedBytes);
    StoreLe64(out + 16, header.PayloadBytes);
    StoreLe64(out + 24, header.PayloadHash);
}

// False when the bytes are not a bundle header.
inline bool DecodeHeader(const unsigned char in[kBundleHeaderBytes], BundleHeader& header) {
    if (std::memcmp(in, kBundleMagic, sizeof kBundleMagic) != 0) return false;
    header.CompressedBytes = LoadLe64(in + 8);
    header.PayloadBytes = LoadLe64(in + 16);
    header.PayloadHash = LoadLe64(in + 24);
    return header.CompressedBytes > 0 && header.PayloadBytes > 0 &&
           header.PayloadBytes <= kMaxPayloadBytes;
}

// XXH64: fast enough to check a whole cache entry (about 100 MB) at every
// start in a few milliseconds, and widely reproduced, so other tools can
// check a bundle too.
class Hash64 {
  public:
    explicit Hash64(uint64_t seed = 0)
        : lanes_{seed + kP1 + kP2, seed + kP2, seed, seed - kP1}, seed_(seed) {}

    void Update(const void* data, size_t length) {
        const auto* p = static_cast<const unsigned char*>(data);
        total_ += length;
        if (buffered_ + length < kStripe) {
            std::memcpy(buffer_ + buffered_, p, length);
            buffered_ += length;
            return;
        }
        if (buffered_ > 0) {
            const size_t fill = kStripe - buffered_;
            std::memcpy(buffer_ + buffered_, p, fill);
            Stripe(buffer_);
            p += fill;
            length -= fill;
            buffered_ = 0;
        }
        while (length >= kStripe) {
            Stripe(p);
            p += kStripe;
            length -= kStripe;
        }
        std::memcpy(buffer_, p, length);
        buffered_ = length;
    }

    uint64_t Digest() const {
        uint64_t h = 0;
        if (total_ >= kStripe) {
            h = Rotl(lanes_[0], 1) + Rotl(lanes_[1], 7) + Rotl(lanes_[2], 12) + Rotl(lanes_[3], 18);
            for (uint64_t lane : lanes_)
                h = (h ^ Round(0, lane)) * kP1 + kP4;
        } else {
            h = seed_ + kP5;
        }
        h += total_;
        const unsigned char* p = buffer_;
        size_t left = buffered_;
        for (; left >= 8; p += 8, left -= 8)
            h = Rotl(h ^ Round(0, Load64(p)), 27) * kP1 + kP4;
        if (left >= 4) {
            h = Rotl(h ^ (uint64_t{Load32(p)} * kP1), 23) * kP2 + kP3;
            p += 4;
            left -= 4;
        }
        for (; left > 0; ++p, --left)
            h = Rotl(h ^ (*p * kP5), 11) * kP1;
        h ^= h >> 33;
        h *= kP2;
        h ^= h >> 29;
        h *= kP3;
        h ^= h >> 32;
        return h;
    }

  private:
    static constexpr uint64_t kP1 = 0x9E3779B185EBCA87ULL;
    static constexpr uint64_t kP2 = 0xC2B2AE3D27D4EB4FULL;
    static constexpr uint64_t kP3 = 0x165667B19E3779F9ULL;
    static constexpr uint64_t kP4 = 0x85EBCA77C2B2AE63ULL;
    static constexpr uint64_t kP5 = 0x27D4EB2F165667C5ULL;
    static constexpr size_t kStripe = 32;

    static uint64_t Rotl(uint64_t x, int r) { return (x << r) | (x >> (64 - r)); }
    static uint64_t Load64(const unsigned char* p) {
        uint64_t v;
        std::memcpy(&v, p, 8);
        return v;  // x86-64 only: little-endian
    }
    static uint32_t Load32(const unsigned char* p) {
        uint32_t v;
        std::memcpy(&v, p, 4);
        return v;
    }
    static uint64_t Round(uint64_t acc, uint64_t input) {
        return Rotl(acc + input * kP2, 31) * kP1;
    }
    void Stripe(const unsigned char* p) {
        for (int i = 0; i < 4; ++i)
            lanes_[i] = Round(lanes_[i], Load64(p + 8 * i));
    }

    uint64_t lanes_[4];
    uint64_t seed_;
    uint64_t total_ = 0;
    unsigned char buffer_[kStripe] = {};
    size_t buffered_ = 0;
};

inline uint64_t HashBytes(const void* data, size_t length) {
    Hash64 hash;
    hash.Update(data, length);
    return hash.Digest();
}

}  // namespace vx::runtime
