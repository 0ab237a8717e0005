// Files of very deep lines for the tests that everybody can be asked about
// on them without one walk per person. VELLACOR_DEEP_GENERATIONS sets the
// depth where a test reads it.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <string>

namespace vx::test {

inline int32_t DeepGenerations(int32_t fallback) {
    const char* value = std::getenv("VELLACOR_DEEP_GENERATIONS");
    return value ? std::atoi(value) : fallback;
}

// Person i (1 .. generations) is the only child of person i + 1, the top
// person having no parents. With mothers, person generations + i is the
// wife in person i's parent family (no parents of her own), so everybody
// below the top has two parents whose lines never meet.
inline std::string ChainGedcom(int32_t generations, bool withMothers = false) {
    std::string text = "0 HEAD\n";
    auto id = [](int32_t n) { return "@I" + std::to_string(n) + "@"; };
    for (int32_t i = 1; i <= generations; ++i)
        text += "0 " + id(i) + " INDI\n1 NAME P" + std::to_string(i) + " /Line/\n1 SEX M\n";
    if (withMothers)
        for (int32_t i = 1; i < generations; ++i)
            text += "0 " + id(generations + i) + " INDI\n1 NAME W" + std::to_string(i) +
                    " /Wife/\n1 SEX F\n";
    for (int32_t i = 1; i < generations; ++i) {
        text += "0 @F" + std::to_string(i) + "@ FAM\n1 HUSB " + id(i + 1) + "\n";
        if (withMothers) text += "1 WIFE " + id(generations + i) + "\n";
        text += "1 CHIL " + id(i) + "\n";
    }
    return text + "0 TRLR\n";
}

// The chain with mothers, each mother a daughter of the top person: every
// line meets again at the top (pedigree collapse on every generation), so
// exact counts of distinct ancestors need one walk per person. Work over
// everybody on it is long enough to be cancelled.
inline std::string CollapsedChainGedcom(int32_t generations) {
    std::string text = ChainGedcom(generations, true);
    text.resize(text.size() - std::string("0 TRLR\n").size());
    text += "0 @F0@ FAM\n1 HUSB @I" + std::to_string(generations) + "@\n";
    for (int32_t i = 1; i < generations; ++i)
        text += "1 CHIL @I" + std::to_string(generations + i) + "@\n";
    return text + "0 TRLR\n";
}

}  // namespace vx::test
