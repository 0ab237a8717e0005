// Maps arbitrary bytes as a GEDCOM text and runs every line reader over every
// line and record. Only crashes, sanitizer reports and hangs count.
#include <cstdint>
#include <cstdio>
#include <string>

#include "FuzzInput.h"
#include "app/Errors.h"
#include "gedcom/GEDTextMMF.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = vx::fuzz::InputAsFile(data, size);
    if (path.empty()) return 0;
    try {
        vx::WGEDTextMMF text(path);
        text.UsesLFFirst();
        size_t total = 0;
        for (const char* p = text.TextStart(); p; p = text.NextLine(p, true)) {
            total += text.LineXRef(p + 0, false).value_or("").size();
            total += text.LineXRef(text.WithinLine(p, 2), true).value_or("").size();
            total += static_cast<size_t>(text.RecordKind(p));
            total += vx::LineValue(text, text.WithinLine(p, 6)).size();
            total += vx::LineValueAfterTag(text, p).size();
            total += vx::ShortValue(text, text.WithinLine(p, 7)).size();
            total += static_cast<size_t>(vx::LineLevel(text, p));
            total += vx::ContinuedText(text, text.WithinLine(p, 6)).size();
            total += vx::EventPlace(text, p).size();
            total += text.TagIs(p, "CONC") ? 1 : 0;
        }
        for (const char* p = text.TextStart(); p; p = text.NextRecord(p, true))
            total += text.RecordText(p).size();
        for (const char* p = text.TextStart(); p; p = text.NextLine(p, false))
            total += 1;
        if (total == 0xFFFFFFFF) std::puts("");  // keep the work observable
    } catch (const vx::VxError&) {
        // An empty input cannot be mapped: that is the expected error.
    }
    return 0;
}
