#include "gedcom/GEDTextMMF.h"

#include <cstring>

namespace vx {
namespace {

inline bool IsBreak(char c) {
    return c == '\r' || c == '\n';
}

// Skips spaces, never past a line break or the end.
const char* SkipSpaces(const char* p, const char* end) {
    while (p < end && *p == ' ')
        ++p;
    return p;
}

// The value between p and the line end with trailing bytes of `trim`
// removed and at most `limit` bytes.
std::string ValueText(const char* p, const char* end, size_t limit, bool stopAtZero,
                      const char* trim) {
    const char* q = p;
    while (q < end && !IsBreak(*q) && !(stopAtZero && *q == '\0'))
        ++q;
    while (q > p && std::strchr(trim, q[-1]) && q[-1] != '\0')
        --q;
    size_t length = static_cast<size_t>(q - p);
    return std::string(p, length < limit ? length : limit);
}

}  // namespace

std::optional<std::string_view> XRefAt(const char* p, const char* end) {
    p = SkipSpaces(p, end);
    if (p >= end || *p != '@') return std::nullopt;
    const char* close = p + 1;
    while (close < end && *close != '@' && !IsBreak(*close))
        ++close;
    if (close >= end || *close != '@') return std::nullopt;
    return std::string_view(p + 1, static_cast<size_t>(close - p - 1));
}

std::optional<std::string> WGEDTextMMF::LineXRef(const char* p, bool dropFirst) const {
    if (!Contains(p)) return std::nullopt;
    const std::optional<std::string_view> xref = XRefAt(p, TextEnd());
    if (!xref) return std::nullopt;
    std::string_view id = *xref;
    if (dropFirst && !id.empty()) id.remove_prefix(1);
    return std::string(id);
}

std::string WGEDTextMMF::RecordText(const char* p) const {
    if (!Contains(p)) return {};
    // The last record runs to the end of the text, so that a file without a
    // closing "0 TRLR" still shows its last record.
    const char* next = NextRecord(p, true);
    if (!next) next = TextEnd();
    size_t length = static_cast<size_t>(next - p);
    return std::string(p, length < kMaxValueLength ? length : kMaxValueLength);
}

int RecordKindAt(const char* line, const char* end) {
    const char* p = line;
    for (int atSign = 0; atSign < 2; ++atSign) {
        while (p < end && *p != '@' && !IsBreak(*p))
            ++p;
        if (p >= end || *p != '@') return kRecNoXRef;
        ++p;
    }
    p = SkipSpaces(p, end);
    if (p >= end || IsBreak(*p)) return kRecOther;
    auto tagIs = [p, end](const char* tag) { return end - p >= 4 && std::memcmp(p, tag, 4) == 0; };
    if (*p == 'F') return kRecFamily;
    if (tagIs("OBJE")) return kRecObject;
    if (tagIs("NOTE")) return kRecNote;
    if (tagIs("INDI")) return kRecIndividual;
    if (tagIs("SUBN")) return kRecSubmission;
    if (tagIs("REPO")) return kRecRepository;
    if (tagIs("SOUR")) return kRecSource;
    return kRecOther;
}

int WGEDTextMMF::RecordKind(const char* line) const {
    return Contains(line) ? RecordKindAt(line, TextEnd()) : kRecNoXRef;
}

std::string LineValue(const WTextMMF& text, const char* p) {
    if (!p || p < text.TextStart() || p >= text.TextEnd()) return {};
    const char* end = text.TextEnd();
    return ValueText(SkipSpaces(p, end), end, kMaxValueLength, false, " \r");
}

std::string LineValueAfterTag(const WTextMMF& text, const char* line) {
    if (!text.Contains(line)) return {};
    const char* end = text.TextEnd();
    const char* p = SkipSpaces(line, end);
    for (int word = 0; word < 2; ++word) {  // the level, then the tag
        while (p < end && *p != ' ' && !IsBreak(*p))
            ++p;
        p = SkipSpaces(p, end);
    }
    return LineValue(text, p);
}

std::string ShortValue(const WTextMMF& text, const char* p) {
    if (!p || p < text.TextStart() || p >= text.TextEnd()) return {};
    const char* end = text.TextEnd();
    return ValueText(SkipSpaces(p, end), end, kMaxShortValueLength, true, " ");
}

int LineLevel(const WTextMMF& text, const char* line) {
    if (!text.Contains(line)) return 0;
    const char* end = text.TextEnd();
    const char* p = line;
    int64_t value = 0;
    bool digits = false;
    for (; p < end && *p != ' ' && !IsBreak(*p); ++p) {
        if (*p < '0' || *p > '9') return 0;
        value = value * 10 + (*p - '0');
        if (value > 0x7FFFFFFF) return 0;
        digits = true;
    }
    return digits ? static_cast<int>(value) : 0;
}

std::vector<std::string> ContinuedText(const WTextMMF& text, const char* p) {
    std::vector<std::string> entries{LineValue(text, p)};
    for (const char* line = text.NextLine(p, true); line; line = text.NextLine(line, true)) {
        const bool conc = text.TagIs(line, "CONC");
        const bool cont = !conc && text.TagIs(line, "CONT");
        if (!conc && !cont) break;
        std::string piece = LineValue(text, text.WithinLine(line, 6));
        if (conc)
            entries.back() += piece;
        else
            entries.push_back(std::move(piece));
    }
    return entries;
}

const char* FirstChildLine(const WTextMMF& text, const char* line, const char* tag) {
    if (!text.Contains(line)) return nullptr;
    const int level = LineLevel(text, line);
    for (const char* p = text.NextLine(line, true); p; p = text.NextLine(p, true)) {
        const int depth = LineLevel(text, p);
        if (depth <= level) break;
        if (depth == level + 1 && text.TagIs(p, tag)) return p;
    }
    return nullptr;
}

std::string EventPlace(const WTextMMF& text, const char* line) {
    const char* place = FirstChildLine(text, line, "PLAC");
    return place ? LineValue(text, text.WithinLine(place, 6)) : std::string();
}

}  // namespace vx
