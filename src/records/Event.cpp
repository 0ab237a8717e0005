#include "records/Event.h"

#include "app/Options.h"
#include "app/TextUtil.h"

namespace vx {
namespace {

constexpr const char* kStatusWords[4][10] = {
    {"SUBMITTED", "CLEARED", "COMPLETED", "CHILD", "INFANT", "QUALIFIED", "PRE-1970", "STILLBORN",
     "UNCLEARED", "DONTDOIT"},
    {"SUBMITTED", "CLEARED", "COMPLETED", "CHILD", "INFANT", "QUALIFIED", "PRE-1970", "STILLBORN",
     "UNCLEARED", "DONTDOIT"},
    {"SUBMITTED", "CLEARED", "COMPLETED", "BIC", "DNS", "QUALIFIED", "PRE-1970", "STILLBORN",
     "UNCLEARED", "DONTDOIT"},
    {"SUBMITTED", "CLEARED", "COMPLETED", "CANCELED", "DNS", "DNS/CAN", "QUALIFIED", "PRE-1970",
     "UNCLEARED", "DONTDOIT"},
};

}  // namespace

std::string CitationsText(int count,
                          const std::function<std::unique_ptr<WABSCitation>(int)>& citation) {
    std::string text;
    bool first = true;
    for (int i = 1; i <= count; ++i) {
        auto c = citation(i);
        if (!c) continue;
        text += first ? "1) " : "\r\n\r\n" + std::to_string(i) + ") ";
        text += c->CitationText();
        first = false;
    }
    return text;
}

const WDate* WABSEvent::Date() const {
    if (!dateLoaded_) {
        dateLoaded_ = true;
        LoadDate();
    }
    return date_.get();
}

bool WABSEvent::HasDate() const {
    return Date() && Date()->HasText();
}
std::string WABSEvent::DateText() const {
    return Date() ? Date()->DisplayText() : std::string();
}

std::string WABSEvent::PlaceText() const {
    auto place = Place();
    if (!place) return {};
    std::string text = Trim(place->PlaceName());
    if (WOptions::GetFlag(opt::kPlaceCommas)) text = Trim(TrimLeftSet(text, " ,"));
    return text;
}

std::string WABSEvent::CitationsText() const {
    return vx::CitationsText(CitationCount(), [this](int i) { return Citation(i); });
}

std::string WABSEvent::NoteText() const {
    auto note = Note();
    return note ? note->NoteText("\r\n") : std::string();
}

int WABSLDSEvent::StatusCount(int kind) {
    return kind >= kLDSBaptism && kind <= kLDSSealingToSpouse ? 10 : 0;
}

std::string WABSLDSEvent::StatusWord(int kind, int position) {
    if (StatusCount(kind) == 0 || position < 1 || position > 10) return {};
    return kStatusWords[kind - kLDSBaptism][position - 1];
}

std::string WABSLDSEvent::StatusList(int kind) {
    std::string list;
    for (int position = 1; position <= StatusCount(kind); ++position)
        list += (position > 1 ? ";" : "") + StatusWord(kind, position);
    return list;
}

}  // namespace vx
