// Word lists the generator draws names, places and texts from. All entries
// are UTF-8; the generator re-encodes them for the file's character set.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace vx::gedgen::words {

using List = std::span<const std::string_view>;

extern const List kMaleGiven;
extern const List kFemaleGiven;
extern const List kSurnames;
extern const List kNamePrefixes;
extern const List kNameSuffixes;
extern const List kNobleTitles;
extern const List kNicknames;

extern const List kTowns;
// "County, State, Country": a place is a town in one of these.
extern const List kDistricts;
extern const List kStreets;

extern const List kOccupations;
extern const List kCausesOfDeath;
// Date texts that no date parser should make sense of.
extern const List kUnparseableDates;
// Sentences for notes (plain ASCII, so a note can be cut anywhere).
extern const List kNoteSentences;

extern const List kSourceKinds;
extern const List kAuthors;
extern const List kPublishers;
extern const List kRepositories;
extern const List kPageForms;

// The text re-encoded as ANSEL: an accented letter becomes a combining mark
// followed by the base letter, and a few letters have bytes of their own.
// Letters the lists do not use become '?'.
std::string ToAnsel(std::string_view utf8);

}  // namespace vx::gedgen::words
