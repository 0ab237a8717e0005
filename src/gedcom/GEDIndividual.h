// Individuals and their names as a GEDCOM file writes them. An individual
// object is a cheap view made for one request; what is costly to find (the
// positions of its main lines, its sex) is remembered in the individual's
// summary entry, filled the first time the individual is read.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "records/Individual.h"

namespace vx {

struct IndSummaryEntry;
class WGEDCollection;

class WGEDName : public WABSName {
  public:
    WGEDName(const WGEDCollection& collection, const char* nameLine);
    std::string Surname() const override;
    std::string GivenNames() const override;
    std::string Prefix() const override;
    std::string Suffix() const override;
    int CitationCount() const override { return static_cast<int>(sourLines_.size()); }
    std::unique_ptr<WABSCitation> Citation(int i) const override;
    std::unique_ptr<WABSNote> Note() const override;

  private:
    // The NAME value, trimmed of nothing: the surname keeps its blanks.
    std::string RawValue() const;

    const WGEDCollection& collection_;
    const char* value_ = nullptr;
    const char* prefixLine_ = nullptr;
    const char* suffixLine_ = nullptr;
    const char* noteLine_ = nullptr;
    std::vector<const char*> sourLines_;
    mutable std::optional<std::string> prefix_;
    mutable std::optional<std::string> suffix_;
};

class WGEDIndividual : public WABSIndividual {
  public:
    // Individual n of the collection. Errors: EMemoryError when n has no
    // record.
    WGEDIndividual(const WGEDCollection& collection, int32_t n);

    // Resets the summary entry and fills it again from the record.
    void ClearSummary();
    std::string XRef() const override;
    std::string RefNumber() const override;
    std::string AFN() const override;
    std::string Sex() const override;
    const WDate* ChangeDate() const override;
    std::unique_ptr<WABSName> Name() const override;
    int EventCount(int kind) const override;
    std::unique_ptr<WABSVitEvent> Event(int kind, int index) const override;
    std::unique_ptr<WABSLDSEvent> LDSEvent(int kind) const override;
    int ParentFamilyCount() const override;
    int32_t ParentFamily(int i) const override;
    bool ParentFamilyLink(int i, int32_t& family, int& motherLink, int& fatherLink) const override;
    int SpouseFamilyCount() const override;
    int32_t SpouseFamily(int i) const override;
    bool HasNoParentFamily() const override { return ParentFamilyCount() == 0; }
    bool HasNoSpouseFamily() const override { return SpouseFamilyCount() == 0; }
    int CitationCount() const override;
    std::unique_ptr<WABSCitation> Citation(int i) const override;
    std::unique_ptr<WABSNote> Note() const override;
    std::string RecordText() const override;

    // Line positions kept in the summary entry.
    enum SummaryField : int {
        kSumName,
        kSumAFN,
        kSumNote,
        kSumBirth,
        kSumChristening,
        kSumDeath,
        kSumBurial,
        kSumChange,
        kSumLDSBaptism,
        kSumEndowment,
        kSumSealingToParents,
        kSumCount
    };

  private:
    void FillSummary();
    const IndSummaryEntry& Summary() const;
    // The line recorded in the summary, or null.
    const char* SummaryPosition(int field) const;
    void ScanSources() const;
    void ScanOtherEvents() const;

    const WGEDCollection& collection_;
    const char* recordLine_;
    IndSummaryEntry* entry_;
    mutable std::optional<std::vector<const char*>> sourLines_;
    mutable std::optional<std::vector<const char*>> otherEventLines_;
    mutable std::optional<std::unique_ptr<WDate>> changeDate_;
};

}  // namespace vx
