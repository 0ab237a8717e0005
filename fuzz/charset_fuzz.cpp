// Every text of a GEDCOM file passes through one of the character-set
// decoders, and every text the core handles through the UTF-8 helpers. Any
// bytes must decode to valid UTF-8, the case maps and folds must keep it
// valid, and cuts must never split a character.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "app/TextUtil.h"
#include "app/Unicode.h"
#include "columns/SortKey.h"
#include "gedcom/CharConvert.h"

namespace {

void Check(bool condition) {
    if (!condition) __builtin_trap();
}

void UseText(const std::string& text) {
    Check(vx::IsValidUtf8(text));
    Check(vx::IsValidUtf8(vx::UpperText(text)));
    Check(vx::IsValidUtf8(vx::LowerText(text)));
    Check(vx::IsValidUtf8(vx::FoldAccents(text)));
    Check(vx::IsValidUtf8(vx::SoundexCode(text)));
    Check(vx::SameText(text, vx::UpperText(text)) == 0 || text != vx::UpperText(text));
    const size_t count = vx::CharCount(text);
    for (size_t n : {size_t{0}, size_t{1}, count / 2, count}) {
        const std::string_view left = vx::LeftChars(text, n);
        Check(vx::IsValidUtf8(left) && vx::CharCount(left) == std::min(n, count));
        Check(vx::IsValidUtf8(vx::LeftBytes(text, n)) && vx::LeftBytes(text, n).size() <= n);
    }
    Check(vx::CompareText(text, text) == 0);
    const std::string key = vx::SortKey(text, 47);
    Check(key.size() <= 47);
    Check(vx::IsValidUtf8(vx::SortKeyText(key)));
    Check(vx::SortKey(vx::SortKeyText(key), 47) == key);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    for (int charSet : {vx::kCharSetNone, vx::kCharSetAnsel, vx::kCharSetUtf8})
        UseText(vx::ConvertCharSet(bytes, charSet));
    UseText(vx::Utf16ToUtf8(bytes, true));
    UseText(vx::Utf16ToUtf8(bytes, false));
    (void)vx::DetectUtf16(bytes);
    return 0;
}
