#include "privacy/GedcomLines.h"

namespace vx::privacy {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
// Deeper levels than this are not GEDCOM; such a line is not read.
constexpr int kMaxLevel = 99;

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view SkipBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    return text;
}

std::string_view TakeWord(std::string_view& text) {
    size_t end = 0;
    while (end < text.size() && !IsBlank(text[end]))
        ++end;
    const std::string_view word = text.substr(0, end);
    text = SkipBlanks(text.substr(end));
    return word;
}

void ReadLine(std::string_view content, GedLine& line) {
    if (content.substr(0, kUtf8Bom.size()) == kUtf8Bom) content.remove_prefix(kUtf8Bom.size());
    content = SkipBlanks(content);
    int level = 0;
    size_t digits = 0;
    while (digits < content.size() && content[digits] >= '0' && content[digits] <= '9') {
        level = level * 10 + (content[digits] - '0');
        if (level > kMaxLevel) return;
        ++digits;
    }
    if (digits == 0) return;
    content = SkipBlanks(content.substr(digits));
    std::string_view word = TakeWord(content);
    if (word.size() > 1 && word.front() == '@' && word.back() == '@') {
        line.XRef = word;
        word = TakeWord(content);
    }
    if (word.empty()) return;
    line.Level = level;
    line.Tag = word;
    line.Value = content;
}

}  // namespace

std::vector<GedLine> SplitGedcomLines(std::string_view text) {
    std::vector<GedLine> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = start;
        while (end < text.size() && text[end] != '\r' && text[end] != '\n')
            ++end;
        const size_t contentEnd = end;
        if (end < text.size()) {
            const char first = text[end++];
            if (end < text.size() && (text[end] == '\r' || text[end] == '\n') && text[end] != first)
                ++end;
        }
        GedLine line;
        line.Whole = text.substr(start, end - start);
        ReadLine(text.substr(start, contentEnd - start), line);
        lines.push_back(line);
        start = end;
    }
    return lines;
}

bool IsPointer(std::string_view value) {
    return value.size() > 2 && value.front() == '@' && value.back() == '@' && value[1] != '#';
}

std::vector<GedRecord> SplitGedcomRecords(const std::vector<GedLine>& lines) {
    std::vector<GedRecord> records;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].Level != 0) continue;
        if (!records.empty()) records.back().End = i;
        records.push_back({i, lines.size(), lines[i].XRef, lines[i].Tag});
    }
    return records;
}

}  // namespace vx::privacy
