#include "exports/TextFields.h"

#include "app/TextUtil.h"
#include "app/Unicode.h"

namespace vx {

std::string CsvField(std::string_view text) {
    return "\"" + ReplaceChar(text, '"', "\"\"") + "\"";
}

std::string FixedField(std::string_view text, int width) {
    if (width <= 1) return {};
    // Widths count characters, so that columns line up whatever the script.
    std::string field(LeftChars(text, static_cast<size_t>(width - 2)));
    field.append(static_cast<size_t>(width - 1) - CharCount(field), ' ');
    return field;
}

}  // namespace vx
