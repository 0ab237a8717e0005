// Privacy for the living: a copy of a GEDCOM text in which everyone who may
// still be living keeps only their name, sex and family links. The text is
// rewritten line by line as bytes, so its character set and line breaks
// stay as they were; the original is never touched.
#pragma once

#include <string>
#include <string_view>

namespace vx::privacy {

enum class LivingMode {
    Keep,      // nothing changes
    NameOnly,  // events, attributes, notes, citations, LDS and media go
    Hide,      // as NameOnly, and the given names become "Living"
};

// "keep", "name-only", "hide".
std::string_view LivingModeName(LivingMode mode);
bool ParseLivingMode(std::string_view name, LivingMode& mode);

inline constexpr std::string_view kHiddenGivenName = "Living";

struct PrivacyResult {
    std::string Text;
    int PrivateCount = 0;  // individuals made private
    int IndividualCount = 0;
    int RemovedRecords = 0;  // notes, sources and media no longer referenced
};

// The text with the living made private. A living person's record keeps
// its level-0 line, NAME (without its notes, citations and media), SEX,
// FAMC and FAMS; a family whose spouses are all living keeps only HUSB,
// WIFE and CHIL. Note, source and media records that only removed lines
// pointed at are left out. `currentYear` dates the living test.
PrivacyResult MakeLivingPrivate(std::string_view text, LivingMode mode, int currentYear);

}  // namespace vx::privacy
