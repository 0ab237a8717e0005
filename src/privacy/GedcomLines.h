// The lines of a GEDCOM text as byte ranges, each with its own line break,
// so a text can be taken apart and put back together unchanged. Works on
// every character set whose tags and identifiers are ASCII (ANSEL, ASCII,
// ANSI, UTF-8); UTF-16 texts are converted before they come here.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace vx::privacy {

struct GedLine {
    std::string_view Whole;  // the line with its line break
    int Level = -1;          // -1: not a readable GEDCOM line
    std::string_view XRef;   // "@I1@" of a record line, else empty
    std::string_view Tag;
    std::string_view Value;  // up to the line break
};

// Splits a text at CR, LF, CR LF and LF CR. A byte-order mark is kept in
// the first line but skipped when reading it.
std::vector<GedLine> SplitGedcomLines(std::string_view text);

// True for a value that is a pointer such as "@N12@".
bool IsPointer(std::string_view value);

// A record: its level-0 line and every line up to the next level-0 line.
struct GedRecord {
    size_t First = 0;
    size_t End = 0;  // one past its last line
    std::string_view XRef;
    std::string_view Tag;
};

// The records of a text's lines; lines ahead of the first level-0 line
// belong to no record.
std::vector<GedRecord> SplitGedcomRecords(const std::vector<GedLine>& lines);

}  // namespace vx::privacy
