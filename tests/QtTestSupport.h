// Helpers shared by the window tests: a user interface that records the
// messages it would show, and reading a PDF's text back.
#pragma once

#include <QCoreApplication>
#include <QProcess>
#include <QString>

#include <string>
#include <vector>

#include "app/Services.h"

namespace vx::test {

// Messages are kept instead of shown; queued events still run, so timers
// and repaints work while the core is busy.
class RecordingServices : public UiServices {
  public:
    void PumpMessages() override { QCoreApplication::processEvents(); }
    void ShowMessage(const std::string& text) override { messages.push_back(text); }
    std::vector<std::string> messages;
};

// The text of a PDF file as pdftotext reads it (empty when that fails);
// `layout` keeps the page's columns.
inline QString PdfText(const QString& file, bool layout = false) {
    QProcess process;
    QStringList arguments;
    if (layout) arguments << QStringLiteral("-layout");
    arguments << file << QStringLiteral("-");
    process.start(QStringLiteral("pdftotext"), arguments);
    return process.waitForFinished(30000) ? QString::fromUtf8(process.readAllStandardOutput())
                                          : QString();
}

}  // namespace vx::test
