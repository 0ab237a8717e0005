#include "gedcom/TextMMF.h"

#include <cstring>

#include "gedcom/LineScan.h"

namespace vx {
const char* WTextMMF::LineEnd(const char* p) const {
    return linescan::FindBreak(p, TextEnd());
}

const char* WTextMMF::WithinLine(const char* p, int n) const {
    return linescan::WithinLine(p, n, TextEnd());
}

const char* WTextMMF::NextRecord(const char* p, bool /*skipBlank*/) const {
    if (!Contains(p)) return nullptr;
    const char* end = TextEnd();
    // The search must start at the first break at or after p, so that a
    // record start at p itself is not found again.
    p = linescan::FindBreak(p, end);
    const char* start = linescan::FindRecordStart(p, end);
    return start < end ? start : nullptr;
}

bool WTextMMF::TagIs(const char* line, const char* tag) const {
    return Contains(line) && TextEnd() - line >= 6 && std::memcmp(line + 2, tag, 4) == 0;
}

bool WTextMMF::UsesLFFirst() {
    if (!lineEndKnown_) {
        const char* first = linescan::FindBreak(Base(), TextEnd());
        lfFirst_ = first < TextEnd() && *first == '\n';
        lineEndKnown_ = true;
    }
    return lfFirst_;
}

}  // namespace vx
