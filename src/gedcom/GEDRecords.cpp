// Record objects of a GEDCOM collection: notes, sources, repositories and
// the submitter, created on request.
#include "gedcom/FamilyOrder.h"
#include "gedcom/GEDCollection.h"
#include "gedcom/GEDIndividual.h"
#include "gedcom/GEDMarriage.h"
#include "gedcom/GEDNote.h"
#include "gedcom/GEDRepository.h"
#include "gedcom/GEDSource.h"

namespace vx {

void WGEDCollection::AfterLoad() {
    OrderSpouseFamilies(*this);
}

std::unique_ptr<WABSIndividual> WGEDCollection::Individual(int32_t n) const {
    if (n <= 0 || n > IndividualCount()) return nullptr;
    return std::make_unique<WGEDIndividual>(*this, n);
}

std::unique_ptr<WABSMarriage> WGEDCollection::Family(int32_t n) const {
    if (n == 0) return nullptr;
    return std::make_unique<WGEDMarriage>(*this, n);
}

std::unique_ptr<WABSNote> WGEDCollection::Note(int32_t n) const {
    if (n == 0) return nullptr;
    return std::make_unique<WGEDNote>(*this, RecordLine(kSlotNote, n));
}

std::unique_ptr<WABSSource> WGEDCollection::Source(int32_t n) const {
    if (n == 0 || SourceCount() == 0) return nullptr;
    return std::make_unique<WGEDSource>(*this, RecordLine(kSlotSource, n));
}

std::unique_ptr<WABSRepo> WGEDCollection::Repository(int32_t n) const {
    if (n == 0 || RepositoryCount() == 0) return nullptr;
    return std::make_unique<WGEDRepo>(*this, RecordLine(kSlotRepository, n));
}

std::unique_ptr<WABSSubmitter> WGEDCollection::Submitter() const {
    if (!header_) return nullptr;
    const WGEDTextMMF& text = GedFile();
    std::unique_ptr<WABSSubmitter> submitter;
    bool decided = false;
    ForEachSubLine(header_, [&](const char* line) {
        if (decided || *line != '1' || !text.TagIs(line, "SUBM")) return;
        const auto id = text.LineXRef(text.WithinLine(line, 7), false);
        if (!id) return;
        // SUBM records share their slot with every unlisted kind.
        decided = true;
        if (const int32_t n = RecordByXRef(kSlotOther, *id))
            submitter = std::make_unique<WGEDSubmitter>(*this, RecordLine(kSlotOther, n));
    });
    return submitter;
}

std::unique_ptr<WABSNote> WGEDCollection::NoteFromLine(const char* line) const {
    const WGEDTextMMF& text = GedFile();
    if (!text.Contains(line)) return nullptr;
    const char* value = text.WithinLine(line, 6);
    if (const auto id = text.LineXRef(value, false)) return Note(NoteByXRef(*id));
    auto note = std::make_unique<WABSNote>();
    for (const std::string& piece : ContinuedText(text, value))
        note->AddLine(ConvertText(piece));
    // Sub-notes one level down add their text; a sibling that is not a
    // NOTE ends the note.
    const int level = LineLevel(text, line);
    for (const char* p = text.NextLine(line, true); p; p = text.NextLine(p, true)) {
        const int depth = LineLevel(text, p);
        if (depth < level || (depth == level && !text.TagIs(p, "NOTE"))) break;
        if (depth == level + 1 && text.TagIs(p, "NOTE"))
            for (const std::string& piece : ContinuedText(text, text.WithinLine(p, 6)))
                note->AddLine(ConvertText(piece));
    }
    return note;
}

std::unique_ptr<WABSSource> WGEDCollection::SourceFromLine(const char* sourLine) const {
    const WGEDTextMMF& text = GedFile();
    if (!text.Contains(sourLine)) return nullptr;
    if (const auto id = text.LineXRef(text.WithinLine(sourLine, 6), false))
        return Source(SourceByXRef(*id));
    return WGEDSource::InLine(*this, sourLine);
}

}  // namespace vx
