#include "archive/SenderFacts.h"

#include <stdexcept>

#include "app/Win1252.h"

namespace vx {

const SenderTextField& SenderFieldNamed(std::string_view name) {
    for (const SenderTextField& field : kSenderTextFields)
        if (field.Name == name) return field;
    throw std::logic_error("no trailer field " + std::string(name));
}

std::string SenderTextProblem(std::string_view utf8, const SenderTextField& field) {
    const std::string text = Utf8ToWin1252(utf8);
    if (Win1252ToUtf8(text) != utf8)
        return "the text is not UTF-8 or has characters that Windows-1252 lacks";
    if (text.find('\0') != std::string::npos) return "the text contains a zero byte";
    if (text.size() > field.Capacity())
        return "the text is " + std::to_string(text.size()) + " bytes long in Windows-1252; " +
               std::string(field.Name) + " holds at most " + std::to_string(field.Capacity());
    return {};
}

std::string SenderTextToTrailer(std::string_view utf8) {
    return Utf8ToWin1252(utf8);
}

std::string SenderMessageLines(std::string_view text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.remove_suffix(1);
    std::string lines;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            lines += "\r\n";
        } else {
            lines += text[i];
        }
    }
    return lines;
}

}  // namespace vx
