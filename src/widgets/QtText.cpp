#include "widgets/QtText.h"

#include "app/Win1252.h"

namespace vx {

QString ToQt(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string FromQt(const QString& text) {
    return text.toStdString();
}

QString Win1252ToQt(std::string_view win1252) {
    return ToQt(Win1252ToUtf8(win1252));
}

}  // namespace vx
