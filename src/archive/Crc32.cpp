#include "archive/Crc32.h"

#include <array>

namespace vx {
namespace {

// Eight tables: table k gives the CRC of a byte followed by k zero bytes, so
// eight bytes are folded in at a time with the same result as the classic
// one-byte table (table 0).
constexpr std::array<std::array<uint32_t, 256>, 8> MakeTables() {
    std::array<std::array<uint32_t, 256>, 8> tables{};
    for (uint32_t n = 0; n < 256; ++n) {
        uint32_t c = n;
        for (int k = 0; k < 8; ++k)
            c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        tables[0][n] = c;
    }
    for (uint32_t n = 0; n < 256; ++n)
        for (size_t k = 1; k < 8; ++k)
            tables[k][n] = (tables[k - 1][n] >> 8) ^ tables[0][tables[k - 1][n] & 0xFF];
    return tables;
}

constexpr auto kTables = MakeTables();

}  // namespace

uint32_t Crc32(const uint8_t* data, size_t length) {
    uint32_t crc = 0xFFFFFFFFu;
    for (; length >= 8; data += 8, length -= 8) {
        const uint32_t low =
            crc ^ (static_cast<uint32_t>(data[0]) | static_cast<uint32_t>(data[1]) << 8 |
                   static_cast<uint32_t>(data[2]) << 16 | static_cast<uint32_t>(data[3]) << 24);
        crc = kTables[7][low & 0xFF] ^ kTables[6][(low >> 8) & 0xFF] ^
              kTables[5][(low >> 16) & 0xFF] ^ kTables[4][low >> 24] ^ kTables[3][data[4]] ^
              kTables[2][data[5]] ^ kTables[1][data[6]] ^ kTables[0][data[7]];
    }
    for (size_t i = 0; i < length; ++i)
        crc = kTables[0][(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

}  // namespace vx
