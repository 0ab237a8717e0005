#include "records/Note.h"

#include "app/TextUtil.h"

namespace vx {

std::string WABSNote::NoteText(const std::string& separator) const {
    if (lines_.empty()) return {};
    std::string text = lines_.front();
    for (size_t i = 1; i < lines_.size(); ++i)
        text += separator + Trim(lines_[i]);
    return text;
}

}  // namespace vx
