// Events, LDS ordinances and places as a GEDCOM file writes them. Each
// object reads one event line and the lines below it at creation and keeps
// only positions; the date is made on first use.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "gedcom/TextMMF.h"
#include "records/Event.h"

namespace vx {

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

}  // namespace vx
