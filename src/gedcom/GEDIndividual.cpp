#include "gedcom/GEDIndividual.h"

#include "app/Errors.h"
#include "app/TextUtil.h"
#include "app/Unicode.h"
#include "gedcom/GEDCollection.h"
#include "gedcom/GEDEvent.h"
#include "gedcom/GEDRecordLines.h"
#include "gedcom/GEDSource.h"

namespace vx {
namespace {

// Tags of the "other" events of an individual, in no particular order.
constexpr const char* kOtherEventTags[] = {
    "SSN",  "DIV",  "ENGA", "CHRA", "PROB", "MARB", "MARC", "EDUC", "GRAD", "CONF", "EMIG", "NCHI",
    "RELI", "IMMI", "RESI", "NATI", "RETI", "WILL", "CONL", "TITL", "ANUL", "CREM", "FCOM", "BAPM",
    "ORDN", "EVEN", "ASSO", "ADOP", "PROP", "DSCR", "BLES", "CENS", "MARS", "CAST", "OCCU", "NATU"};

constexpr int kMaxOtherEvents = 999;

// A suffix taken from the name line itself keeps at most this many characters.
constexpr size_t kMaxSuffixChars = 255;

// Which summary field a level-1 line fills; -1 for none.
struct SummaryTag {
    const char* tag;
    int field;
};
constexpr SummaryTag kSummaryTags[] = {
    {"AFN", WGEDIndividual::kSumAFN},         {"BIRT", WGEDIndividual::kSumBirth},
    {"CHR", WGEDIndividual::kSumChristening}, {"DEAT", WGEDIndividual::kSumDeath},
    {"BURI", WGEDIndividual::kSumBurial},     {"CHAN", WGEDIndividual::kSumChange},
    {"BAPL", WGEDIndividual::kSumLDSBaptism}, {"CONS", WGEDIndividual::kSumLDSBaptism},
    {"ENDL", WGEDIndividual::kSumEndowment},  {"SLGC", WGEDIndividual::kSumSealingToParents},
};

int SummaryFieldOfEvent(int kind) {
    switch (kind) {
        case kEventBirth:
            return WGEDIndividual::kSumBirth;
        case kEventDeath:
            return WGEDIndividual::kSumDeath;
        case kEventChristening:
            return WGEDIndividual::kSumChristening;
        case kEventBurial:
            return WGEDIndividual::kSumBurial;
        case kLDSBaptism:
            return WGEDIndividual::kSumLDSBaptism;
        case kLDSEndowment:
            return WGEDIndividual::kSumEndowment;
        case kLDSSealingToParents:
            return WGEDIndividual::kSumSealingToParents;
        default:
            return -1;
    }
}

constexpr uint8_t kFlagFilled = 0;
constexpr uint8_t kFlagSeveralNotes = 1;

}  // namespace

WGEDName::WGEDName(const WGEDCollection& collection, const char* nameLine)
    : collection_(collection) {
    const WGEDTextMMF& text = collection.GedFile();
    if (!text.Contains(nameLine)) return;
    value_ = ValueOf(text, nameLine);
    ForEachChildLine(text, nameLine, [&](const char* child) {
        if (text.TagIs(child, "NPFX")) prefixLine_ = child;
        if (text.TagIs(child, "NSFX")) suffixLine_ = child;
        if (text.TagIs(child, "NOTE")) noteLine_ = child;
        if (text.TagIs(child, "SOUR") && sourLines_.size() < kMaxCitations)
            sourLines_.push_back(child);
    });
}

std::string WGEDName::RawValue() const {
    return LineValue(collection_.GedFile(), value_);
}

std::string WGEDName::GivenNames() const {
    const std::string value = RawValue();
    if (value.empty()) return {};
    if (value[0] != '/') return collection_.ConvertText(Trim(value.substr(0, value.find('/'))));
    const size_t close = value.find('/', 1);
    if (close == std::string::npos) return {};
    return collection_.ConvertText(Trim(value.substr(close + 1)));
}

std::string WGEDName::Surname() const {
    const std::string value = RawValue();
    const size_t open = value.find('/');
    if (open == std::string::npos) return {};
    const size_t close = value.find('/', open + 1);
    const std::string surname =
        value.substr(open + 1, close == std::string::npos ? std::string::npos : close - open - 1);
    return surname.size() >= 256 ? std::string() : collection_.ConvertText(surname);
}

std::string WGEDName::Prefix() const {
    if (!prefix_) {
        const WGEDTextMMF& text = collection_.GedFile();
        prefix_ = prefixLine_ ? collection_.ConvertText(LineValue(text, ValueOf(text, prefixLine_)))
                              : std::string();
    }
    return *prefix_;
}

std::string WGEDName::Suffix() const {
    if (!suffix_) {
        const WGEDTextMMF& text = collection_.GedFile();
        if (suffixLine_) {
            suffix_ = collection_.ConvertText(LineValue(text, ValueOf(text, suffixLine_)));
        } else {
            // After the second "/" of "Given /Surname/ Jr."; a value that
            // starts with the surname has its given names there instead.
            const std::string value = RawValue();
            const size_t first =
                value.empty() || value[0] == '/' ? std::string::npos : value.find('/');
            const size_t second = first == std::string::npos ? first : value.find('/', first + 1);
            suffix_ = second == std::string::npos
                          ? std::string()
                          : std::string(LeftChars(collection_.ConvertText(value.substr(second + 1)),
                                                  kMaxSuffixChars));
        }
    }
    return *suffix_;
}

std::unique_ptr<WABSCitation> WGEDName::Citation(int i) const {
    if (i < 1 || i > CitationCount()) return nullptr;
    return std::make_unique<WGEDCitation>(collection_, sourLines_[i - 1]);
}

std::unique_ptr<WABSNote> WGEDName::Note() const {
    return collection_.NoteFromLine(noteLine_);
}

// ---- the GEDCOM individual ----

WGEDIndividual::WGEDIndividual(const WGEDCollection& collection, int32_t n)
    : collection_(collection) {
    number_ = n;
    try {
        recordLine_ = collection.RecordLine(WGEDCollection::kSlotIndividual, n);
        entry_ = &collection.IndividualIndex().Entry(n);
    } catch (const EIndexError&) {
        throw EMemoryError(n);
    }
}

// The summary is filled the first time anything needs it, so walks that
// only follow family links never scan the record.
const IndSummaryEntry& WGEDIndividual::Summary() const {
    if (!TestBit(entry_->flags, kFlagFilled)) const_cast<WGEDIndividual*>(this)->FillSummary();
    return *entry_;
}

void WGEDIndividual::ClearSummary() {
    FillSummary();
}

// Distances are 16 bits wide: a line that starts more than 65535 bytes into
// its record is left out of the summary rather than recorded at a wrong
// distance.
void WGEDIndividual::FillSummary() {
    const int32_t offset = entry_->offset;
    *entry_ = IndSummaryEntry{};
    entry_->offset = offset;
    entry_->sex = 'U';
    SetBit(entry_->flags, kFlagFilled);
    const WGEDTextMMF& text = collection_.GedFile();
    bool noteSeen = false;
    collection_.ForEachSubLine(recordLine_, [&](const char* line) {
        if (*line != '1') return;
        const ptrdiff_t distance = line - recordLine_;
        if (distance > 65535) return;
        const auto position = static_cast<uint16_t>(distance);
        if (text.TagIs(line, "NAME")) {
            if (entry_->positions[kSumName] == 0) entry_->positions[kSumName] = position;
        } else if (TagMatches(text, line, "SEX")) {
            const std::string value = LineValue(text, ValueOf(text, line));
            entry_->sex = value.empty() ? 'U' : static_cast<uint8_t>(value[0]);
        } else if (text.TagIs(line, "NOTE")) {
            if (!noteSeen) {
                entry_->positions[kSumNote] = position;
                ClearBit(entry_->flags, kFlagSeveralNotes);
                noteSeen = true;
            } else {
                SetBit(entry_->flags, kFlagSeveralNotes);
            }
        } else {
            for (const SummaryTag& t : kSummaryTags)
                if (TagMatches(text, line, t.tag)) entry_->positions[t.field] = position;
        }
    });
}

const char* WGEDIndividual::SummaryPosition(int field) const {
    if (field < 0 || Summary().positions[field] == 0) return nullptr;
    return recordLine_ + Summary().positions[field];
}

std::string WGEDIndividual::XRef() const {
    const WGEDTextMMF& text = collection_.GedFile();
    return text.LineXRef(text.WithinLine(recordLine_, 2), true).value_or(std::string());
}

std::string WGEDIndividual::RefNumber() const {
    const WGEDTextMMF& text = collection_.GedFile();
    const char* found = nullptr;
    collection_.ForEachSubLine(recordLine_, [&](const char* line) {
        if (!found && *line == '1' && text.TagIs(line, "REFN")) found = line;
    });
    return found ? collection_.ConvertText(LineValue(text, ValueOf(text, found))) : std::string();
}

std::string WGEDIndividual::AFN() const {
    const char* line = SummaryPosition(kSumAFN);
    const WGEDTextMMF& text = collection_.GedFile();
    return line ? collection_.ConvertText(LineValue(text, ValueOf(text, line))) : std::string();
}

std::string WGEDIndividual::Sex() const {
    return std::string(1, static_cast<char>(Summary().sex));
}

const WDate* WGEDIndividual::ChangeDate() const {
    if (!changeDate_) {
        changeDate_.emplace();
        const WGEDTextMMF& text = collection_.GedFile();
        if (const char* change = SummaryPosition(kSumChange)) {
            const int level = LineLevel(text, change);
            for (const char* p = text.NextLine(change, true); p && LineLevel(text, p) > level;
                 p = text.NextLine(p, true))
                if (text.TagIs(p, "DATE")) {
                    *changeDate_ = DateOfLine(collection_, p);
                    break;
                }
        }
    }
    return changeDate_->get();
}

std::unique_ptr<WABSName> WGEDIndividual::Name() const {
    const char* line = SummaryPosition(kSumName);
    return line ? std::make_unique<WGEDName>(collection_, line) : nullptr;
}

void WGEDIndividual::ScanOtherEvents() const {
    if (otherEventLines_) return;
    otherEventLines_.emplace();
    const WGEDTextMMF& text = collection_.GedFile();
    collection_.ForEachSubLine(recordLine_, [&](const char* line) {
        if (*line != '1' || otherEventLines_->size() >= kMaxOtherEvents) return;
        for (const char* tag : kOtherEventTags)
            if (TagMatches(text, line, tag)) {
                otherEventLines_->push_back(line);
                return;
            }
    });
}

int WGEDIndividual::EventCount(int kind) const {
    if (kind == kEventOther) {
        ScanOtherEvents();
        return static_cast<int>(otherEventLines_->size());
    }
    if (kind >= kEventBirth && kind <= kEventBurial)
        return SummaryPosition(SummaryFieldOfEvent(kind)) ? 1 : 0;
    return 0;
}

std::unique_ptr<WABSVitEvent> WGEDIndividual::Event(int kind, int index) const {
    const char* line = nullptr;
    if (kind == kEventOther) {
        ScanOtherEvents();
        if (index >= 1 && index <= static_cast<int>(otherEventLines_->size()))
            line = (*otherEventLines_)[index - 1];
    } else if (kind >= kEventBirth && kind <= kEventBurial) {
        line = SummaryPosition(SummaryFieldOfEvent(kind));
    }
    return line ? std::make_unique<WGEDVitEvent>(collection_, line) : nullptr;
}

std::unique_ptr<WABSLDSEvent> WGEDIndividual::LDSEvent(int kind) const {
    if (kind < kLDSBaptism || kind > kLDSSealingToParents) return nullptr;
    const char* line = SummaryPosition(SummaryFieldOfEvent(kind));
    return line ? std::make_unique<WGEDLDSEvent>(collection_, line) : nullptr;
}

int WGEDIndividual::ParentFamilyCount() const {
    return collection_.IndividualLinks().ParentFamilyCount(number_);
}

int32_t WGEDIndividual::ParentFamily(int i) const {
    return collection_.IndividualLinks().ParentFamily(number_, i);
}

bool WGEDIndividual::ParentFamilyLink(int i, int32_t& family, int& motherLink,
                                      int& fatherLink) const {
    family = ParentFamily(i);
    motherLink = WIndLinks::kMotherLink;
    fatherLink = WIndLinks::kFatherLink;
    return true;
}

int WGEDIndividual::SpouseFamilyCount() const {
    return collection_.IndividualLinks().SpouseFamilyCount(number_);
}

int32_t WGEDIndividual::SpouseFamily(int i) const {
    return collection_.IndividualLinks().SpouseFamily(number_, i);
}

void WGEDIndividual::ScanSources() const {
    if (sourLines_) return;
    sourLines_.emplace();
    const WGEDTextMMF& text = collection_.GedFile();
    collection_.ForEachSubLine(recordLine_, [&](const char* line) {
        if (*line == '1' && text.TagIs(line, "SOUR") && sourLines_->size() < kMaxCitations)
            sourLines_->push_back(line);
    });
}

int WGEDIndividual::CitationCount() const {
    ScanSources();
    return static_cast<int>(sourLines_->size());
}

std::unique_ptr<WABSCitation> WGEDIndividual::Citation(int i) const {
    if (i < 1 || i > CitationCount()) return nullptr;
    return std::make_unique<WGEDCitation>(collection_, (*sourLines_)[i - 1]);
}

std::unique_ptr<WABSNote> WGEDIndividual::Note() const {
    const char* first = SummaryPosition(kSumNote);
    if (!first) return nullptr;
    auto note = collection_.NoteFromLine(first);
    if (!note || !TestBit(Summary().flags, kFlagSeveralNotes)) return note;
    // Every later level-1 note adds one line made of its own lines.
    const WGEDTextMMF& text = collection_.GedFile();
    collection_.ForEachSubLine(recordLine_, [&](const char* line) {
        if (line <= first || *line != '1' || !text.TagIs(line, "NOTE")) return;
        if (auto more = collection_.NoteFromLine(line)) note->AddLine(more->NoteText("\r\n"));
    });
    return note;
}

std::string WGEDIndividual::RecordText() const {
    const WGEDTextMMF& text = collection_.GedFile();
    std::string raw = RawRecordText(text, recordLine_);
    if (collection_.GedFile().UsesLFFirst()) raw = CrLfLineBreaks(raw);
    return collection_.ConvertText(raw);
}

}  // namespace vx
