// Families ("marriages"): husband, wife and children, the marriage event,
// sealing, citations and note, whatever file they come from.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "records/Event.h"

namespace vx {

class WABSCollectionItem {
  public:
    virtual ~WABSCollectionItem() = default;
    int32_t Number() const { return number_; }

  protected:
    int32_t number_ = 0;
};

class WABSMarriage : public WABSCollectionItem {
  public:
    virtual int32_t Husband() const = 0;
    virtual int32_t Wife() const = 0;
    // The i-th child (from 1), 0 out of range. Call SortChildren first.
    virtual int32_t Child(int i) const = 0;
    virtual int SpouseCount() const = 0;
    virtual void SortChildren() {}
    virtual bool ChronoHidden() const { return false; }
    virtual bool HasSealing() const = 0;
    virtual std::unique_ptr<WABSLDSEvent> Sealing() const = 0;
    virtual std::string MarriagePlaceText() const = 0;
    virtual std::string RecordText() const = 0;
    virtual int CitationCount() const = 0;
    virtual std::unique_ptr<WABSCitation> Citation(int i) const = 0;
    virtual std::unique_ptr<WABSNote> Note() const = 0;

    int ChildCount() const { return childCount_; }
    // The wife for the husband, the husband for anyone else.
    int32_t OtherSpouse(int32_t individual) const;
    const WDate* MarriageDate() const;
    std::string MarriageDateText() const;
    std::string MarriageDatePlaceText() const;
    const WDate* SortDate() const { return MarriageDate(); }
    std::string SortDateText() const { return MarriageDateText(); }
    std::string EventName() const { return "Marriage"; }
    std::string CitationsText() const;
    std::string NoteText() const;

  protected:
    virtual void LoadDate() const = 0;

    int childCount_ = 0;
    mutable std::unique_ptr<WDate> marriageDate_;
    mutable bool dateLoaded_ = false;
};

}  // namespace vx
