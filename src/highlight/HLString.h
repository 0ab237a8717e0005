// A condition string as the editor writes it: entries such as "+29:1SMITH"
// or "-17:F" joined by operators, "A" for AND and anything else for OR,
// all separated by ";".
#pragma once

#include <array>
#include <string>
#include <vector>

namespace vx {

class WHLString {
  public:
    static constexpr int kMaxOperators = 12;

    // Clears, then splits the text: pieces 1, 3, 5... are entries, the
    // pieces between them operators.
    void Parse(const std::string& text);
    void Clear();

    int EntryCount() const { return static_cast<int>(entries_.size()); }
    // The operator after entry i (from 0); false beyond the recorded ones.
    bool IsAnd(int i) const;
    bool IsNegated(int i) const;
    // The kind number of entry i. Errors: EConvertError when it is not a
    // number.
    int KindOf(int i) const;
    // The text between the entry's first and second ":".
    std::string ParamOf(int i) const;
    const std::string& EntryText(int i) const { return entries_.at(static_cast<size_t>(i)); }

  private:
    std::array<bool, kMaxOperators> isAnd_{};
    std::vector<std::string> entries_;
};

}  // namespace vx
