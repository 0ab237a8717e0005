#include "highlight/HighLighter.h"

#include <cstring>

#include "analysis/FamilyAnalysis.h"
#include "app/Errors.h"
#include "app/Options.h"
#include "app/TextUtil.h"
#include "gedcom/ABSCollection.h"
#include "records/Individual.h"

namespace vx {

WABSHighLighter::WABSHighLighter(FamilyAnalysis* analysis, int kind)
    : WABSArrayIndex("", 1, analysis ? analysis->Collection().IndividualCount() : 0),
      analysis_(analysis),
      collection_(analysis ? &analysis->Collection() : nullptr),
      kind_(kind) {
    SetCount(collection_ ? collection_->IndividualCount() : 0);
}

WABSHighLighter::Answer WABSHighLighter::StoredAnswer(int32_t individual) const {
    const char* byte = Item(individual);
    return byte ? static_cast<Answer>(*byte) : kUnevaluated;
}

bool WABSHighLighter::IsTrue(int32_t individual) {
    if (!InRange(individual)) return false;
    if (StoredAnswer(individual) == kUnevaluated) Evaluate(individual);
    return StoredAnswer(individual) == kTrue;
}

bool WABSHighLighter::IsHighlighted(int32_t individual) {
    if (!InRange(individual)) return false;
    if (StoredAnswer(individual) == kUnevaluated) Evaluate(individual);
    return StoredAnswer(individual) == (negated_ ? kFalse : kTrue);
}

void WABSHighLighter::SetResult(int32_t individual, bool flag) {
    if (char* byte = Item(individual)) *byte = static_cast<char>(flag ? kTrue : kFalse);
}

void WABSHighLighter::Reset(Answer value) {
    // The records are one byte each, side by side.
    if (Count() > 0) std::memset(Item(1), value, static_cast<size_t>(Count()));
}

bool WABSHighLighter::IsEvaluated(int32_t individual) const {
    return !InRange(individual) || StoredAnswer(individual) != kUnevaluated;
}

bool WABSHighLighter::RawTrue(int32_t individual) const {
    return StoredAnswer(individual) == kTrue;
}

uint32_t WABSHighLighter::BackgroundColor(int32_t individual) {
    return IsHighlighted(individual) ? HighlightColor() : kColorWhite;
}

uint32_t WABSHighLighter::TextColor(int32_t individual) {
    return IsHighlighted(individual) ? HighlightTextColor() : kColorBlack;
}

uint32_t WABSHighLighter::HighlightColor() {
    return static_cast<uint32_t>(WOptions::GetInt(opt::kHLCol));
}

uint32_t WABSHighLighter::HighlightTextColor() {
    return static_cast<uint32_t>(WOptions::GetInt(opt::kHLTCol));
}

std::unique_ptr<WABSIndividual> WABSHighLighter::Person(int32_t individual) const {
    if (!collection_ || individual < 1 || individual > collection_->IndividualCount())
        return nullptr;
    return collection_->Individual(individual);
}

WABSHLInd::WABSHLInd(FamilyAnalysis* analysis, int kind, const KindBehaviour& behaviour)
    : WABSHighLighter(analysis, kind), behaviour_(behaviour) {}

PersonReading WABSHLInd::Reading(const WABSIndividual& person, int32_t individual) const {
    return {*analysis_, *collection_, person, individual, behaviour_};
}

void WABSHLInd::Prepare() {
    ParseParams();
    Reset(kUnevaluated);
}

void WABSHLInd::Evaluate(int32_t individual) {
    auto person = Person(individual);
    SetResult(individual, person && Test(*person, individual));
}

void WABSHLInd::ParseIndividualParam(const std::string& text) {
    const size_t caret = text.find('^');
    if (caret == std::string::npos) throw VxError("List index out of bounds (1)");
    auto number = [](std::string_view piece, int32_t fallback) {
        int32_t value = 0;
        return ParseInt(piece, value) ? value : fallback;
    };
    firstParam_ = number(std::string_view(text).substr(0, caret), 1);
    secondParam_ = number(std::string_view(text).substr(caret + 1), 0);
}

}  // namespace vx
