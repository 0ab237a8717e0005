#include "ui/QtText.h"

#include "app/Win1252.h"

namespace vx {

QString ToQt(std::string_view win1252) {
    return QString::fromStdString(Win1252ToUtf8(win1252));
}

std::string FromQt(const QString& text) {
    return Utf8ToWin1252(text.toStdString());
}

}  // namespace vx
