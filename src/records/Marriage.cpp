#include "records/Marriage.h"

namespace vx {

int32_t WABSMarriage::OtherSpouse(int32_t individual) const {
    return individual == Husband() ? Wife() : Husband();
}

const WDate* WABSMarriage::MarriageDate() const {
    if (!dateLoaded_) {
        dateLoaded_ = true;
        LoadDate();
    }
    return marriageDate_.get();
}

std::string WABSMarriage::MarriageDateText() const {
    return MarriageDate() ? MarriageDate()->DisplayText() : std::string();
}

std::string WABSMarriage::MarriageDatePlaceText() const {
    std::string text = MarriageDateText();
    const std::string place = MarriagePlaceText();
    if (!place.empty()) text += ", " + place;
    return text;
}

std::string WABSMarriage::CitationsText() const {
    return vx::CitationsText(CitationCount(), [this](int i) { return Citation(i); });
}

std::string WABSMarriage::NoteText() const {
    auto note = Note();
    return note ? note->NoteText("\r\n") : std::string();
}

}  // namespace vx
