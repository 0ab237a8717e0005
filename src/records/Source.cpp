#include "records/Source.h"

#include "app/TextUtil.h"

namespace vx {

std::string WABSSource::SummaryText() const {
    std::string summary;
    for (const std::string& part : {Author(), Title(), Publication(), CallNumber(), Abbreviation()})
        if (!part.empty()) summary += ", " + FlattenLineBreaks(part);
    return summary.size() > 2 ? summary.substr(2) : std::string();
}

std::string WABSCitation::CitationText() const {
    std::string text = Page();
    auto append = [&text](const std::string& part) {
        if (!text.empty()) text += ", ";
        text += part;
    };
    if (auto note = Note()) append(note->NoteText("\r\n"));
    if (auto source = Source()) {
        append(source->SummaryText());
        // An in-line source's note is the citation's own note, said already.
        if (!source->InLine())
            if (auto sourceNote = source->Note()) append(sourceNote->NoteText("\r\n"));
    }
    return text;
}

}  // namespace vx
