#include "highlight/HLGroup.h"

#include "app/Services.h"
#include "highlight/Catalogue.h"

namespace vx {

WHLGroup::WHLGroup(FamilyAnalysis* analysis) : WABSHighLighter(analysis) {}

WHLGroup::~WHLGroup() = default;

void WHLGroup::ClearConditions() {
    conditions_.clear();
}

void WHLGroup::SetConditionString(const std::string& text) {
    text_ = text;
    string_.Parse(text);
    ClearConditions();
    // A long string is told about once, not once per entry left out.
    int leftOut = 0;
    for (int i = 0; i < string_.EntryCount(); ++i)
        if (!TryAddCondition(string_.IsNegated(i), string_.KindOf(i), string_.ParamOf(i),
                             string_.IsAnd(i)))
            ++leftOut;
    if (leftOut > 0) ShowMessage(TooManyMessage(leftOut));
}

std::string WHLGroup::TooManyMessage(int leftOut) {
    return std::string(kTooManyMessage) + " (" + std::to_string(kMaxConditions) + " at most; " +
           std::to_string(leftOut) + " left out)";
}

void WHLGroup::AddCondition(bool negated, int kind, const std::string& parameter, bool andNext) {
    if (!TryAddCondition(negated, kind, parameter, andNext)) ShowMessage(TooManyMessage(1));
}

bool WHLGroup::TryAddCondition(bool negated, int kind, const std::string& parameter, bool andNext) {
    if (ConditionCount() >= kMaxConditions) return false;
    auto condition = CreateCondition(kind, analysis_);
    if (!condition) return true;
    condition->SetParams(parameter);
    condition->SetNegated(negated);
    conditions_.push_back({std::move(condition), andNext});
    return true;
}

void WHLGroup::Prepare() {
    Reset(kUnevaluated);
    for (Entry& entry : conditions_)
        entry.condition->Refresh();
}

// OR joins runs of AND-ed conditions: the answer is true when every
// condition of some run holds. Runs and conditions are tried left to right
// and stop as soon as the answer is known.
void WHLGroup::Evaluate(int32_t individual) {
    bool answer = false;
    bool runHolds = true;
    for (size_t i = 0; i < conditions_.size(); ++i) {
        if (runHolds) runHolds = conditions_[i].condition->IsHighlighted(individual);
        const bool runEnds = i + 1 == conditions_.size() || !conditions_[i].andNext;
        if (!runEnds) continue;
        if (runHolds) {
            answer = true;
            break;
        }
        runHolds = true;
    }
    SetResult(individual, answer);
}

std::string WHLGroup::Describe() const {
    std::string text;
    for (size_t i = 0; i < conditions_.size(); ++i) {
        text += conditions_[i].condition->Describe();
        if (i + 1 < conditions_.size()) text += conditions_[i].andNext ? " AND " : " OR ";
    }
    return text;
}

}  // namespace vx
