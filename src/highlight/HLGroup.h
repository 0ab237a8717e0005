// The user's highlighting: up to ten conditions joined by AND and OR, AND
// binding tighter, read from a condition string. The group caches its own
// answer per individual like a single condition, and evaluates conditions
// left to right only as far as the answer needs them.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "highlight/HLString.h"
#include "highlight/HighLighter.h"

namespace vx {

class WHLGroup : public WABSHighLighter {
  public:
    static constexpr int kMaxConditions = 10;
    static constexpr const char* kTooManyMessage = "Error: Too many high lighting options";

    explicit WHLGroup(FamilyAnalysis* analysis);
    ~WHLGroup() override;

    // Replaces every condition by those of the string; the answers given so
    // far stay until the next Prepare. Errors: EConvertError for an entry
    // whose kind is not a number, which ends the reading (the conditions
    // before it remain).
    void SetConditionString(const std::string& text);
    const std::string& ConditionString() const { return text_; }
    // Adds a condition joined to the next one by AND (or OR). Beyond ten
    // conditions it only tells the user so; kinds without a condition add
    // nothing, and their operator goes with them.
    void AddCondition(bool negated, int kind, const std::string& parameter, bool andNext = false);
    // What the user is told when conditions beyond the ten are left out.
    static std::string TooManyMessage(int leftOut);
    void ClearConditions();
    int ConditionCount() const { return static_cast<int>(conditions_.size()); }
    WABSHighLighter& Condition(int i) { return *conditions_.at(static_cast<size_t>(i)).condition; }

    // Forgets every answer of the group and its conditions and reads the
    // conditions' parameters again.
    void Prepare() override;
    void Evaluate(int32_t individual) override;
    // The conditions' descriptions joined by " AND " and " OR ".
    std::string Describe() const override;

  private:
    // Adds the condition; false (and nothing added) beyond ten conditions.
    bool TryAddCondition(bool negated, int kind, const std::string& parameter, bool andNext);

    struct Entry {
        std::unique_ptr<WABSHighLighter> condition;
        bool andNext = false;  // the operator after this condition
    };

    std::string text_;
    WHLString string_;
    std::vector<Entry> conditions_;
};

}  // namespace vx
