// Individuals and their names, whatever file they come from.
#pragma once

#include <memory>
#include <string>

#include "records/Event.h"
#include "records/Marriage.h"

namespace vx {

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

}  // namespace vx
