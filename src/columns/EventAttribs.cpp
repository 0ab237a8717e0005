// Attributes read from events: dates, places and ages, with the christening
// and burial standing in (in brackets) for a missing birth and death.
#include <algorithm>

#include "app/Options.h"
#include "columns/AttribClasses.h"
#include "gedcom/ABSCollection.h"
#include "records/DateDiff.h"
#include "records/Individual.h"

namespace vx {
namespace {

// Ages above this many years are taken for errors and not shown.
constexpr int64_t kAgeLimit = 110;

// The marriage numbered `occurrence` among the individual's spouse families.
std::unique_ptr<WABSMarriage> MarriageOf(const WABSCollection& collection,
                                         const WABSIndividual& person, int occurrence) {
    const int32_t family = person.SpouseFamily(std::max(occurrence, 1));
    if (family < 1 || family > collection.FamilyCount()) return nullptr;
    return collection.Family(family);
}

// The first text, or the second in brackets when the first is empty. An
// empty substitute stays empty.
std::string OrBracketed(std::string text, const std::string& substitute) {
    if (text.empty() && !substitute.empty()) text = "[" + substitute + "]";
    return text;
}

}  // namespace

std::string WAttribDate::GetText(int32_t individual, int occurrence) const {
    auto person = Person(individual);
    if (!person) return {};
    switch (number_) {
        case Attr::BirthDate:
            return person->EventDateText(kEventBirth);
        case Attr::ChristeningDate:
            return person->EventDateText(kEventChristening);
        case Attr::DeathDate:
            return person->EventDateText(kEventDeath);
        case Attr::BurialDate:
            return person->EventDateText(kEventBurial);
        case Attr::MarriageDate: {
            auto marriage = MarriageOf(*collection_, *person, occurrence);
            return marriage ? marriage->MarriageDateText() : std::string();
        }
        case Attr::CreateDate: {
            const WDate* created = person->CreationDate();
            return created ? created->DisplayText() : std::string();
        }
        case Attr::ModifyDate:
            return person->ChangeDateText();
        case Attr::BirthOrChristeningDate:
            return OrBracketed(person->EventDateText(kEventBirth),
                               person->EventDateText(kEventChristening));
        default:  // Attr::DeathOrBurialDate
            return OrBracketed(person->EventDateText(kEventDeath),
                               person->EventDateText(kEventBurial));
    }
}

std::string WAttribDate::GetSortText(int32_t individual) const {
    std::string text = GetText(individual, 1);
    // A substituted date sorts among the real ones.
    if ((number_ == Attr::BirthOrChristeningDate || number_ == Attr::DeathOrBurialDate) &&
        !text.empty() && text[0] == '[')
        text = text.substr(1, text.size() - 2);
    return text;
}

std::string WAttribPlace::GetText(int32_t individual, int occurrence) const {
    auto person = Person(individual);
    if (!person) return {};
    switch (number_) {
        case Attr::BirthPlace:
            return person->EventPlaceText(kEventBirth);
        case Attr::ChristeningPlace:
            return person->EventPlaceText(kEventChristening);
        case Attr::DeathPlace:
            return person->EventPlaceText(kEventDeath);
        case Attr::BurialPlace:
            return person->EventPlaceText(kEventBurial);
        case Attr::MarriagePlace: {
            auto marriage = MarriageOf(*collection_, *person, occurrence);
            return marriage ? marriage->MarriagePlaceText() : std::string();
        }
        case Attr::BirthOrChristeningPlace:
            return OrBracketed(person->EventPlaceText(kEventBirth),
                               person->EventPlaceText(kEventChristening));
        default:  // Attr::DeathOrBurialPlace
            return OrBracketed(person->EventPlaceText(kEventDeath),
                               person->EventPlaceText(kEventBurial));
    }
}

std::string WAttribAge::GetText(int32_t individual, int occurrence) const {
    auto person = Person(individual);
    if (!person) return {};
    if (number_ == Attr::Age) return person->AgeText();

    // From the birth (or, when allowed, the christening) to a second date.
    auto start = person->Event(kEventBirth, 1);
    bool bracketed = false;
    if ((!start || !start->Date()) && WOptions::GetFlag(opt::kAgeCalcCB)) {
        start = person->Event(kEventChristening, 1);
        bracketed = true;
    }
    const WDate* from = start ? start->Date() : nullptr;

    std::unique_ptr<WABSMarriage> marriage;
    std::unique_ptr<WABSIndividual> parent;
    std::unique_ptr<WABSVitEvent> parentBirth;
    const WDate* to = nullptr;
    if (number_ == Attr::MarriedAge) {
        marriage = MarriageOf(*collection_, *person, occurrence);
        to = marriage ? marriage->MarriageDate() : nullptr;
    } else {
        parent = Person(number_ == Attr::FatherAgeAtBirth ? collection_->FatherOf(individual)
                                                          : collection_->MotherOf(individual));
        parentBirth = parent ? parent->Event(kEventBirth, 1) : nullptr;
        to = parentBirth ? parentBirth->Date() : nullptr;
    }

    WDateDiff difference;
    if (!from || !to || !from->HasText() || !to->HasText() || !difference.Calculate(from, to) ||
        difference.Years() > kAgeLimit)
        return {};
    const std::string age = difference.AgeText();
    return bracketed ? "[" + age + "]" : age;
}

}  // namespace vx
