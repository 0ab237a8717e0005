// Conditions that test facts of one person: missing dates, places and
// names, sex, notes and sources, LDS ordinances, dates and counts compared
// with the user's values, and the checks of surnames and families. What a
// kind of a family reads comes from its row (see KindReadings.h).
#include <algorithm>
#include <array>
#include <optional>
#include <utility>

#include "app/TextUtil.h"
#include "highlight/Catalogue.h"
#include "highlight/Conditions.h"
#include "highlight/FamilyWalk.h"

namespace vx {
namespace {

// The comparisons of a count parameter, by the digit that leads it.
enum Comparison { kEqual = 1, kLess, kLessOrEqual, kGreater, kGreaterOrEqual };

std::string WithOrWithout(bool negated, const std::string& word) {
    return (negated ? "without " : "with ") + word;
}

// The first character as an operator or mode digit; `fallback` when the
// text is empty or starts otherwise.
int LeadingDigit(const std::string& text, int fallback) {
    return !text.empty() && text[0] >= '0' && text[0] <= '9' ? text[0] - '0' : fallback;
}

int32_t NumberOr(std::string_view text, int32_t fallback) {
    int32_t value = 0;
    return ParseInt(text, value) ? value : fallback;
}

}  // namespace

// ---- missing facts ----

bool WHLNoDate::Test(const WABSIndividual& person, int32_t individual) {
    return !behaviour_.fact(Reading(person, individual));
}

std::string WHLNoDate::Describe() const {
    return (negated_ ? "with " : "with no ") + KindWord(kind_);
}

bool WHLNoPlace::Test(const WABSIndividual& person, int32_t individual) {
    return !behaviour_.fact(Reading(person, individual));
}

std::string WHLNoPlace::Describe() const {
    return (negated_ ? "with a " : "without a ") + KindWord(kind_);
}

bool WHLNoSurname::Test(const WABSIndividual& person, int32_t) {
    return person.SurnameText().empty();
}

std::string WHLNoSurname::Describe() const {
    return negated_ ? "with a surname" : "without a surname";
}

bool WHLNoGivenName::Test(const WABSIndividual& person, int32_t) {
    return person.GivenNames().empty();
}

std::string WHLNoGivenName::Describe() const {
    return negated_ ? "with a given name" : "without a given name";
}

bool WHLNoFather::Test(const WABSIndividual&, int32_t individual) {
    return collection_->FatherOf(individual) == 0;
}

std::string WHLNoFather::Describe() const {
    return negated_ ? "with a father" : "without a father";
}

bool WHLNoMother::Test(const WABSIndividual&, int32_t individual) {
    return collection_->MotherOf(individual) == 0;
}

std::string WHLNoMother::Describe() const {
    return negated_ ? "with a mother" : "without a mother";
}

bool WHLAFN::Test(const WABSIndividual& person, int32_t) {
    return !person.AFN().empty();
}

std::string WHLAFN::Describe() const {
    return negated_ ? "without AFN" : "with AFN";
}

// ---- sex, notes, ages ----

void WHLSex::ParseParams() {
    sex_ = params_.empty() ? '\0' : params_[0];
}

bool WHLSex::Test(const WABSIndividual& person, int32_t) {
    return sex_ != '\0' && person.Sex() == std::string(1, sex_);
}

std::string WHLSex::Describe() const {
    switch (sex_) {
        case 'M':
            return negated_ ? "not male" : "male";
        case 'F':
            return negated_ ? "not female" : "female";
        default:
            return negated_ ? "with known sex type" : "with unknown sex type";
    }
}

void WHLHas::ParseParams() {
    ageLimit_ = NumberOr(params_, 110);
}

bool WHLHas::Test(const WABSIndividual& person, int32_t) {
    const int age = person.AgeYears();
    return age >= 0 && age < ageLimit_;
}

std::string WHLHas::Describe() const {
    return WithOrWithout(negated_, "an age (limit = " + std::to_string(ageLimit_) + ")");
}

bool WHLALive::Test(const WABSIndividual& person, int32_t) {
    return person.IsPossiblyLiving(ageLimit_);
}

std::string WHLALive::Describe() const {
    return (negated_ ? "are not alive" : "are alive") + std::string(" (Age limit = ") +
           std::to_string(ageLimit_) + ")";
}

bool WHLHasSource::Test(const WABSIndividual& person, int32_t individual) {
    return behaviour_.fact(Reading(person, individual));
}

std::string WHLHasSource::Describe() const {
    return WithOrWithout(negated_, KindWord(kind_));
}

bool WHLHasNote::Test(const WABSIndividual& person, int32_t individual) {
    return behaviour_.fact(Reading(person, individual));
}

std::string WHLHasNote::Describe() const {
    return WithOrWithout(negated_, KindWord(kind_));
}

// ---- LDS ordinances ----

bool WHLHasLDS::Test(const WABSIndividual& person, int32_t individual) {
    return behaviour_.fact(Reading(person, individual));
}

std::string WHLHasLDS::Describe() const {
    return WithOrWithout(negated_, "LDS " + KindWord(kind_));
}

bool WHLLDS::Test(const WABSIndividual& person, int32_t individual) {
    return person.HasLDSEvent(kLDSBaptism) || person.HasLDSEvent(kLDSEndowment) ||
           person.HasLDSEvent(kLDSSealingToParents) || collection_->HasSpouseSealing(individual, 0);
}

std::string WHLLDS::Describe() const {
    return negated_ ? "Individuals without LDS Events" : "Individuals with LDS Events";
}

void WHLLDSDate::ParseParams() {
    mode_ = NumberOr(params_, 1);
    statusWord_.clear();
    if (mode_ >= 2) statusWord_ = WABSLDSEvent::StatusWord(behaviour_.ordinance, mode_ - 1);
}

bool WHLLDSDate::Test(const WABSIndividual& person, int32_t individual) {
    const int ordinance = behaviour_.ordinance;
    // A sealing to a spouse belongs to the spouse family.
    auto event = ordinance == kLDSSealingToSpouse ? collection_->SpouseSealing(individual, 1)
                                                  : person.LDSEvent(ordinance);
    const WDate* date = event ? event->Date() : nullptr;
    if (!date) return false;
    return mode_ == 1 ? date->IsRecognised() : date->DisplayText() == statusWord_;
}

std::string WHLLDSDate::Describe() const {
    return "where LDS " + KindWord(kind_) + (negated_ ? " is not " : " is ") +
           (mode_ == 1 ? std::string("a date") : statusWord_);
}

// ---- dates and counts ----

void WHLDate::ParseParams() {
    reference_.SetText(params_);
    qualifier_ = reference_.Qualifier();
}

bool WHLDate::Test(const WABSIndividual& person, int32_t) {
    auto event = person.Event(behaviour_.event, 1);
    const WDate* date = event ? event->Date() : nullptr;
    if (!date || !date->HasText()) return false;
    // Before, after or about a text that is no date means nothing, on either
    // side: such a text would otherwise sort after every real date.
    const bool ordered =
        qualifier_ == kQualBefore || qualifier_ == kQualAfter || qualifier_ == kQualAbout;
    if (ordered && (!reference_.IsRecognised() || !date->IsRecognised())) return false;
    switch (qualifier_) {
        case kQualBefore:
            return reference_.Compare(date) > 0;
        case kQualAfter:
            return reference_.Compare(date) < 0;
        case kQualAbout: {
            // Within five years either way of the event.
            WDate window = *date;
            window.DecYears(5);
            if (reference_.Compare(window) < 1) return false;
            window.IncYears(10);
            return reference_.Compare(window) < 0;
        }
        default:
            return reference_.Compare(date) == 0;
    }
}

std::string WHLDate::Describe() const {
    const bool plain =
        qualifier_ != kQualBefore && qualifier_ != kQualAfter && qualifier_ != kQualAbout;
    return std::string(negated_ ? "with not " : "with ") + KindWord(kind_) + " " +
           (plain ? "= " : "") + reference_.DisplayText();
}

void WHLInt::ParseParams() {
    op_ = LeadingDigit(params_, kEqual);
    value_ = params_.empty() ? -1 : NumberOr(std::string_view(params_).substr(1), -1);
}

bool WHLInt::Test(const WABSIndividual& person, int32_t individual) {
    if (value_ < 0) return false;
    const int64_t count = behaviour_.count(Reading(person, individual));
    if (count < 0) return false;
    switch (op_) {
        case kEqual:
            return count == value_;
        case kLess:
            return count < value_;
        case kLessOrEqual:
            return count <= value_;
        case kGreater:
            return count > value_;
        case kGreaterOrEqual:
            return count >= value_;
        default:
            return false;
    }
}

std::string WHLInt::Describe() const {
    static constexpr std::array<const char*, 6> kOperators = {"",     " = ", " < ",
                                                              " <= ", " > ", " >= "};
    static constexpr std::array<const char*, 6> kNegated = {
        "", " <> ", " >= ", " > ", " <= ", " < "};
    const char* op =
        op_ >= kEqual && op_ <= kGreaterOrEqual ? (negated_ ? kNegated : kOperators)[op_] : "";
    return "with " + KindWord(kind_) + op + std::to_string(value_);
}

// ---- surnames and families ----

bool WHLWarning::Test(const WABSIndividual& person, int32_t individual) {
    return behaviour_.fact(Reading(person, individual));
}

std::string WHLWarning::Describe() const {
    return std::string("with surname ") + (negated_ ? "not " : "") + KindWord(kind_);
}

bool WHLMarriedNoSpouse::Test(const WABSIndividual& person, int32_t individual) {
    return ForEachSpouseFamily(*collection_, person, [&](const WABSMarriage& family) {
        return family.OtherSpouse(individual) == 0;
    });
}

std::string WHLMarriedNoSpouse::Describe() const {
    return negated_ ? "married with spouse entered" : "married with no spouse entered";
}

bool WHLMarriedSameName::Test(const WABSIndividual& person, int32_t individual) {
    if (person.SpouseFamilyCount() < 2) return false;
    constexpr size_t kMaxSpouses = 512;
    std::vector<std::string> names;
    ForEachSpouseFamily(*collection_, person, [&](const WABSMarriage& family) {
        const int32_t spouse = family.OtherSpouse(individual);
        if (spouse != 0 && names.size() < kMaxSpouses)
            names.push_back(UpperText(collection_->FullNameOf(spouse)));
        return false;
    });
    std::sort(names.begin(), names.end());
    return std::adjacent_find(names.begin(), names.end()) != names.end();
}

std::string WHLMarriedSameName::Describe() const {
    return negated_ ? "married with spouses with different names"
                    : "married with spouses with same names";
}

std::optional<std::pair<int32_t, int32_t>> WHLChildSameName::FirstSameNamePair(
    int32_t individual) const {
    auto person = Person(individual);
    if (!person) return std::nullopt;
    struct Child {
        int32_t otherParent;
        std::string name;
    };
    constexpr size_t kMaxChildren = 500;
    std::vector<Child> children;
    ForEachSpouseFamily(*collection_, *person, [&](const WABSMarriage& family) {
        const int32_t otherParent = family.OtherSpouse(individual);
        return ForEachChild(family, [&](int32_t child) {
            if (children.size() >= kMaxChildren) return true;
            if (child > 0)
                children.push_back({otherParent, UpperText(collection_->FullNameOf(child))});
            return false;
        });
    });
    for (size_t i = 0; i < children.size(); ++i)
        for (size_t j = i + 1; j < children.size(); ++j)
            if (children[i].name == children[j].name)
                return std::make_pair(children[i].otherParent, children[j].otherParent);
    return std::nullopt;
}

void WHLChildSameName::Evaluate(int32_t individual) {
    // A parent of two children with the same name is highlighted, and so are
    // the other parents of the first such pair. Each person's answer is
    // worked out from their own families and their spouses', so it does not
    // depend on the order in which people or conditions are evaluated.
    if (FirstSameNamePair(individual)) return SetResult(individual, true);
    auto person = Person(individual);
    const bool shared =
        person && ForEachSpouseFamily(*collection_, *person, [&](const WABSMarriage& family) {
            const int32_t spouse = family.OtherSpouse(individual);
            if (spouse <= 0) return false;
            const auto pair = FirstSameNamePair(spouse);
            return pair && (pair->first == individual || pair->second == individual);
        });
    SetResult(individual, shared);
}

std::string WHLChildSameName::Describe() const {
    return negated_ ? "with no children having the same name"
                    : "with children having the same name";
}

}  // namespace vx
