#include "exports/TextFields.h"

#include "app/TextUtil.h"

namespace vx {

std::string CsvField(std::string_view text) {
    return "\"" + ReplaceChar(text, '"', "\"\"") + "\"";
}

std::string FixedField(std::string_view text, int width) {
    if (width <= 1) return {};
    std::string field(text.substr(0, static_cast<size_t>(width - 2)));
    field.resize(static_cast<size_t>(width - 1), ' ');
    return field;
}

}  // namespace vx
