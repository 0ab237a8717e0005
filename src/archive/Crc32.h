// CRC-32 of IEEE 802.3 (reflected polynomial 0xEDB88320, initial value and
// final complement 0xFFFFFFFF): the check value of every archive block.
#pragma once

#include <cstddef>
#include <cstdint>

namespace vx {

uint32_t Crc32(const uint8_t* data, size_t length);

}  // namespace vx
