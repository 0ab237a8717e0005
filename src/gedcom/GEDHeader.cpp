// The file-level texts of a GEDCOM collection: header fields, header text,
// file size and date.
#include "platform/FileHandle.h"

#include <cstdio>

#include "app/TextUtil.h"
#include "gedcom/GEDCollection.h"
#include "platform/LocalTime.h"

namespace vx {
namespace {

// Labels of the header lines that give one entry each, by tag.
struct HeaderLabel {
    const char* tag;
    const char* label;
};
constexpr HeaderLabel kSimpleFields[] = {
    {"DEST", "Destination"}, {"FILE", "File name"}, {"CHAR", "Char Set"}};
constexpr HeaderLabel kApplicationFields[] = {{"NAME", "Application Name"},
                                              {"VERS", "Application Version"},
                                              {"CORP", "Application Corp."},
                                              {"ADDR", "Application Address"}};
constexpr HeaderLabel kFormFields[] = {{"VERS", "GEDC Version"}, {"FORM", "GEDC Form"}};

const char* LabelFor(const WTextMMF& text, const char* line, const HeaderLabel* table, size_t n) {
    for (size_t i = 0; i < n; ++i)
        if (text.TagIs(line, table[i].tag)) return table[i].label;
    return nullptr;
}

}  // namespace

std::vector<GenHeaderRec> WGEDCollection::HeaderFields() const {
    std::vector<GenHeaderRec> fields;
    if (!header_) return fields;
    const WGEDTextMMF& text = GedFile();
    auto value = [&](const char* line) { return LineValue(text, text.WithinLine(line, 7)); };
    auto add = [&](const char* label, std::string v) {
        if (fields.size() < kMaxHeaderFields) fields.push_back({0, label, std::move(v), {}});
    };
    // The sub-lines of a level-1 line: up to the next line of level 0 or 1.
    auto forEachBelow = [&](const char* line, auto&& visit) {
        for (const char* p = text.NextLine(line, true); p && *p != '0' && *p != '1';
             p = text.NextLine(p, true))
            visit(p);
    };
    ForEachSubLine(header_, [&](const char* line) {
        if (*line != '1') return;
        if (text.TagIs(line, "SOUR")) {
            add("Application", ConvertText(value(line)));
            forEachBelow(line, [&](const char* sub) {
                if (const char* label =
                        LabelFor(text, sub, kApplicationFields, std::size(kApplicationFields)))
                    add(label, ConvertText(value(sub)));
            });
        } else if (text.TagIs(line, "DATE")) {
            std::string date = ConvertText(value(line));
            const char* next = text.NextLine(line, true);
            if (next && text.TagIs(next, "TIME")) date += " " + value(next);
            add("Date", std::move(date));
        } else if (text.TagIs(line, "GEDC")) {
            forEachBelow(line, [&](const char* sub) {
                if (*sub != '2') return;
                if (const char* label = LabelFor(text, sub, kFormFields, std::size(kFormFields)))
                    add(label, ConvertText(value(sub)));
            });
        } else if (const char* label =
                       LabelFor(text, line, kSimpleFields, std::size(kSimpleFields))) {
            add(label, ConvertText(value(line)));
        }
    });
    return fields;
}

std::string WGEDCollection::HeaderText() const {
    if (!header_) return {};
    std::string converted = ConvertText(GedFile().RecordText(header_));
    if (!GedFile().UsesLFFirst()) return converted;
    // Files that break lines with LF show with CR LF, whatever mixture they hold.
    return CrLfLineBreaks(converted);
}

std::string WGEDCollection::FileSizeText() const {
    return FormatThousands(GedFile().DataSize());
}

std::string WGEDCollection::FileDateText() const {
    const int64_t modified = platform::FileModifiedTime(GedFile().BackingFileHandle());
    if (modified < 0) return {};
    const std::optional<platform::LocalTime> local = platform::ToLocalTime(modified);
    if (!local) return {};
    static constexpr const char* kMonths[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    constexpr int kHalfDay = 12;
    const int hour12 = local->hour % kHalfDay == 0 ? kHalfDay : local->hour % kHalfDay;
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%02d %s %04d, %d:%02d %s", local->day,
                  kMonths[local->month - 1], local->year, hour12, local->minute,
                  local->hour < kHalfDay ? "AM" : "PM");
    return buffer;
}

}  // namespace vx
