// Sources (where information came from) and citations (a reference from a
// fact to a source, with a page).
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "records/Note.h"

namespace vx {

class WABSSource {
  public:
    virtual ~WABSSource() = default;
    virtual int32_t RepositoryNumber() const = 0;
    virtual std::string Author() const = 0;
    virtual std::string Title() const = 0;
    virtual std::string Publication() const = 0;
    virtual std::string CallNumber() const = 0;
    virtual std::string Abbreviation() const = 0;
    virtual std::unique_ptr<WABSNote> Note() const = 0;
    // The source's TEXT as a note.
    virtual std::unique_ptr<WABSNote> TextNote() const = 0;
    virtual std::string RecordText() const = 0;
    virtual std::unique_ptr<WABSNote> NoteObject() const { return Note(); }
    virtual bool HasNote() const = 0;
    virtual bool HasText() const = 0;
    virtual bool HasRepository() const = 0;
    // Whether the source is the text of a citation rather than a record.
    virtual bool InLine() const { return false; }
    // Author, title, publication, call number and abbreviation, the
    // non-empty ones joined by ", " on one line.
    virtual std::string SummaryText() const;
};

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

class WABSCitation {
  public:
    virtual ~WABSCitation() = default;
    virtual std::string Page() const = 0;
    virtual std::unique_ptr<WABSNote> Note() const = 0;
    virtual std::unique_ptr<WABSSource> Source() const = 0;
    // Page, note and source summary (with the source's note) joined by ", ".
    std::string CitationText() const;
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
