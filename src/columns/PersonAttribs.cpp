// Attributes read from the individual's own record: number, identifiers,
// names, note, sex, the yes/no tests, counts, LDS ordinances and "Alive".
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "analysis/FamilyAnalysis.h"
#include "analysis/Statistics.h"
#include "app/TextUtil.h"
#include "columns/AttribClasses.h"
#include "gedcom/ABSCollection.h"
#include "records/Individual.h"
#include "records/Note.h"

namespace vx {
namespace {

std::string YesNo(bool value) {
    return value ? "Yes" : "No";
}

// Two decimals with halves rounded away from zero: 2.125 gives "2.13".
std::string FixedTwoDecimals(long double value) {
    const long double hundredths = std::round(value * 100.0L);
    const long long whole = std::llabs(static_cast<long long>(hundredths));
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%s%lld.%02lld", hundredths < 0 ? "-" : "", whole / 100,
                  whole % 100);
    return buffer;
}

}  // namespace

std::string WAttribIndex::GetText(int32_t individual, int) const {
    return Person(individual) ? std::to_string(individual) : std::string();
}

int32_t WAttribIndex::GetInt(int32_t individual) const {
    return Person(individual) ? individual : 0;
}

std::string WAttribID::GetText(int32_t individual, int) const {
    auto person = Person(individual);
    if (!person) return {};
    switch (number_) {
        case Attr::RIN:
            return person->XRef();
        case Attr::AFN:
            return person->AFN();
        default:  // Attr::CustomId
            return person->RefNumber();
    }
}

std::string WAttribName::GetText(int32_t individual, int) const {
    auto person = Person(individual);
    if (!person) return {};
    switch (number_) {
        case Attr::Surname:
            return person->SurnameText();
        case Attr::Given:
            return person->GivenNames();
        case Attr::FullName:
            return person->FullName(true);
        case Attr::SurnameGiven:
            return person->SurnameText() + ", " + person->GivenNames();
        case Attr::SurnameSoundex:
            return SoundexCode(person->SurnameText());
        default: {  // Attr::GivenSoundex: of the first given name
            const std::string given = person->GivenNames();
            return SoundexCode(given.substr(0, given.find(' ')));
        }
    }
}

std::string WAttribNote::GetText(int32_t individual, int) const {
    auto person = Person(individual);
    if (!person) return {};
    auto note = person->Note();
    return note ? note->NoteText(" ") : std::string();
}

std::string WAttribSex::GetText(int32_t individual, int) const {
    auto person = Person(individual);
    return person ? person->Sex() : std::string();
}

std::string WAttribHas::GetText(int32_t individual, int) const {
    auto person = Person(individual);
    if (!person) return {};
    switch (number_) {
        case Attr::HasNote:
            return YesNo(collection_->HasNotesWithFamilies(individual));
        case Attr::HasSource:
            return YesNo(collection_->HasSourcesWithFamilies(individual));
        default:  // Attr::HasEvents: events beyond birth, christening, death and burial
            return YesNo(person->EventCount(kEventOther) > 0);
    }
}

std::string WAttribCount::GetText(int32_t individual, int) const {
    return Person(individual) ? std::to_string(GetInt(individual)) : std::string();
}

int32_t WAttribNumMarriages::GetInt(int32_t individual) const {
    auto person = Person(individual);
    return person ? person->SpouseFamilyCount() : 0;
}

int32_t WAttribNumParents::GetInt(int32_t individual) const {
    return Person(individual) ? collection_->ParentsCount(individual) : 0;
}

int32_t WAttribNumChildren::GetInt(int32_t individual) const {
    return Person(individual) ? collection_->ChildrenCount(individual) : 0;
}

int32_t WAttribNumAnc::GetInt(int32_t individual) const {
    if (!Person(individual)) return 0;
    WFamilyStatistics& statistics = analysis_->Statistics();
    return number_ == Attr::AncestorCount ? statistics.AncestorCount(individual)
                                          : statistics.AncestorGenerations(individual);
}

int32_t WAttribNumDes::GetInt(int32_t individual) const {
    if (!Person(individual)) return 0;
    WFamilyStatistics& statistics = analysis_->Statistics();
    return number_ == Attr::DescendantCount ? statistics.DescendantCount(individual)
                                            : statistics.DescendantGenerations(individual);
}

std::string WAttribAvgGens::GetText(int32_t individual, int) const {
    return Person(individual) ? FixedTwoDecimals(GetFloat(individual)) : std::string();
}

long double WAttribAvgGens::GetFloat(int32_t individual) const {
    if (!Person(individual)) return 0;
    return number_ == Attr::AverageAncestorGenerations
               ? analysis_->Statistics().AverageAncestorGenerations(individual)
               : analysis_->Statistics().AverageDescendantGenerations(individual);
}

WAttribLDS::WAttribLDS(int number, FamilyAnalysis* analysis) : WAttrib(number, analysis) {
    tabStops_ = {8, 16, 24};
}

std::string WAttribLDS::GetText(int32_t individual, int) const {
    auto person = Person(individual);
    if (!person) return {};
    auto mark = [](bool present, char letter) { return std::string(1, present ? letter : '-'); };
    // A sealing to a spouse in any spouse family counts.
    return mark(person->HasLDSEvent(kLDSBaptism), 'B') + '\t' +
           mark(person->HasLDSEvent(kLDSEndowment), 'E') + '\t' +
           mark(person->HasLDSEvent(kLDSSealingToParents), 'P') + '\t' +
           mark(collection_->HasSpouseSealing(individual, 0), 'S');
}

namespace {

// The ordinance kind of the LDS date and temple columns.
int OrdinanceOf(int number) {
    switch (number) {
        case Attr::LDSBaptism:
        case Attr::LDSBaptismTemple:
            return kLDSBaptism;
        case Attr::LDSEndowment:
        case Attr::LDSEndowmentTemple:
            return kLDSEndowment;
        case Attr::LDSSealedToParents:
        case Attr::LDSSealedToParentsTemple:
            return kLDSSealingToParents;
        default:  // Attr::LDSSealedToSpouse, Attr::LDSSealedToSpouseTemple
            return kLDSSealingToSpouse;
    }
}

}  // namespace

std::string WAttribLDSDate::GetText(int32_t individual, int occurrence) const {
    auto person = Person(individual);
    if (!person) return {};
    const int kind = OrdinanceOf(number_);
    if (kind == kLDSSealingToSpouse)
        return collection_->SpouseSealingDateText(individual, std::max(occurrence, 1));
    return person->LDSDateText(kind);
}

std::string WAttribLDSDate::GetSortText(int32_t individual) const {
    return GetText(individual, 1);
}

std::string WAttribLDSTemple::GetText(int32_t individual, int occurrence) const {
    auto person = Person(individual);
    if (!person) return {};
    const int kind = OrdinanceOf(number_);
    if (kind == kLDSSealingToSpouse)
        return collection_->SpouseSealingTempleText(individual, std::max(occurrence, 1), false);
    return person->LDSTempleText(kind, false);
}

std::string WAttribALive::GetText(int32_t individual, int) const {
    auto person = Person(individual);
    return YesNo(person && person->IsPossiblyLiving(110));
}

}  // namespace vx
