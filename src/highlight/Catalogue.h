// The catalogue of condition kinds: for each kind number its captions, its
// parameter flag and editor, the class that tests it and the word its
// description uses.
#pragma once

#include <memory>
#include <string>

namespace vx {

class WABSCollection;
class WABSHighLighter;

inline constexpr int kConditionKinds = 113;

// The caption, or the negated caption; empty outside 1..113.
std::string KindCaption(int kind, bool negated);
// 1 when the kind takes a parameter.
int KindHasParam(int kind);
// The field at position i + 2 of the kind's entry (KindField(kind, 1) names
// the parameter editor); empty when the entry is shorter.
std::string KindField(int kind, int i);
// The first comma-separated piece of that field as a number; 0 when empty
// or not a number.
int KindFieldInt(int kind, int i);
// The word the kind's description uses ("birth date", "surname" ...).
std::string KindWord(int kind);

// A new condition of that kind, or null for the placeholder (1), kind 101
// and numbers outside the catalogue.
std::unique_ptr<WABSHighLighter> CreateCondition(int kind, const WABSCollection* collection);

}  // namespace vx
