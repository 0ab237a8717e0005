// The GEDCOM view of a mapped text: cross-references, record kinds and the
// line-level readers that every record class uses. Records are never copied;
// record objects keep line pointers and read their values on demand.
//
// A GEDCOM line is read at fixed positions: the level digit at 0, a space,
// the tag at 2..5 (a three-letter tag compares with the following space, as
// "CHR "), and the value from 6 on. Two-digit levels and sub-lines with a
// cross-reference before the tag are not recognised by the fixed-position
// tests; LineLevel and LineValueAfterTag read any length.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "gedcom/TextMMF.h"

namespace vx {

// Kinds of level-0 records, as RecordKind reports them.
enum RecordKindCode : int {
    kRecIndividual = 0,
    kRecFamily = 1,
    kRecObject = 2,
    kRecNote = 3,
    kRecRepository = 4,
    kRecSource = 5,
    kRecSubmission = 6,
    kRecOther = 7,
    kRecNoXRef = 8,
};

// Limits of the value readers; longer values are cut to these lengths.
inline constexpr size_t kMaxValueLength = 65535;
inline constexpr size_t kMaxShortValueLength = 255;

class WGEDTextMMF : public WTextMMF {
  public:
    explicit WGEDTextMMF(const std::string& fileName) : WTextMMF(fileName) {}

    // The identifier between the first two '@' at p (after blanks), whole,
    // without its first byte when dropFirst ("@I12@" gives "I12",
    // or "12"). None when p is not at an '@' or the '@' is not closed on the
    // line.
    std::optional<std::string> LineXRef(const char* p, bool dropFirst) const;

    // The raw bytes of the record starting at p, line breaks included, up to
    // the next record or the end of the text.
    std::string RecordText(const char* p) const;

    // Kind of the level-0 line by the tag after its cross-reference.
    int RecordKind(const char* line) const;
};

// Readers of one level-0 line that need no mapped text: they read from
// `line` (or p) up to the line's break and never at or past `end`, so a
// line copied out of its text reads the same with `end` just after its
// break.

// The identifier between the first two '@' at p (after spaces), as
// WGEDTextMMF::LineXRef without dropFirst; a view into the text.
std::optional<std::string_view> XRefAt(const char* p, const char* end);

// Kind of the level-0 line by the tag after its cross-reference.
int RecordKindAt(const char* line, const char* end);

// Line readers (free functions over the text, p pointing into it).

// The value at p: leading blanks skipped, up to the line end, trailing
// blanks and CRs removed. Empty for a null p.
std::string LineValue(const WTextMMF& text, const char* p);

// The value after the level and the tag, whatever their lengths.
std::string LineValueAfterTag(const WTextMMF& text, const char* line);

// As LineValue, but also ending at a zero byte, trimming only spaces, and at
// most 255 bytes.
std::string ShortValue(const WTextMMF& text, const char* p);

// The level word of a line as a number; 0 when it is not a number.
int LineLevel(const WTextMMF& text, const char* line);

// The value at p with its CONC and CONT lines: CONC continues the current
// entry, CONT starts a new one. The pieces are trimmed before joining.
std::vector<std::string> ContinuedText(const WTextMMF& text, const char* p);

// The first line exactly one level below `line` with the tag, anywhere up to
// the next line of `line`'s level or higher, whatever lines come before it
// (TYPE, SOUR, NOTE, deeper lines); null when there is none.
const char* FirstChildLine(const WTextMMF& text, const char* line, const char* tag);

// The value of the event line's first PLAC line (see FirstChildLine).
std::string EventPlace(const WTextMMF& text, const char* line);

}  // namespace vx
