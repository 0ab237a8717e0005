// A GEDCOM file opened as a collection: mapped read-only, scanned once to
// index record offsets and identifiers, its families linked, its character
// set detected. Records are read on demand from the mapped text.
#pragma once

#include <array>
#include <memory>
#include <optional>

#include "gedcom/ABSCollection.h"
#include "gedcom/CharConvert.h"
#include "gedcom/FamLinks.h"
#include "gedcom/GEDTextMMF.h"
#include "gedcom/IndLinks.h"
#include "gedcom/RecordIndexer.h"
#include "platform/TempFiles.h"

namespace vx {

class WGEDCollection : public WABSCollection {
  public:
    // The slots of the indexes (kSlotIndividual...), by their old names.
    using enum RecordSlot;

    // Maps the file. Errors: EFileError when it cannot be mapped.
    explicit WGEDCollection(const std::string& path);
    // Maps a UTF-8 copy of a UTF-16 file, which the collection then owns;
    // its text is UTF-8 whatever the header declares.
    WGEDCollection(platform::TempFile utf8Copy, const std::string& originalPath);

    void Flush() override { gedFile_->Flush(); }
    std::string FileSizeText() const override;
    std::string FileDateText() const override;

    void AfterLoad() override;
    std::unique_ptr<WABSIndividual> Individual(int32_t n) const override;
    std::unique_ptr<WABSMarriage> Family(int32_t n) const override;
    std::unique_ptr<WABSSubmitter> Submitter() const override;
    std::unique_ptr<WABSNote> Note(int32_t n) const override;
    std::unique_ptr<WABSSource> Source(int32_t n) const override;
    std::unique_ptr<WABSRepo> Repository(int32_t n) const override;
    // The note of a NOTE line: the note record it names, or its own text
    // (with its continuation and sub-notes). Null for no line or a name
    // that is not found.
    std::unique_ptr<WABSNote> NoteFromLine(const char* line) const;
    // The source of a SOUR line: the record it names, or an in-line source.
    std::unique_ptr<WABSSource> SourceFromLine(const char* sourLine) const;

    int32_t IndividualCount() const override { return xrefs_[kSlotIndividual]->Count(); }
    int32_t FamilyCount() const override { return xrefs_[kSlotFamily]->Count(); }
    int32_t NoteCount() const override { return xrefs_[kSlotNote]->Count(); }
    int32_t SourceCount() const override { return xrefs_[kSlotSource]->Count(); }
    int32_t RepositoryCount() const { return xrefs_[kSlotRepository]->Count(); }
    int32_t RecordCount(int slot) const { return xrefs_[slot]->Count(); }

    std::vector<GenHeaderRec> HeaderFields() const override;
    std::string HeaderText() const override;
    std::string DatabaseVersionText() const override { return "N/A"; }
    bool Load() override;
    // Indexes of this very text made while it was written (as an archive
    // expanded), for Load to use instead of reading the text again.
    // `textBytes` is how much text they were made from; indexes that do not
    // fit the mapped text (another size, a converted UTF-16 file, an
    // incomplete index) are dropped and Load indexes the text itself.
    void OfferIndexes(RecordIndexSet indexes, int64_t textBytes);
    // Whether the last Load used offered indexes.
    bool IndexedBeforeLoad() const { return indexedBeforeLoad_; }

    int32_t IndividualByXRef(std::string_view id) const override;
    int32_t FamilyByXRef(std::string_view id) const override;
    int32_t NoteByXRef(std::string_view id) const override;
    int32_t SourceByXRef(std::string_view id) const override;
    int32_t RepositoryByXRef(std::string_view id) const override;
    // Record number of any identifier among the records of one slot.
    int32_t RecordByXRef(int slot, std::string_view id) const;

    // Converts text taken from the file into UTF-8.
    std::string ConvertText(std::string_view text) const { return ConvertCharSet(text, charSet_); }

    // The level-0 line of record n of a slot. Errors: EIndexError.
    const char* RecordLine(int slot, int32_t n) const;
    // The first level-0 line of the file (normally HEAD); null when none.
    const char* Header() const { return header_; }

    // Bytes held by the indexes and link tables (the mapped text aside).
    int64_t IndexBytes() const;

    WGEDTextMMF& GedFile() const { return *gedFile_; }
    WGEDIndIndex& IndividualIndex() const { return *individualIndex_; }
    const WOffsetIndex& OffsetIndex(int slot) const { return *offsets_[slot]; }
    WIndLinks& IndividualLinks() const { return *individualLinks_; }
    WFamLinks& FamilyLinks() const { return *familyLinks_; }

    // The lines of a record after its level-0 line, up to the next level-0
    // line: calls visit(line) for each.
    template <class F>
    void ForEachSubLine(const char* recordLine, F&& visit) const {
        for (const char* p = gedFile_->NextLine(recordLine, true); p && *p != '0';
             p = gedFile_->NextLine(p, true))
            visit(p);
    }

  private:
    // Indexes the mapped text; false when cancelled.
    bool BuildIndexes();
    void TakeIndexes(RecordIndexSet indexes);
    // Makes the identifier indexes searchable and reports identifiers used
    // twice; false when cancelled.
    bool FinishIndexes();
    void BuildLinks();
    int DetectCharSet() const;
    bool DeclaresGedcom7() const;

    platform::TempFile utf8Copy_;  // the converted text of a UTF-16 file
    std::unique_ptr<WGEDTextMMF> gedFile_;
    const char* header_ = nullptr;
    std::unique_ptr<WGEDIndIndex> individualIndex_;
    std::array<std::unique_ptr<WOffsetIndex>, 9> offsets_;  // slots 2..8
    std::array<std::unique_ptr<WXREFIndex>, 9> xrefs_;      // slots 1..8
    std::unique_ptr<WIndLinks> individualLinks_;
    std::unique_ptr<WFamLinks> familyLinks_;
    std::optional<RecordIndexSet> offeredIndexes_;
    bool indexedBeforeLoad_ = false;
};

// File kind of a lower-case extension with its dot (".ged" gives 1).
int FileKindOf(std::string_view extension);

// Opens a family file by its extension (or the forced kind when non-zero).
// Returns null with `error` set for a file it cannot read; mapping errors
// propagate as EFileError.
std::unique_ptr<WGEDCollection> OpenCollection(const std::string& path, int forcedKind,
                                               std::string& error);

}  // namespace vx
