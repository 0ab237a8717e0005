#include "records/Individual.h"

#include "app/Options.h"
#include "app/TextUtil.h"
#include "records/DateDiff.h"

namespace vx {
namespace {

// Ages above this many years are not shown.
constexpr int kAgeLimit = 110;

}  // namespace

// ---- names ----

std::string WABSName::CitationsText() const {
    return vx::CitationsText(CitationCount(), [this](int i) { return Citation(i); });
}

std::string WABSName::NoteText() const {
    auto note = Note();
    return note ? note->NoteText("\r\n") : std::string();
}

// ---- display texts of any individual ----

std::string WABSIndividual::GivenNames() const {
    auto name = Name();
    return name ? name->GivenNames() : std::string();
}

std::string WABSIndividual::SurnameText() const {
    auto name = Name();
    if (!name) return {};
    return WOptions::GetFlag(opt::kNameUpper) ? UpperText(name->Surname()) : name->Surname();
}

std::string WABSIndividual::FullName(bool withTitles) const {
    auto name = Name();
    if (!name) return {};
    const bool titles = withTitles && WOptions::GetFlag(opt::kPreSuf);
    std::string text;
    if (titles) {
        text = name->Prefix();
        if (!text.empty()) text += ' ';
    }
    text += name->GivenNames();
    if (!text.empty()) text += ' ';
    std::string surname = name->Surname();
    if (WOptions::GetFlag(opt::kNameUpper)) surname = UpperText(surname);
    text += WOptions::GetFlag(opt::kNameSlash) ? "/" + surname + "/" : surname;
    if (titles) {
        const std::string suffix = name->Suffix();
        if (!suffix.empty()) text += (text.empty() ? "" : " ") + suffix;
    }
    return text;
}

std::string WABSIndividual::DisplayName() const {
    std::string text = FullName(true);
    if (!WOptions::GetFlag(opt::kFNValueFlag)) return text;
    switch (WOptions::GetInt(opt::kFNValue)) {
        case opt::kNameValueNumber:
            return text + " (" + std::to_string(Number()) + ")";
        case opt::kNameValueCustomID:
            return text + " {" + RefNumber() + "}";
        default:  // opt::kNameValueRIN
            return text + " [" + XRef() + "]";
    }
}

std::string WABSIndividual::SummaryLine(bool withIdentifier) const {
    return (withIdentifier ? DisplayName() : FullName(false)) + ", (b. " +
           EventDateText(kEventBirth) + ", " + EventPlaceText(kEventBirth) + "), (d. " +
           EventDateText(kEventDeath) + ", " + EventPlaceText(kEventDeath) + ")";
}

std::string WABSIndividual::EventDateText(int kind, int index) const {
    auto event = Event(kind, index);
    return event ? event->DateText() : std::string();
}

std::string WABSIndividual::EventPlaceText(int kind, int index) const {
    auto event = Event(kind, index);
    return event ? event->PlaceText() : std::string();
}

std::string WABSIndividual::EventDatePlaceText(int kind, int index) const {
    auto event = Event(kind, index);
    return event ? event->DateText() + ", " + event->PlaceText() : std::string();
}

bool WABSIndividual::EventHasDate(int kind, int index) const {
    auto event = Event(kind, index);
    return event && event->HasDate();
}

int WABSIndividual::EventYear(int kind, int index) const {
    auto event = Event(kind, index);
    return event && event->Date() ? event->Date()->Year() : 0;
}

std::string WABSIndividual::EventQualifierLetter(int kind, int index) const {
    auto event = Event(kind, index);
    return event && event->Date() ? std::string(event->Date()->QualifierLetter()) : std::string();
}

std::string WABSIndividual::LDSDateText(int kind) const {
    auto event = LDSEvent(kind);
    return event ? event->DateText() : std::string();
}

std::string WABSIndividual::LDSTempleText(int kind, bool livingForm) const {
    auto event = LDSEvent(kind);
    if (!event) return {};
    if (livingForm && !event->HasTemple()) return "Live";
    return event->PlaceText();
}

bool WABSIndividual::IsPossiblyLiving(int maxAge) const {
    if (EventHasDate(kEventDeath) || EventHasDate(kEventBurial)) return false;
    int year = EventYear(kEventBirth);
    if (year == 0) year = EventYear(kEventChristening);
    if (year <= 0) return false;
    return static_cast<int64_t>(Today().Year) - year < maxAge;
}

struct WABSIndividual::AgeSpan {
    std::unique_ptr<WABSVitEvent> startEvent, endEvent;
    std::unique_ptr<WDate> today;
    bool substituted = false;
    bool open = false;
    WDateDiff difference;
};

// Start: birth, else christening; end: death, else burial, else today.
bool WABSIndividual::ComputeAge(AgeSpan& span) const {
    const bool substitute = WOptions::GetFlag(opt::kAgeCalcCB);
    span.startEvent = Event(kEventBirth, 1);
    if ((!span.startEvent || !span.startEvent->Date()) && substitute) {
        span.startEvent = Event(kEventChristening, 1);
        span.substituted = span.startEvent && span.startEvent->Date();
    }
    const WDate* start = span.startEvent ? span.startEvent->Date() : nullptr;
    if (!start) return false;
    span.endEvent = Event(kEventDeath, 1);
    if ((!span.endEvent || !span.endEvent->HasDate()) && substitute) {
        span.endEvent = Event(kEventBurial, 1);
        if (span.endEvent && span.endEvent->HasDate()) span.substituted = true;
    }
    const WDate* end = span.endEvent && span.endEvent->HasDate() ? span.endEvent->Date() : nullptr;
    if (!end) {
        span.today = std::make_unique<WDate>("TODAY");
        end = span.today.get();
        span.open = true;
    }
    if (!start->HasText() || !end->HasText()) return false;
    return span.difference.Calculate(start, end);
}

int WABSIndividual::AgeYears() const {
    AgeSpan span;
    return ComputeAge(span) ? static_cast<int>(span.difference.Years()) : -1;
}

std::string WABSIndividual::AgeText() const {
    AgeSpan span;
    if (!ComputeAge(span) || span.difference.Years() > kAgeLimit) return {};
    std::string text = span.difference.AgeText();
    if (span.open) text += "?";
    return span.substituted ? "[" + text + "]" : text;
}

std::string WABSIndividual::CitationsText() const {
    return vx::CitationsText(CitationCount(), [this](int i) { return Citation(i); });
}

std::string WABSIndividual::NoteText() const {
    auto note = Note();
    return note ? note->NoteText("\r\n") : std::string();
}

std::string WABSIndividual::ChangeDateText() const {
    const WDate* date = ChangeDate();
    return date ? date->DisplayText() : std::string();
}

bool WABSIndividual::HasNotes() const {
    if (!NoteText().empty()) return true;
    if (auto name = Name(); name && name->Note()) return true;
    for (int kind : {kEventBirth, kEventChristening, kEventDeath, kEventBurial})
        if (auto event = Event(kind, 1); event && event->HasNote()) return true;
    for (int i = 1; i <= EventCount(kEventOther); ++i)
        if (auto event = Event(kEventOther, i); event && event->HasNote()) return true;
    return false;
}

bool WABSIndividual::HasSources() const {
    if (CitationCount() >= 1) return true;
    if (auto name = Name(); name && name->CitationCount() > 0) return true;
    for (int kind : {kEventBirth, kEventChristening, kEventDeath, kEventBurial})
        if (auto event = Event(kind, 1); event && event->CitationCount() > 0) return true;
    for (int i = 1; i <= EventCount(kEventOther); ++i)
        if (auto event = Event(kEventOther, i); event && event->CitationCount() > 0) return true;
    return false;
}

}  // namespace vx
