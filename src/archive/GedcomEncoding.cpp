#include "archive/GedcomEncoding.h"

#include <cstdint>

#include "app/Errors.h"

namespace vx {
namespace {

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

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

TUtf16Kind DetectUtf16(std::string_view start) {
    if (start.size() < 2) return TUtf16Kind::None;
    const auto b0 = static_cast<uint8_t>(start[0]), b1 = static_cast<uint8_t>(start[1]);
    if (b0 == 0xFF && b1 == 0xFE) return TUtf16Kind::LittleEndian;
    if (b0 == 0xFE && b1 == 0xFF) return TUtf16Kind::BigEndian;
    return TUtf16Kind::None;
}

std::string Utf16ToUtf8(std::string_view bytes) {
    const TUtf16Kind kind = DetectUtf16(bytes);
    if (kind == TUtf16Kind::None) throw VxError("The text has no UTF-16 byte-order mark.");
    if (bytes.size() % 2 != 0) throw VxError("The UTF-16 text has an odd number of bytes.");
    const bool little = kind == TUtf16Kind::LittleEndian;
    auto unit = [&](size_t at) {
        const auto lo = static_cast<uint8_t>(bytes[at + (little ? 0 : 1)]);
        const auto hi = static_cast<uint8_t>(bytes[at + (little ? 1 : 0)]);
        return static_cast<char32_t>(hi << 8 | lo);
    };
    std::string out;
    out.reserve(bytes.size() / 2);
    for (size_t at = 2; at < bytes.size(); at += 2) {
        char32_t cp = unit(at);
        if (cp >= 0xD800 && cp <= 0xDBFF && at + 2 < bytes.size() && unit(at + 2) >= 0xDC00 &&
            unit(at + 2) <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (unit(at + 2) - 0xDC00);
            at += 2;
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            throw VxError("The UTF-16 text has an unpaired surrogate at byte " +
                          std::to_string(at) + ".");
        }
        AppendUtf8(out, cp);
    }
    return out;
}

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
