// Little-endian integers in byte buffers: every number of the archive and
// its trailer is stored this way, whatever the host's byte order.
#pragma once

#include <cstdint>
#include <string>

namespace vx {

inline uint32_t GetLE32(const uint8_t* bytes) {
    return static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
           static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24;
}

inline void PutLE32(uint8_t* bytes, uint32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes[i] = static_cast<uint8_t>(value >> (8 * i));
}

inline void AppendLE32(std::string& out, uint32_t value) {
    for (int i = 0; i < 4; ++i)
        out += static_cast<char>(static_cast<uint8_t>(value >> (8 * i)));
}

// The 32-bit value of a four-letter signature as it lies in the file.
constexpr uint32_t FourCC(const char (&text)[5]) {
    return static_cast<uint32_t>(static_cast<uint8_t>(text[0])) |
           static_cast<uint32_t>(static_cast<uint8_t>(text[1])) << 8 |
           static_cast<uint32_t>(static_cast<uint8_t>(text[2])) << 16 |
           static_cast<uint32_t>(static_cast<uint8_t>(text[3])) << 24;
}

}  // namespace vx
