#include "gedcom/GEDMarriage.h"

#include "gedcom/FamilyOrder.h"
#include "gedcom/GEDCollection.h"
#include "gedcom/GEDEvent.h"
#include "gedcom/GEDRecordLines.h"
#include "gedcom/GEDSource.h"

namespace vx {

WGEDMarriage::WGEDMarriage(const WGEDCollection& collection, int32_t n) : collection_(collection) {
    number_ = n;
    recordLine_ = collection.RecordLine(WGEDCollection::kSlotFamily, n);
    childCount_ = collection.FamilyLinks().ChildCount(n);
}

// The record's lines are read the first time one is needed: walks over the
// family links never touch the text.
void WGEDMarriage::ScanLines() const {
    if (scanned_) return;
    scanned_ = true;
    const WGEDTextMMF& text = collection_.GedFile();
    collection_.ForEachSubLine(recordLine_, [&](const char* line) {
        if (*line != '1') return;
        if (text.TagIs(line, "SLGS")) sealingLine_ = line;
        if (text.TagIs(line, "MARR") && !marriageLine_) marriageLine_ = line;
        if (text.TagIs(line, "NOTE") && !noteLine_) noteLine_ = line;
        if (text.TagIs(line, "SOUR") && sourLines_.size() < kMaxCitations)
            sourLines_.push_back(line);
    });
}

int32_t WGEDMarriage::Husband() const {
    return collection_.FamilyLinks().Husband(number_);
}
int32_t WGEDMarriage::Wife() const {
    return collection_.FamilyLinks().Wife(number_);
}
int32_t WGEDMarriage::Child(int i) const {
    return collection_.FamilyLinks().Child(number_, i);
}
int WGEDMarriage::SpouseCount() const {
    return (Husband() != 0) + (Wife() != 0);
}

void WGEDMarriage::SortChildren() {
    vx::SortChildren(collection_, number_);
}

bool WGEDMarriage::HasSealing() const {
    ScanLines();
    return sealingLine_ != nullptr;
}

int WGEDMarriage::CitationCount() const {
    ScanLines();
    return static_cast<int>(sourLines_.size());
}

std::unique_ptr<WABSLDSEvent> WGEDMarriage::Sealing() const {
    ScanLines();
    return sealingLine_ ? std::make_unique<WGEDLDSEvent>(collection_, sealingLine_) : nullptr;
}

void WGEDMarriage::LoadDate() const {
    ScanLines();
    if (!marriageLine_) return;
    const WGEDTextMMF& text = collection_.GedFile();
    marriageDate_ = DateOfLine(collection_, FirstChildLine(text, marriageLine_, "DATE"));
}

std::string WGEDMarriage::MarriagePlaceText() const {
    ScanLines();
    if (!marriageLine_) return {};
    return collection_.ConvertText(EventPlace(collection_.GedFile(), marriageLine_));
}

std::string WGEDMarriage::RecordText() const {
    return collection_.ConvertText(RawRecordText(collection_.GedFile(), recordLine_));
}

std::unique_ptr<WABSCitation> WGEDMarriage::Citation(int i) const {
    if (i < 1 || i > CitationCount()) return nullptr;
    return std::make_unique<WGEDCitation>(collection_, sourLines_[i - 1]);
}

std::unique_ptr<WABSNote> WGEDMarriage::Note() const {
    ScanLines();
    return collection_.NoteFromLine(noteLine_);
}

}  // namespace vx
