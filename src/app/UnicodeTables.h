// Tables generated from the Unicode character database for letters outside
// Windows-1252 (scripts/gen-unicode-tables.py). Each is sorted by its first
// code point; app/Unicode looks them up.
#pragma once

#include <cstddef>

namespace vx::unicode_tables {

struct CodePointPair {
    char32_t from;
    char32_t to;
};

struct Composition {
    char32_t base;
    char32_t mark;
    char32_t composed;
};

extern const CodePointPair kUpper[];
extern const size_t kUpperSize;
extern const CodePointPair kLower[];
extern const size_t kLowerSize;
extern const CodePointPair kPlainLatin[];
extern const size_t kPlainLatinSize;
extern const Composition kCompositions[];  // sorted by base, then mark
extern const size_t kCompositionsSize;

}  // namespace vx::unicode_tables
