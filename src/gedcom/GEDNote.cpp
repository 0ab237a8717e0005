#include "gedcom/GEDNote.h"

#include "app/TextUtil.h"
#include "gedcom/GEDCollection.h"

namespace vx {

WGEDNote::WGEDNote(const WGEDCollection& collection, const char* recordLine) {
    const WGEDTextMMF& text = collection.GedFile();
    if (!text.Contains(recordLine)) return;
    // The text follows "NOTE" after the identifier's closing '@'.
    const char* end = text.LineEnd(recordLine);
    const char* open = recordLine;
    while (open < end && *open != '@')
        ++open;
    const char* close = open < end ? open + 1 : end;
    while (close < end && *close != '@')
        ++close;
    const char* start = close < end ? text.WithinLine(close, 6) : end;
    // A level-0 line that ends there: the text starts with the value of the
    // first continuation line.
    if (start >= end || *start == '\r' || *start == '\n') {
        const char* next = text.NextLine(recordLine, true);
        if (!next || *next == '0') return;
        start = text.WithinLine(next, 7);
    }
    for (const std::string& line : ContinuedText(text, start))
        AddLine(collection.ConvertText(line));
}

}  // namespace vx
