// The block decoder's move-to-front list: the byte values in the order they
// were last seen, the latest first.
#pragma once

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <numeric>

namespace vx {

class TMoveToFront {
  public:
    TMoveToFront() { std::iota(list_.begin(), list_.end(), 0); }

    uint8_t Front() const { return list_[0]; }

    // The byte value at `index`, moved to the front. Most indices are
    // small: the front eight bytes are then moved as one 64-bit word in a
    // register, which also spares the next read a stall on a wide store it
    // cannot be forwarded from.
    uint8_t Take(uint8_t index) {
        static_assert(std::endian::native == std::endian::little,
                      "the list's front is read as a word");
        constexpr uint8_t kWordBytes = 8;
        if (index >= kWordBytes) {
            const uint8_t b = list_[index];
            std::memmove(&list_[1], &list_[0], index);
            list_[0] = b;
            return b;
        }
        uint64_t front;
        std::memcpy(&front, list_.data(), sizeof front);
        const unsigned shift = 8u * index;
        const auto b = static_cast<uint8_t>(front >> shift);
        // Bytes 0 to index move up by one; the rest stay.
        const uint64_t moved = (uint64_t{2} << (shift + 7)) - 1;
        front = ((front << 8) & moved) | (front & ~moved) | b;
        std::memcpy(list_.data(), &front, sizeof front);
        return b;
    }

  private:
    std::array<uint8_t, 256> list_;
};

}  // namespace vx
