#include "gedcom/GEDEvent.h"

#include "app/TextUtil.h"
#include "gedcom/GEDCollection.h"
#include "gedcom/GEDRecordLines.h"
#include "gedcom/GEDSource.h"
#include "records/Individual.h"

namespace vx {
namespace {

struct EventTag {
    const char* tag;
    int kind;
    const char* name;
};

// Event names by tag; other tags are events of kind 6 with no name.
constexpr EventTag kEventTags[] = {
    {"BIRT", kEventBirth, ""},
    {"DEAT", kEventDeath, ""},
    {"CHR", kEventChristening, ""},
    {"BURI", kEventBurial, ""},
    {"BAPM", kEventBaptism, "Baptism"},
    {"EVEN", kEventOther, "Event"},
    {"SSN", kEventOther, "SSN"},
    {"DIV", kEventOther, "Divorce"},
    {"ENGA", kEventOther, "Engagement"},
    {"CHRA", kEventOther, "Adult Christening"},
    {"PROB", kEventOther, "Probate"},
    {"MARB", kEventOther, "Marriage Banns"},
    {"MARC", kEventOther, "Marriage Contract"},
    {"EDUC", kEventOther, "Education"},
    {"GRAD", kEventOther, "Graduation"},
    {"CONF", kEventOther, "Confirmation"},
    {"EMIG", kEventOther, "Emigration"},
    {"NCHI", kEventOther, "Children Count"},
    {"RELI", kEventOther, "Religion"},
    {"IMMI", kEventOther, "Immigration"},
    {"RESI", kEventOther, "Residence"},
    {"NATI", kEventOther, "Nationality"},
    {"RETI", kEventOther, "Retirement"},
    {"WILL", kEventOther, "Will"},
    {"CONL", kEventOther, "Confirmation LDS"},
    {"TITL", kEventOther, "Nobility Title"},
    {"ANUL", kEventOther, "Annulment"},
    {"CREM", kEventOther, "Cremation"},
    {"FCOM", kEventOther, "First Communion"},
    {"ORDN", kEventOther, "Ordinance"},
    {"ASSO", kEventOther, "Associates"},
    {"ADOP", kEventOther, "Adoption"},
    {"PROP", kEventOther, "Property"},
    {"DSCR", kEventOther, "Physical Description"},
    {"BLES", kEventOther, "Blessing"},
    {"CENS", kEventOther, "Census"},
    {"MARS", kEventOther, "Marriage Settlement"},
    {"CAST", kEventOther, "Caste"},
    {"OCCU", kEventOther, "Occupation"},
    {"NATU", kEventOther, "Naturalization"},
};

struct OrdinanceTag {
    const char* tag;
    int kind;
};
constexpr OrdinanceTag kOrdinanceTags[] = {{"BAPL", kLDSBaptism},
                                           {"CONS", kLDSBaptism},
                                           {"ENDL", kLDSEndowment},
                                           {"SLGC", kLDSSealingToParents},
                                           {"SLGS", kLDSSealingToSpouse}};

// A value from p to the end of its line, trimmed, at most 255 bytes.
std::string StatusText(const WTextMMF& text, const char* p) {
    const char* end = text.LineEnd(p);
    std::string value = Trim(std::string_view(p, static_cast<size_t>(end - p)));
    return value.size() > 255 ? value.substr(0, 255) : value;
}

}  // namespace

WGEDPlace::WGEDPlace(const WGEDCollection& collection, const char* line)
    : collection_(collection), line_(line) {
    const WGEDTextMMF& text = collection.GedFile();
    if (!text.Contains(line)) return;
    ForEachChildLine(text, line, [&](const char* child) {
        if (text.TagIs(child, "NOTE")) noteLine_ = child;
        if (text.TagIs(child, "SOUR") && sourLines_.size() < kMaxCitations)
            sourLines_.push_back(child);
    });
}

std::string WGEDPlace::PlaceName() const {
    if (!line_) return {};
    return collection_.ConvertText(
        LineValue(collection_.GedFile(), ValueOf(collection_.GedFile(), line_)));
}

std::unique_ptr<WABSCitation> WGEDPlace::Citation(int i) const {
    if (i < 1 || i > CitationCount()) return nullptr;
    return std::make_unique<WGEDCitation>(collection_, sourLines_[i - 1]);
}

std::unique_ptr<WABSNote> WGEDPlace::Note() const {
    return collection_.NoteFromLine(noteLine_);
}

std::unique_ptr<WABSCitation> WGEDEventLines::CitationAt(int i) const {
    if (i < 1 || i > static_cast<int>(sourLines_.size())) return nullptr;
    return std::make_unique<WGEDCitation>(collection_, sourLines_[i - 1]);
}

void WGEDVitEvent::KindOfTag(const WTextMMF& text, const char* line, int& kind, std::string& name) {
    for (const EventTag& t : kEventTags)
        if (TagMatches(text, line, t.tag)) {
            kind = t.kind;
            name = t.name;
            return;
        }
    kind = kEventOther;
    name.clear();
}

WGEDVitEvent::WGEDVitEvent(const WGEDCollection& collection, const char* line)
    : WGEDEventLines(collection) {
    const WGEDTextMMF& text = collection.GedFile();
    if (!text.Contains(line)) return;
    line_ = line;
    KindOfTag(text, line, kind_, eventName_);
    ForEachChildLine(text, line, [&](const char* child) {
        if (text.TagIs(child, "DATE")) dateLine_ = child;
        if (text.TagIs(child, "PLAC")) placeLine_ = child;
        if (text.TagIs(child, "NOTE")) noteLine_ = child;
        if (text.TagIs(child, "CAUS")) causeLine_ = child;
        if (text.TagIs(child, "TYPE"))
            eventName_ = collection.ConvertText(LineValue(text, ValueOf(text, child)));
        if (text.TagIs(child, "SOUR") && sourLines_.size() < kMaxCitations)
            sourLines_.push_back(child);
    });
}

void WGEDVitEvent::LoadDate() const {
    date_ = DateOfLine(collection_, dateLine_);
}

std::string WGEDVitEvent::Description() const {
    if (!line_) return {};
    const WGEDTextMMF& text = collection_.GedFile();
    // The value of the event line: after the tag, whatever its length.
    std::string description = LineValueAfterTag(text, line_);
    // An associate is named as everywhere else; an identifier that leads
    // nowhere stays as written.
    if (TagMatches(text, line_, "ASSO")) {
        const std::string xref = Trim(description);
        const int32_t associate =
            xref.size() > 2 && xref.front() == '@' && xref.back() == '@'
                ? collection_.IndividualByXRef(std::string_view(xref).substr(1, xref.size() - 2))
                : 0;
        if (const auto person = associate > 0 ? collection_.Individual(associate) : nullptr)
            return person->DisplayName();
    }
    if (causeLine_) {
        const std::string cause = LineValueAfterTag(text, causeLine_);
        if (!cause.empty()) description += (description.empty() ? "" : ", ") + cause;
    }
    return collection_.ConvertText(description);
}

std::unique_ptr<WABSPlace> WGEDVitEvent::Place() const {
    return placeLine_ ? std::make_unique<WGEDPlace>(collection_, placeLine_) : nullptr;
}

std::unique_ptr<WABSNote> WGEDVitEvent::Note() const {
    return collection_.NoteFromLine(noteLine_);
}

WGEDLDSEvent::WGEDLDSEvent(const WGEDCollection& collection, const char* line)
    : WGEDEventLines(collection) {
    const WGEDTextMMF& text = collection.GedFile();
    if (!text.Contains(line)) return;
    line_ = line;
    kind_ = kEventNone;
    for (const OrdinanceTag& t : kOrdinanceTags)
        if (text.TagIs(line, t.tag)) kind_ = t.kind;
    ForEachChildLine(text, line, [&](const char* child) {
        if (text.TagIs(child, "DATE")) dateLine_ = child;
        if (text.TagIs(child, "PLAC")) placeLine_ = child;
        if (text.TagIs(child, "TEMP")) {
            placeLine_ = child;
            hasTemple_ = true;
        }
        if (text.TagIs(child, "NOTE")) noteLine_ = child;
        if (text.TagIs(child, "STAT")) statusValue_ = ValueOf(text, child);
        if (text.TagIs(child, "QUAL")) qualifierText_ = text.WithinLine(child, 2);
        if (text.TagIs(child, "TYPE"))
            eventName_ = collection.ConvertText(LineValue(text, ValueOf(text, child)));
        if (text.TagIs(child, "SOUR") && sourLines_.size() < kMaxCitations)
            sourLines_.push_back(child);
    });
}

void WGEDLDSEvent::LoadDate() const {
    const WGEDTextMMF& text = collection_.GedFile();
    // Without a dated line, the status or qualifier stands in for the date.
    date_ = DateOfLine(collection_, dateLine_);
    if (date_) return;
    if (statusValue_) {
        date_ = std::make_unique<WDate>(StatusText(text, statusValue_));
    } else if (qualifierText_) {
        date_ = std::make_unique<WDate>(StatusText(text, qualifierText_));
    }
}

std::unique_ptr<WABSPlace> WGEDLDSEvent::Place() const {
    return std::make_unique<WGEDPlace>(collection_, placeLine_);
}

std::unique_ptr<WABSNote> WGEDLDSEvent::Note() const {
    return collection_.NoteFromLine(noteLine_);
}

}  // namespace vx
