// The few C++20 library pieces that one of our toolchains lacks. The core is
// also compiled to WebAssembly with emscripten 3.1.6, whose libc++ (clang 14)
// has no std::bit_cast; these stand-ins give the same results on both.
#pragma once

#include <cstring>
#include <type_traits>
#include <version>

#if defined(__cpp_lib_bit_cast)
#include <bit>
#endif

namespace vx {

// The bytes of `from` read as a To of the same size.
template <class To, class From>
To BitCast(const From& from) noexcept {
    static_assert(sizeof(To) == sizeof(From), "BitCast needs types of the same size");
    static_assert(std::is_trivially_copyable_v<To> && std::is_trivially_copyable_v<From>);
#if defined(__cpp_lib_bit_cast)
    return std::bit_cast<To>(from);
#else
    To to;
    std::memcpy(&to, &from, sizeof to);
    return to;
#endif
}

}  // namespace vx
