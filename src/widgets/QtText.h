// The one crossing between the core's UTF-8 text and Qt's strings. Every
// text the windows show passes through ToQt; every text the user types
// passes through FromQt on its way into the core.
#pragma once

#include <QColor>
#include <QString>
#include <cstdint>
#include <string>
#include <string_view>

namespace vx {

QString ToQt(std::string_view utf8);
std::string FromQt(const QString& text);

// The creator's facts in a program file's trailer keep the stored format's
// code page, Windows-1252; they cross into Qt here.
QString Win1252ToQt(std::string_view win1252);

// Settings keep colours as COLORREF values, 0x00BBGGRR.
inline QColor ToQColor(uint32_t colorref) {
    return QColor(colorref & 0xFF, (colorref >> 8) & 0xFF, (colorref >> 16) & 0xFF);
}

}  // namespace vx
