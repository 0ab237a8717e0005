// A text file mapped read-only, walked line by line. A line runs from its
// first byte up to the next carriage return or line feed; CR LF, LF and CR
// line ends (and mixtures of them) are all understood.
#pragma once

#include "gedcom/LineScan.h"
#include "storage/MMF.h"

namespace vx {

class WTextMMF : public WMMFReadOnly {
  public:
    explicit WTextMMF(const std::string& fileName) : WMMFReadOnly(fileName) {}

    const char* TextStart() const { return Base(); }
    const char* TextEnd() const { return WMMF::TextEnd(); }
    bool Contains(const char* p) const { return p && p >= Base() && p < TextEnd(); }

    // The start of the next line after the one holding p, or null at the end
    // of the text. With skipBlank, blank lines and indentation are passed
    // over and the result points at the first visible byte of a line.
    const char* NextLine(const char* p, bool skipBlank) const {
        if (!Contains(p)) return nullptr;
        const char* end = TextEnd();
        p = linescan::FindBreak(p, end);
        if (p == end || ++p == end) return nullptr;
        if (skipBlank)
            while (*p == ' ' || *p == '\t' || *p == '\r' || *p == '\n')
                if (++p == end) return nullptr;
        return p;
    }

    // The start of the next level-0 line: a '0' directly after a line break
    // (an indented "0" line is not a record start). Null when none follows.
    const char* NextRecord(const char* p, bool skipBlank) const;

    // Whether the first line break of the file is a line feed (false for a
    // file without line breaks). Computed once.
    bool UsesLFFirst();

    // End of the line holding p: its first CR or LF, or the end of the text.
    const char* LineEnd(const char* p) const;

    // p advanced by n bytes, but never past the end of its line; the fixed
    // tag and value positions of GEDCOM lines are taken through this.
    const char* WithinLine(const char* p, int n) const;

    // Whether the fixed tag position (bytes 2..5) of the line holds `tag`,
    // four bytes compared at once ("DATE", "CHR ").
    bool TagIs(const char* line, const char* tag) const;

  private:
    bool lineEndKnown_ = false;
    bool lfFirst_ = false;
};

}  // namespace vx
