// Text conditions: a field of the person (a place, a name, a note, an
// identifier) or of a relative matched against the user's key, the marriage
// place, names along a line, and the Soundex conditions.
#include "app/TextUtil.h"
#include "highlight/Catalogue.h"
#include "highlight/Conditions.h"
#include "highlight/FamilyWalk.h"

namespace vx {
namespace {

const char* ModeWord(int mode) {
    switch (mode) {
        case TextKey::kContaining:
            return " containing ";
        case TextKey::kEqualTo:
            return " equal to ";
        case TextKey::kBeginningWith:
            return " begining with ";
        case TextKey::kEndingWith:
            return " ending with ";
        default:
            return "";
    }
}

// The Soundex parameter's modes: a text to code, or a code as it is.
enum SoundexMode { kSoundexOfText = 1, kSoundexCode = 2 };

}  // namespace

void WHLStr::ParseParams() {
    key_.mode = !params_.empty() && params_[0] >= '0' && params_[0] <= '9' ? params_[0] - '0'
                                                                           : TextKey::kContaining;
    key_.key = params_.empty() ? std::string() : UpperText(std::string_view(params_).substr(1));
}

void WHLStr::Evaluate(int32_t individual) {
    auto person = Person(individual);
    if (!person || key_.key.empty()) return SetResult(individual, false);
    SetResult(individual, Test(*person, individual));
}

bool WHLStr::Test(const WABSIndividual& person, int32_t individual) {
    return behaviour_.text && behaviour_.text(Reading(person, individual), key_);
}

std::string WHLStr::Describe() const {
    return "with " + KindWord(kind_) + (negated_ ? " not" : "") + ModeWord(key_.mode) + "\"" +
           key_.key + "\"";
}

void WHLMarriagePlace::Evaluate(int32_t individual) {
    auto person = Person(individual);
    if (!person || key_.key.empty()) return SetResult(individual, false);
    // Both spouses of a matching family share the answer.
    bool any = false;
    ForEachSpouseFamily(*collection_, *person, [&](const WABSMarriage& family) {
        if (!key_.Matches(family.MarriagePlaceText())) return false;
        any = true;
        if (const int32_t spouse = family.OtherSpouse(individual)) SetResult(spouse, true);
        return false;
    });
    SetResult(individual, any);
}

void WHLSoundex::ParseParams() {
    WHLStr::ParseParams();
    soundexKey_.clear();
    if (key_.mode == kSoundexOfText) soundexKey_ = SoundexCode(key_.key);
    if (key_.mode == kSoundexCode) soundexKey_ = key_.key;
}

bool WHLSoundex::Test(const WABSIndividual& person, int32_t) {
    if (key_.key.empty() || soundexKey_.empty()) return false;
    if (!behaviour_.givenNames) return SoundexCode(person.SurnameText()) == soundexKey_;
    std::vector<std::string> names;
    Split(person.GivenNames(), " ", names, false);
    for (const std::string& name : names)
        if (SoundexCode(name) == soundexKey_) return true;
    return false;
}

std::string WHLSoundex::Describe() const {
    const std::string quoted = "\"" + key_.key + "\"";
    if (key_.mode == kSoundexCode) return "with " + KindWord(kind_) + " code = " + quoted;
    return "with " + KindWord(kind_) + " text = " + quoted + " (" + SoundexCode(key_.key) + ")";
}

void WHLLineName::Evaluate(int32_t individual) {
    auto person = Person(individual);
    if (!person || key_.key.empty()) return SetResult(individual, false);
    // Only the stored answer counts: someone along the line matched.
    SearchLine(individual);
}

bool WHLLineName::OwnNameMatches(int32_t individual) const {
    auto person = Person(individual);
    return person &&
           key_.Matches(behaviour_.givenNames ? person->GivenNames() : person->SurnameText());
}

// Whether `start` or someone along its line matches. A person found to have
// a matching relative along the line is stored true; everybody visited is
// at least stored false, which also stops loops in damaged files. The walk
// keeps its own stack, so no depth of ancestry can exhaust the call stack.
bool WHLLineName::SearchLine(int32_t start) {
    struct Frame {
        int32_t person;
        std::vector<int32_t> relatives;
        size_t next = 0;
    };
    std::vector<Frame> stack;
    // 1 or 0 for an answer known at once, -1 when a frame was opened.
    auto enter = [&](int32_t individual) -> int {
        if (individual <= 0 || !InRange(individual)) return 0;
        if (IsEvaluated(individual)) return RawTrue(individual) || OwnNameMatches(individual);
        SetResult(individual, false);
        Frame frame{individual, {}, 0};
        if (auto person = Person(individual))
            behaviour_.relatives(*collection_, *person, individual, frame.relatives);
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

}  // namespace vx
