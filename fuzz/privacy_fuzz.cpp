// The privacy rewriter reads any GEDCOM text a sender picks: it must never
// crash or hang, and keeping only names and links never adds bytes.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "privacy/LivingPrivacy.h"

namespace {

void Check(bool condition) {
    if (!condition) __builtin_trap();
}

constexpr int kCurrentYear = 2026;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (vx::privacy::LivingMode mode :
         {vx::privacy::LivingMode::NameOnly, vx::privacy::LivingMode::Hide}) {
        const vx::privacy::PrivacyResult once =
            vx::privacy::MakeLivingPrivate(text, mode, kCurrentYear);
        Check(once.PrivateCount >= 0 && once.PrivateCount <= once.IndividualCount);
        if (mode != vx::privacy::LivingMode::NameOnly) continue;
        // Removing only ever removes: the text shrinks, and a second run
        // (which may find fewer dates) can only remove more.
        Check(once.Text.size() <= text.size());
        const vx::privacy::PrivacyResult twice =
            vx::privacy::MakeLivingPrivate(once.Text, mode, kCurrentYear);
        Check(twice.Text.size() <= once.Text.size());
    }
    return 0;
}
