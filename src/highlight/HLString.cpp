#include "highlight/HLString.h"

#include <cstdlib>

#include "app/Errors.h"
#include "app/TextUtil.h"

namespace vx {

void WHLString::Clear() {
    entries_.clear();
    isAnd_.fill(false);
}

void WHLString::Parse(const std::string& text) {
    Clear();
    if (text.empty()) return;
    std::vector<std::string> pieces;
    Split(text, ";", pieces, true);
    for (size_t i = 0; i < pieces.size(); ++i) {
        if (i % 2 == 0) {
            entries_.push_back(pieces[i]);
        } else if (const size_t position = i / 2; position < isAnd_.size()) {
            isAnd_[position] = pieces[i] == "A";
        }
    }
}

bool WHLString::IsAnd(int i) const {
    return i >= 0 && i < kMaxOperators && isAnd_[static_cast<size_t>(i)];
}

bool WHLString::IsNegated(int i) const {
    const std::string& entry = EntryText(i);
    return !entry.empty() && entry[0] == '-';
}

int WHLString::KindOf(int i) const {
    const std::string& entry = EntryText(i);
    const std::string number = entry.substr(0, entry.find(':'));
    int32_t kind = 0;
    if (!ParseInt(number, kind)) throw EConvertError(number);
    return kind == INT32_MIN ? INT32_MAX : std::abs(kind);
}

std::string WHLString::ParamOf(int i) const {
    const std::string& entry = EntryText(i);
    const size_t first = entry.find(':');
    if (first == std::string::npos) return {};
    const size_t second = entry.find(':', first + 1);
    return entry.substr(first + 1,
                        second == std::string::npos ? std::string::npos : second - first - 1);
}

}  // namespace vx
