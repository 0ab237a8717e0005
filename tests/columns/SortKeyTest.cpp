#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "app/TextUtil.h"
#include "columns/SortKey.h"

namespace vx {
namespace {

// Texts around every boundary of the key's forms: ASCII, the code page's
// own letters (ÿ is the escape byte), characters beyond it in the basic
// plane up to U+FFFF, and the supplementary planes.
const std::vector<std::string> kTexts = {
    "",
    "A",
    "AB",
    "Z",
    "\xC3\xA9",          // é
    "\xC3\xBF",          // ÿ, byte 0xFF
    "\xC2\x80",          // U+0080, not in the code page
    "\xC5\x81",          // Ł
    "\xCE\x91\xCE\x98",  // Greek
    "\xEF\xBF\xBD",      // U+FFFD
    "\xEF\xBF\xBE",      // U+FFFE
    "\xEF\xBF\xBF",      // U+FFFF
    "\xF0\x90\x80\x80",  // U+10000
    "\xF0\x9F\x98\x80",  // an emoji
    "\xC3\xBF"
    "A",
    "\xEF\xBF\xBF"
    "A",
    "\xF0\x9F\x98\x80"
    "\xC3\xBF",
};

int Sign(int value) {
    return value < 0 ? -1 : value > 0 ? 1 : 0;
}

int CompareKeys(const std::string& a, const std::string& b) {
    const int r = std::memcmp(a.data(), b.data(), std::min(a.size(), b.size()));
    return r != 0 ? Sign(r) : Sign(static_cast<int>(a.size()) - static_cast<int>(b.size()));
}

TEST(SortKeyTest, ByteOrderOfKeysIsTheOrderOfTexts) {
    for (const std::string& a : kTexts)
        for (const std::string& b : kTexts)
            EXPECT_EQ(CompareKeys(SortKey(a, 64), SortKey(b, 64)), CompareText(a, b))
                << a << " / " << b;
}

TEST(SortKeyTest, KeysReadBackAndCutsKeepWholeCharacters) {
    for (const std::string& text : kTexts) {
        const std::string key = SortKey(text, 64);
        EXPECT_EQ(SortKeyText(key), text);
        for (size_t limit = 0; limit <= key.size(); ++limit) {
            const std::string cut = SortKey(text, limit);
            ASSERT_LE(cut.size(), limit);
            EXPECT_EQ(key.compare(0, cut.size(), cut), 0);
            EXPECT_EQ(text.rfind(SortKeyText(cut), 0), 0u) << limit;
            EXPECT_EQ(SortKey(SortKeyText(cut), 64), cut) << limit;
        }
    }
}

}  // namespace
}  // namespace vx
