// Notes: text attached to any record, kept as its non-empty lines.
#pragma once

#include <string>
#include <vector>

namespace vx {

class WABSNote {
  public:
    virtual ~WABSNote() = default;

    // Adds the text as a new line unless it is empty.
    void AddLine(const std::string& text) {
        if (!text.empty()) lines_.push_back(text);
    }
    // The first line unchanged, then each further line trimmed and preceded
    // by the separator.
    std::string NoteText(const std::string& separator) const;
    const std::vector<std::string>& Lines() const { return lines_; }
    int LineCount() const { return static_cast<int>(lines_.size()); }

  private:
    std::vector<std::string> lines_;
};

}  // namespace vx
