// Events (birth, death and some forty other kinds), LDS ordinances and the
// places of events, whatever file they come from. The date is made on first
// use.
#pragma once

#include <functional>
#include <memory>
#include <string>

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

}  // namespace vx
