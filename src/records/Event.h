// Events (birth, death and some forty other kinds), LDS ordinances and the
// places of events. Each object reads one event line and the lines below it
// at creation and keeps only positions; the date is made on first use.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "gedcom/TextMMF.h"
#include "records/Date.h"
#include "records/Note.h"
#include "records/Source.h"

namespace vx {

// Event kinds, as individuals, families and conditions ask for them.
enum EventKind : int {
    kEventNone = 0,
    kEventBirth = 1,
    kEventDeath = 2,
    kEventChristening = 3,
    kEventBurial = 4,
    kEventBaptism = 5,
    kEventOther = 6,
    kLDSBaptism = 7,
    kLDSEndowment = 8,
    kLDSSealingToParents = 9,
    kLDSSealingToSpouse = 10,
};

// At most this many citations are read per event, place, name or record.
inline constexpr int kMaxCitations = 99;

// The numbered citation list: "1) text", then "\r\n\r\n2) text" and so on.
std::string CitationsText(int count,
                          const std::function<std::unique_ptr<WABSCitation>(int)>& citation);

class WABSPlace {
  public:
    virtual ~WABSPlace() = default;
    virtual std::string PlaceName() const = 0;
    virtual int CitationCount() const = 0;
    virtual std::unique_ptr<WABSCitation> Citation(int i) const = 0;
    virtual std::unique_ptr<WABSNote> Note() const = 0;
};

class WABSEvent {
  public:
    virtual ~WABSEvent() = default;

    virtual std::string Description() const { return {}; }
    virtual std::unique_ptr<WABSPlace> Place() const = 0;
    virtual int CitationCount() const = 0;
    virtual std::unique_ptr<WABSCitation> Citation(int i) const = 0;
    virtual bool HasNote() const = 0;
    virtual std::unique_ptr<WABSNote> Note() const = 0;

    // The date, or null when the event has none.
    const WDate* Date() const;
    bool HasDate() const;
    std::string DateText() const;
    // Events order by their own date.
    const WDate* SortDate() const { return Date(); }
    std::string SortDateText() const { return DateText(); }
    const std::string& EventName() const { return eventName_; }
    int Kind() const { return kind_; }
    // The place's name, trimmed, and without leading commas when the
    // PlaceCommas setting is on.
    std::string PlaceText() const;
    std::string CitationsText() const;
    std::string NoteText() const;
    int EventNumber() const { return 0; }

  protected:
    virtual void LoadDate() const = 0;

    int kind_ = kEventNone;
    std::string eventName_;
    mutable std::unique_ptr<WDate> date_;
    mutable bool dateLoaded_ = false;
};

class WABSVitEvent : public WABSEvent {};

class WABSLDSEvent : public WABSEvent {
  public:
    static int StatusCount(int kind);
    // The status word at position 1..10 of the ordinance kind's vocabulary.
    static std::string StatusWord(int kind, int position);
    // All words of the kind joined by ";".
    static std::string StatusList(int kind);
    bool HasTemple() const { return hasTemple_; }

  protected:
    bool hasTemple_ = false;
};

class WGEDCollection;

class WGEDPlace : public WABSPlace {
  public:
    // A place on a PLAC or TEMP line; null gives a place without a name.
    WGEDPlace(const WGEDCollection& collection, const char* line);
    std::string PlaceName() const override;
    int CitationCount() const override { return static_cast<int>(sourLines_.size()); }
    std::unique_ptr<WABSCitation> Citation(int i) const override;
    std::unique_ptr<WABSNote> Note() const override;

  private:
    const WGEDCollection& collection_;
    const char* line_;
    const char* noteLine_ = nullptr;
    std::vector<const char*> sourLines_;
};

// The lines common to both kinds of GEDCOM event.
class WGEDEventLines {
  protected:
    explicit WGEDEventLines(const WGEDCollection& collection) : collection_(collection) {}
    std::unique_ptr<WABSCitation> CitationAt(int i) const;

    const WGEDCollection& collection_;
    const char* line_ = nullptr;
    const char* dateLine_ = nullptr;
    const char* placeLine_ = nullptr;
    const char* noteLine_ = nullptr;
    std::vector<const char*> sourLines_;
};

class WGEDVitEvent : public WABSVitEvent, private WGEDEventLines {
  public:
    WGEDVitEvent(const WGEDCollection& collection, const char* line);

    // The event line's own value, then the cause.
    std::string Description() const override;
    std::unique_ptr<WABSPlace> Place() const override;
    int CitationCount() const override { return static_cast<int>(sourLines_.size()); }
    std::unique_ptr<WABSCitation> Citation(int i) const override { return CitationAt(i); }
    bool HasNote() const override { return Note() != nullptr; }
    std::unique_ptr<WABSNote> Note() const override;

    // Kind and name of an event line by its tag (other events for any tag
    // not in the table).
    static void KindOfTag(const WTextMMF& text, const char* line, int& kind, std::string& name);

  protected:
    void LoadDate() const override;

  private:
    const char* causeLine_ = nullptr;
};

class WGEDLDSEvent : public WABSLDSEvent, private WGEDEventLines {
  public:
    WGEDLDSEvent(const WGEDCollection& collection, const char* line);

    std::unique_ptr<WABSPlace> Place() const override;
    int CitationCount() const override { return static_cast<int>(sourLines_.size()); }
    std::unique_ptr<WABSCitation> Citation(int i) const override { return CitationAt(i); }
    bool HasNote() const override { return Note() != nullptr; }
    std::unique_ptr<WABSNote> Note() const override;

  protected:
    // The DATE value, else the status, else the QUAL line's text.
    void LoadDate() const override;

  private:
    const char* statusValue_ = nullptr;
    const char* qualifierText_ = nullptr;
};

// Whether a line's tag is `tag`: four letters match bytes 2..5; a
// three-letter tag needs a blank after it, and CHR and SSN also match at the
// line end.
bool TagMatches(const WTextMMF& text, const char* line, std::string_view tag);

}  // namespace vx
