// Walking the sub-lines of a GEDCOM structure and reading their tags and
// dates.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "gedcom/GEDTextMMF.h"
#include "records/Date.h"

namespace vx {

class WGEDCollection;

// At most this many citations are read per event, place, name or record.
inline constexpr int kMaxCitations = 99;

// Whether a line's tag is `tag`: four letters match bytes 2..5; a
// three-letter tag needs a blank after it, and CHR and SSN also match at the
// line end.
bool TagMatches(const WTextMMF& text, const char* line, std::string_view tag);

// The date of a DATE line, converted from the file's character set; null
// for no line and for a line without a value, which counts as no date.
std::unique_ptr<WDate> DateOfLine(const WGEDCollection& collection, const char* dateLine);

// Calls visit(child) for every line exactly one level below `line`, up to
// the next line at the level of `line` or above.
template <class F>
void ForEachChildLine(const WTextMMF& text, const char* line, F&& visit) {
    const int level = LineLevel(text, line);
    for (const char* p = text.NextLine(line, true); p; p = text.NextLine(p, true)) {
        const int depth = LineLevel(text, p);
        if (depth <= level) break;
        if (depth == level + 1) visit(p);
    }
}

// Calls visit(p) for every line after `line` up to the next level-0 line,
// whatever its level.
template <class F>
void ForEachLineInRecord(const WTextMMF& text, const char* line, F&& visit) {
    for (const char* p = text.NextLine(line, true); p && *p != '0'; p = text.NextLine(p, true))
        visit(p);
}

// The value of a line with a four-letter tag (from position 6).
inline const char* ValueOf(const WTextMMF& text, const char* line) {
    return line ? text.WithinLine(line, 6) : nullptr;
}

// The text of a record from its level-0 line to the next one.
inline std::string RawRecordText(const WGEDTextMMF& text, const char* line) {
    return line ? text.RecordText(line) : std::string();
}

}  // namespace vx
