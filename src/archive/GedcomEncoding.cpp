#include "archive/GedcomEncoding.h"

#include <cstdint>

namespace vx {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// Whether a GEDCOM line (without its ending) has the given level and tag.
bool LineIs(std::string_view line, char level, std::string_view tag) {
    size_t at = 0;
    while (at < line.size() && IsBlank(line[at]))
        ++at;
    if (at >= line.size() || line[at] != level) return false;
    ++at;
    if (at >= line.size() || !IsBlank(line[at])) return false;
    while (at < line.size() && IsBlank(line[at]))
        ++at;
    if (line.substr(at, tag.size()) != tag) return false;
    at += tag.size();
    return at == line.size() || IsBlank(line[at]);
}

}  // namespace

std::string SetGedcomCharset(std::string_view text, std::string_view charset) {
    // The header is the first line and the lines up to the next level-0 line.
    struct Line {
        size_t start, end, next;  // text, line ending, following line
    };
    auto lineAt = [text](size_t at) {
        size_t end = text.find_first_of("\r\n", at);
        if (end == std::string_view::npos) end = text.size();
        size_t next = end;
        if (next < text.size() && text[next] == '\r') ++next;
        if (next < text.size() && text[next] == '\n') ++next;
        return Line{at, end, next};
    };
    const Line first = lineAt(0);
    for (Line line = lineAt(first.next); line.start < text.size(); line = lineAt(line.next)) {
        const std::string_view content = text.substr(line.start, line.end - line.start);
        const size_t level = content.find_first_not_of(" \t");
        if (level != std::string_view::npos && content[level] == '0') break;
        if (!LineIs(content, '1', "CHAR")) continue;
        const size_t tag = content.find("CHAR");
        return std::string(text.substr(0, line.start + tag + 4)) + " " + std::string(charset) +
               std::string(text.substr(line.end));
    }
    // No CHAR line: add one after the first line, ended like that line.
    std::string ending(text.substr(first.end, first.next - first.end));
    std::string out(text.substr(0, first.next));
    if (ending.empty()) {
        ending = "\n";
        out += ending;
    }
    out += "1 CHAR ";
    out += charset;
    out += ending;
    out += text.substr(first.next);
    return out;
}

}  // namespace vx
