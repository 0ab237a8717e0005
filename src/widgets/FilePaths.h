// File paths cross between Qt's strings and the core here: in the system's
// own form (with its separators) into a FilePath, and back for Qt's file
// functions. Shared by the reports, the dialogs and the windows.
#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

#include "app/FilePath.h"

namespace vx {

inline FilePath PathFromQt(const QString& path) {
    return FilePath(QFile::encodeName(QDir::toNativeSeparators(path)).toStdString());
}

inline QString PathToQt(const FilePath& path) {
    return QFile::decodeName(QByteArray::fromStdString(path.Native()));
}

}  // namespace vx
