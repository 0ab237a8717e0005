// Families as a GEDCOM file writes them: the FAM record's lines, with
// husband, wife and children from the family links.
#pragma once

#include <memory>
#include <vector>

#include "records/Marriage.h"

namespace vx {

class WGEDCollection;

class WGEDMarriage : public WABSMarriage {
  public:
    // Family n of the collection. Errors: EIndexError when there is none.
    WGEDMarriage(const WGEDCollection& collection, int32_t n);

    int32_t Husband() const override;
    int32_t Wife() const override;
    int32_t Child(int i) const override;
    int SpouseCount() const override;
    // Puts the children in birth order, once while the file is open.
    void SortChildren() override;
    bool HasSealing() const override;
    std::unique_ptr<WABSLDSEvent> Sealing() const override;
    // The PLAC among the level-2 lines right after MARR.
    std::string MarriagePlaceText() const override;
    std::string RecordText() const override;
    int CitationCount() const override;
    std::unique_ptr<WABSCitation> Citation(int i) const override;
    std::unique_ptr<WABSNote> Note() const override;

  protected:
    // The DATE line directly after MARR.
    void LoadDate() const override;

  private:
    const WGEDCollection& collection_;
    const char* recordLine_;
    void ScanLines() const;

    mutable bool scanned_ = false;
    mutable const char* marriageLine_ = nullptr;
    mutable const char* noteLine_ = nullptr;
    mutable const char* sealingLine_ = nullptr;
    mutable std::vector<const char*> sourLines_;
};

}  // namespace vx
