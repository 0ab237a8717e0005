#include "gedcom/GEDSource.h"

#include "app/TextUtil.h"
#include "gedcom/GEDCollection.h"
#include "gedcom/GEDRecordLines.h"

namespace vx {

WGEDSource::WGEDSource(const WGEDCollection& collection, const char* recordLine)
    : WGEDSource(collection, recordLine, recordLine) {}

WGEDSource::WGEDSource(const WGEDCollection& collection, const char* recordLine,
                       const char* parentLine)
    : collection_(collection), recordLine_(recordLine) {
    const WGEDTextMMF& text = collection.GedFile();
    if (!text.Contains(parentLine)) return;
    struct Tag {
        const char* tag;
        TextField field;
    };
    static constexpr Tag kTexts[] = {{"TITL", kTitle},      {"NAME", kTitle},
                                     {"AUTH", kAuthor},     {"PUBL", kPublication},
                                     {"CALN", kCallNumber}, {"ABBR", kAbbreviation}};
    const bool inLine = recordLine == nullptr;
    ForEachChildLine(text, parentLine, [&](const char* line) {
        if (text.TagIs(line, "NOTE")) noteLine_ = line;
        if (text.TagIs(line, "TEXT")) textLine_ = line;
        if (inLine) return;  // an in-line source has only a note and a text
        if (text.TagIs(line, "REPO")) repoLine_ = line;
        for (const Tag& t : kTexts)
            if (text.TagIs(line, t.tag)) values_[t.field] = ValueOf(text, line);
    });
    if (inLine) values_[kTitle] = ValueOf(text, parentLine);
}

std::unique_ptr<WGEDSource> WGEDSource::InLine(const WGEDCollection& collection,
                                               const char* sourLine) {
    return std::unique_ptr<WGEDSource>(new WGEDSource(collection, nullptr, sourLine));
}

std::string WGEDSource::Text(TextField field) const {
    if (!values_[field]) return {};
    if (!cache_[field]) {
        std::string joined;
        const auto lines = ContinuedText(collection_.GedFile(), values_[field]);
        for (size_t i = 0; i < lines.size(); ++i)
            joined += (i ? "\r\n" : "") + lines[i];
        cache_[field] = collection_.ConvertText(joined);
    }
    return *cache_[field];
}

int32_t WGEDSource::RepositoryNumber() const {
    if (!repoLine_) return 0;
    const WGEDTextMMF& text = collection_.GedFile();
    const auto id = text.LineXRef(ValueOf(text, repoLine_), false);
    return id ? collection_.RepositoryByXRef(*id) : 0;
}

std::unique_ptr<WABSNote> WGEDSource::Note() const {
    return collection_.NoteFromLine(noteLine_);
}
std::unique_ptr<WABSNote> WGEDSource::TextNote() const {
    return collection_.NoteFromLine(textLine_);
}

std::string WGEDSource::RecordText() const {
    return recordLine_ ? collection_.ConvertText(RawRecordText(collection_.GedFile(), recordLine_))
                       : std::string();
}

WGEDCitation::WGEDCitation(const WGEDCollection& collection, const char* sourLine)
    : collection_(collection), sourLine_(sourLine) {
    const WGEDTextMMF& text = collection.GedFile();
    if (!text.Contains(sourLine)) return;
    ForEachChildLine(text, sourLine, [&](const char* line) {
        if (text.TagIs(line, "PAGE")) pageLine_ = line;
        if (text.TagIs(line, "NOTE")) noteLine_ = line;
    });
}

std::string WGEDCitation::Page() const {
    return pageLine_ ? collection_.ConvertText(LineValue(collection_.GedFile(),
                                                         ValueOf(collection_.GedFile(), pageLine_)))
                     : std::string();
}

std::unique_ptr<WABSNote> WGEDCitation::Note() const {
    return collection_.NoteFromLine(noteLine_);
}

std::unique_ptr<WABSSource> WGEDCitation::Source() const {
    return collection_.SourceFromLine(sourLine_);
}

}  // namespace vx
