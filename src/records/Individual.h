// Individuals and their names. An individual object is a cheap view made
// for one request; what is costly to find (the positions of its main lines,
// its sex) is remembered in the individual's summary entry, filled the first
// time the individual is read.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "records/Event.h"
#include "records/Marriage.h"

namespace vx {

struct IndSummaryEntry;

class WABSName {
  public:
    virtual ~WABSName() = default;
    virtual std::string Surname() const = 0;
    virtual std::string GivenNames() const = 0;
    virtual std::string Prefix() const = 0;
    virtual std::string Suffix() const = 0;
    virtual int CitationCount() const = 0;
    virtual std::unique_ptr<WABSCitation> Citation(int i) const = 0;
    virtual std::unique_ptr<WABSNote> Note() const = 0;
    std::string CitationsText() const;
    std::string NoteText() const;
};

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

class WABSIndividual : public WABSCollectionItem {
  public:
    virtual std::string XRef() const = 0;
    virtual std::string RefNumber() const = 0;
    virtual std::string AFN() const = 0;
    virtual std::string Sex() const = 0;
    virtual const WDate* CreationDate() const { return nullptr; }
    virtual const WDate* ChangeDate() const = 0;
    virtual std::unique_ptr<WABSName> Name() const = 0;
    virtual int EventCount(int kind) const = 0;
    virtual std::unique_ptr<WABSVitEvent> Event(int kind, int index) const = 0;
    virtual std::unique_ptr<WABSLDSEvent> LDSEvent(int kind) const = 0;
    virtual int ParentFamilyCount() const = 0;
    virtual int32_t ParentFamily(int i) const = 0;
    // The i-th parent family with the mother's and father's link kinds.
    virtual bool ParentFamilyLink(int i, int32_t& family, int& motherLink,
                                  int& fatherLink) const = 0;
    virtual int SpouseFamilyCount() const = 0;
    virtual int32_t SpouseFamily(int i) const = 0;
    virtual int WitnessLinkCount() const { return 0; }
    // Possibly living: no death or burial date, and born (or christened)
    // fewer than maxAge years before the current year.
    virtual bool IsPossiblyLiving(int maxAge) const;
    virtual bool HasNoParentFamily() const = 0;
    virtual bool HasNoSpouseFamily() const = 0;
    virtual int CitationCount() const = 0;
    virtual std::unique_ptr<WABSCitation> Citation(int i) const = 0;
    virtual std::unique_ptr<WABSNote> Note() const = 0;
    virtual std::string RecordText() const = 0;

    std::string GivenNames() const;
    // Upper-cased when the NameUpper setting is on.
    std::string SurnameText() const;
    std::string FullName(bool withTitles) const;
    // The full name with titles and, when FNValueFlag is on, the identifier
    // chosen by FNValue.
    std::string DisplayName() const;
    std::string SummaryLine(bool withIdentifier) const;
    std::string EventDateText(int kind, int index = 1) const;
    std::string EventPlaceText(int kind, int index = 1) const;
    std::string EventDatePlaceText(int kind, int index = 1) const;
    bool EventHasDate(int kind, int index = 1) const;
    int EventYear(int kind, int index = 1) const;
    std::string EventQualifierLetter(int kind, int index = 1) const;
    bool HasLDSEvent(int kind) const { return LDSEvent(kind) != nullptr; }
    std::string LDSDateText(int kind) const;
    std::string LDSTempleText(int kind, bool livingForm) const;
    // Whole years from birth (or christening) to death (or burial, or
    // today); -1 when no age can be computed.
    int AgeYears() const;
    // "45", "~45", "45?", "[~45?]": empty when no age or above 110 years.
    std::string AgeText() const;
    std::string CitationsText() const;
    std::string NoteText() const;
    std::string ChangeDateText() const;
    bool HasSources() const;
    bool HasNotes() const;

  private:
    struct AgeSpan;
    bool ComputeAge(AgeSpan& span) const;
};

class WGEDCollection;

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
