// Sources (where information came from) and citations (a reference from a
// fact to a source, with a page).
#pragma once

#include <cstdint>
#include <memory>
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

class WABSCitation {
  public:
    virtual ~WABSCitation() = default;
    virtual std::string Page() const = 0;
    virtual std::unique_ptr<WABSNote> Note() const = 0;
    virtual std::unique_ptr<WABSSource> Source() const = 0;
    // Page, note and source summary (with the source's note) joined by ", ".
    std::string CitationText() const;
};

}  // namespace vx
