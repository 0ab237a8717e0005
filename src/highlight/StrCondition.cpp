// Text conditions: a field of the person (a place, a name, a note, an
// identifier) or of a relative matched against the user's key, and the
// Soundex conditions.
#include "app/TextUtil.h"
#include "highlight/Catalogue.h"
#include "highlight/Conditions.h"
#include "highlight/FamilyWalk.h"

namespace vx {
namespace {

enum MatchMode { kContaining = 1, kEqualTo = 2, kBeginningWith = 3, kEndingWith = 4 };

const char* ModeWord(int mode) {
    switch (mode) {
        case kContaining:
            return " containing ";
        case kEqualTo:
            return " equal to ";
        case kBeginningWith:
            return " begining with ";
        case kEndingWith:
            return " ending with ";
        default:
            return "";
    }
}

bool IsSoundexKind(int kind) {
    return kind == Cond::SoundexSurname || kind == Cond::SoundexGiven;
}

// Kinds that search the whole ancestry or descent.
bool IsLineKind(int kind) {
    return kind >= Cond::AncestorName && kind <= Cond::DescendantSurname;
}

bool SearchesAncestors(int kind) {
    return kind == Cond::AncestorName || kind == Cond::AncestorSurname;
}

// Kinds that read given names rather than surnames of relatives.
bool ReadsGivenNames(int kind) {
    return kind >= Cond::SiblingName && kind <= Cond::DescendantName;
}

}  // namespace

void WHLStr::ParseParams() {
    mode_ = !params_.empty() && params_[0] >= '0' && params_[0] <= '9' ? params_[0] - '0' : 1;
    key_ = params_.empty() ? std::string() : UpperText(std::string_view(params_).substr(1));
    soundexKey_.clear();
    if (IsSoundexKind(kind_)) {
        if (mode_ == 1) soundexKey_ = SoundexCode(key_);
        if (mode_ == 2) soundexKey_ = key_;
    }
}

bool WHLStr::Matches(const std::string& text) const {
    if (key_.empty()) return false;
    const std::string upper = UpperText(text);
    switch (mode_) {
        case kContaining:
            return upper.find(key_) != std::string::npos;
        case kEqualTo:
            return upper == key_;
        case kBeginningWith:
            return upper.compare(0, key_.size(), key_) == 0 && upper.size() >= key_.size();
        case kEndingWith:
            return upper.size() >= key_.size() &&
                   upper.compare(upper.size() - key_.size(), key_.size(), key_) == 0;
        default:
            return false;
    }
}

bool WHLStr::SoundexMatches(const WABSIndividual& person) const {
    if (key_.empty() || soundexKey_.empty()) return false;
    if (kind_ == Cond::SoundexSurname) return SoundexCode(person.SurnameText()) == soundexKey_;
    std::vector<std::string> names;
    Split(person.GivenNames(), " ", names, false);
    for (const std::string& name : names)
        if (SoundexCode(name) == soundexKey_) return true;
    return false;
}

void WHLStr::Evaluate(int32_t individual) {
    auto person = Person(individual);
    if (!person || key_.empty()) return SetResult(individual, false);
    if (IsLineKind(kind_)) {
        // Only the stored answer counts: someone along the line matched.
        SearchLine(individual);
        return;
    }
    if (kind_ == Cond::MarriagePlace) {
        // Both spouses of a matching family share the answer.
        bool any = false;
        ForEachSpouseFamily(*collection_, *person, [&](const WABSMarriage& family) {
            if (!Matches(family.MarriagePlaceText())) return false;
            any = true;
            if (const int32_t spouse = family.OtherSpouse(individual)) SetResult(spouse, true);
            return false;
        });
        return SetResult(individual, any);
    }
    SetResult(individual, Test(*person, individual));
}

bool WHLStr::Test(const WABSIndividual& person, int32_t individual) {
    if (IsSoundexKind(kind_)) return SoundexMatches(person);
    auto nameMatches = [&](int32_t relative) {
        auto other = Person(relative);
        return other &&
               Matches(ReadsGivenNames(kind_) ? other->GivenNames() : other->SurnameText());
    };
    switch (kind_) {
        case Cond::TextInNotes: {
            // The person's notes, then the name's, then every event's.
            if (Matches(person.NoteText())) return true;
            if (auto name = person.Name(); name && Matches(name->NoteText())) return true;
            for (int event : {kEventBirth, kEventChristening, kEventDeath, kEventBurial})
                if (auto e = person.Event(event, 1); e && Matches(e->NoteText())) return true;
            for (int i = 1; i <= person.EventCount(kEventOther); ++i)
                if (auto e = person.Event(kEventOther, i); e && Matches(e->NoteText())) return true;
            return false;
        }
        case Cond::BirthPlace:
            return Matches(person.EventPlaceText(kEventBirth));
        case Cond::ChristeningPlace:
            return Matches(person.EventPlaceText(kEventChristening));
        case Cond::DeathPlace:
            return Matches(person.EventPlaceText(kEventDeath));
        case Cond::BurialPlace:
            return Matches(person.EventPlaceText(kEventBurial));
        case Cond::AnyPlace: {
            for (int event : {kEventBirth, kEventDeath, kEventChristening, kEventBurial})
                if (Matches(person.EventPlaceText(event))) return true;
            for (int i = 1; i <= person.EventCount(kEventOther); ++i)
                if (auto e = person.Event(kEventOther, i); e && Matches(e->PlaceText()))
                    return true;
            return false;
        }
        case Cond::Surname:
            return Matches(person.SurnameText());
        case Cond::GivenNames:
            return Matches(person.GivenNames());
        case Cond::CustomId:
            return Matches(person.RefNumber());
        case Cond::LDSBaptismPlace:
            return Matches(person.LDSTempleText(kLDSBaptism, false));
        case Cond::LDSEndowmentPlace:
            return Matches(person.LDSTempleText(kLDSEndowment, false));
        case Cond::LDSSealedToParentsPlace:
            return Matches(person.LDSTempleText(kLDSSealingToParents, false));
        case Cond::LDSSealedToSpousePlace:
            return Matches(collection_->SpouseSealingTempleText(individual, 1, false));
        case Cond::AFN:
            return Matches(person.AFN());
        case Cond::ReferenceId:
            return Matches(person.XRef());
        case Cond::SiblingName:
        case Cond::SiblingSurname:  // siblings: the other children of the parent families
            return ForEachParentFamily(*collection_, person, [&](const WABSMarriage& family) {
                return ForEachChild(family, [&](int32_t child) {
                    return child != individual && nameMatches(child);
                });
            });
        case Cond::ChildName:
        case Cond::ChildSurname:  // children
            return ForEachSpouseFamily(*collection_, person, [&](const WABSMarriage& family) {
                return ForEachChild(family, nameMatches);
            });
        case Cond::ParentName:
        case Cond::ParentSurname:  // parents
            return ForEachParentFamily(*collection_, person, [&](const WABSMarriage& family) {
                return nameMatches(family.Husband()) || nameMatches(family.Wife());
            });
        case Cond::SpouseName:
        case Cond::SpouseSurname:  // spouses
            return ForEachSpouseFamily(*collection_, person, [&](const WABSMarriage& family) {
                for (int32_t spouse : {family.Husband(), family.Wife()})
                    if (spouse > 0 && spouse != individual && nameMatches(spouse)) return true;
                return false;
            });
        default:
            return false;
    }
}

bool WHLStr::OwnNameMatches(int32_t individual) const {
    auto person = Person(individual);
    return person && Matches(ReadsGivenNames(kind_) ? person->GivenNames() : person->SurnameText());
}

// Whether `start` or someone along its line matches. A person found to have
// a matching relative along the line is stored true; everybody visited is
// at least stored false, which also stops loops in damaged files. The walk
// keeps its own stack, so no depth of ancestry can exhaust the call stack.
bool WHLStr::SearchLine(int32_t start) {
    struct Frame {
        int32_t person;
        std::vector<int32_t> relatives;
        size_t next = 0;
    };
    const bool up = SearchesAncestors(kind_);
    std::vector<Frame> stack;
    // 1 or 0 for an answer known at once, -1 when a frame was opened.
    auto enter = [&](int32_t individual) -> int {
        if (individual <= 0 || !InRange(individual)) return 0;
        if (IsEvaluated(individual)) return RawTrue(individual) || OwnNameMatches(individual);
        SetResult(individual, false);
        Frame frame{individual, {}, 0};
        if (auto person = Person(individual)) {
            if (up) {
                ForEachParentFamily(*collection_, *person, [&](const WABSMarriage& family) {
                    frame.relatives.push_back(family.Husband());
                    frame.relatives.push_back(family.Wife());
                    return false;
                });
            } else {
                ForEachSpouseFamily(*collection_, *person, [&](const WABSMarriage& family) {
                    return ForEachChild(family, [&](int32_t child) {
                        frame.relatives.push_back(child);
                        return false;
                    });
                });
            }
        }
        stack.push_back(std::move(frame));
        return -1;
    };

    int answer = enter(start);
    if (answer >= 0) return answer == 1;
    while (!stack.empty()) {
        Frame& top = stack.back();
        if (answer == 1) {
            // A relative along the line matched.
            SetResult(top.person, true);
            stack.pop_back();
            continue;
        }
        if (top.next < top.relatives.size()) {
            answer = enter(top.relatives[top.next++]);
            continue;
        }
        answer = OwnNameMatches(top.person) ? 1 : 0;
        stack.pop_back();
    }
    return answer == 1;
}

std::string WHLStr::Describe() const {
    const std::string quoted = "\"" + key_ + "\"";
    if (IsSoundexKind(kind_)) {
        if (mode_ == 2) return "with " + KindWord(kind_) + " code = " + quoted;
        return "with " + KindWord(kind_) + " text = " + quoted + " (" + SoundexCode(key_) + ")";
    }
    return "with " + KindWord(kind_) + (negated_ ? " not" : "") + ModeWord(mode_) + quoted;
}

}  // namespace vx
