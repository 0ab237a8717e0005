// Sources and citations as a GEDCOM file writes them.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "records/Source.h"

namespace vx {

class WGEDCollection;

// A SOUR record, or an in-line source (a citation whose value is text).
class WGEDSource : public WABSSource {
  public:
    // A source record at its level-0 line.
    WGEDSource(const WGEDCollection& collection, const char* recordLine);
    // An in-line source: `sourLine` is the SOUR line whose value is its title.
    static std::unique_ptr<WGEDSource> InLine(const WGEDCollection& collection,
                                              const char* sourLine);

    int32_t RepositoryNumber() const override;
    std::string Author() const override { return Text(kAuthor); }
    std::string Title() const override { return Text(kTitle); }
    std::string Publication() const override { return Text(kPublication); }
    std::string CallNumber() const override { return Text(kCallNumber); }
    std::string Abbreviation() const override { return Text(kAbbreviation); }
    std::unique_ptr<WABSNote> Note() const override;
    std::unique_ptr<WABSNote> TextNote() const override;
    std::string RecordText() const override;
    bool HasNote() const override { return noteLine_ != nullptr; }
    bool HasText() const override { return textLine_ != nullptr; }
    bool HasRepository() const override { return repoLine_ != nullptr; }
    bool InLine() const override { return recordLine_ == nullptr; }

  private:
    enum TextField { kTitle, kAuthor, kPublication, kAbbreviation, kCallNumber, kFieldCount };
    WGEDSource(const WGEDCollection& collection, const char* recordLine, const char* parentLine);
    std::string Text(TextField field) const;

    const WGEDCollection& collection_;
    const char* recordLine_;  // null for an in-line source
    const char* values_[kFieldCount] = {};
    const char* repoLine_ = nullptr;
    const char* noteLine_ = nullptr;
    const char* textLine_ = nullptr;
    mutable std::optional<std::string> cache_[kFieldCount];
};

// A citation at a SOUR line of any record.
class WGEDCitation : public WABSCitation {
  public:
    WGEDCitation(const WGEDCollection& collection, const char* sourLine);
    std::string Page() const override;
    std::unique_ptr<WABSNote> Note() const override;
    std::unique_ptr<WABSSource> Source() const override;

  private:
    const WGEDCollection& collection_;
    const char* sourLine_;
    const char* pageLine_ = nullptr;
    const char* noteLine_ = nullptr;
};

}  // namespace vx
