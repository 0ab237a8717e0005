#include "gedcom/GEDRecordLines.h"

#include <cstddef>
#include <cstring>

#include "app/TextUtil.h"
#include "gedcom/GEDCollection.h"

namespace vx {

bool TagMatches(const WTextMMF& text, const char* line, std::string_view tag) {
    if (!text.Contains(line) || text.TextEnd() - line < 2 + static_cast<ptrdiff_t>(tag.size()) ||
        std::memcmp(line + 2, tag.data(), tag.size()) != 0)
        return false;
    if (tag.size() == 4) return true;
    const char* after = line + 5;
    if (after >= text.TextEnd()) return tag == "CHR" || tag == "SSN";
    if (*after == ' ') return true;
    return (*after == '\r' || *after == '\n') && (tag == "CHR" || tag == "SSN");
}

std::unique_ptr<WDate> DateOfLine(const WGEDCollection& collection, const char* dateLine) {
    if (!dateLine) return nullptr;
    const WGEDTextMMF& text = collection.GedFile();
    const std::string value = Trim(LineValue(text, ValueOf(text, dateLine)));
    return value.empty() ? nullptr : std::make_unique<WDate>(collection.ConvertText(value));
}

}  // namespace vx
