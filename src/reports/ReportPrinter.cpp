#include "reports/ReportPrinter.h"

#include <QPageSize>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

#include <algorithm>
#include <vector>

#include "reports/PageRenderer.h"

namespace vx::reports {

namespace {

// The pages to send, in the order to send them, from the range, page order
// and copies chosen in the printer dialog. Page indexes from 0.
std::vector<int> PageSequence(const QPrinter& printer, int count) {
    int from = 1;
    int to = count;
    if (printer.printRange() == QPrinter::PageRange) {
        if (printer.fromPage() > 0) from = std::max(from, printer.fromPage());
        if (printer.toPage() > 0) to = std::min(to, printer.toPage());
    }
    std::vector<int> pages;
    for (int page = from; page <= to; ++page)
        pages.push_back(page - 1);
    if (printer.pageOrder() == QPrinter::LastPageFirst) std::reverse(pages.begin(), pages.end());

    // Most print systems make the copies themselves; otherwise we send them.
    const int copies = printer.supportsMultipleCopies() ? 1 : std::max(1, printer.copyCount());
    std::vector<int> sequence;
    if (printer.collateCopies()) {
        for (int copy = 0; copy < copies; ++copy)
            sequence.insert(sequence.end(), pages.begin(), pages.end());
    } else {
        for (int page : pages)
            sequence.insert(sequence.end(), copies, page);
    }
    return sequence;
}

// Returns false when nothing could be printed.
bool PrintPages(QPrinter& printer, const ReportDocument& document) {
    const std::vector<int> sequence =
        PageSequence(printer, static_cast<int>(document.pages.size()));
    if (sequence.empty()) return false;

    // The pages carry their own margins: draw from the corner of the paper.
    printer.setFullPage(true);
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    bool first = true;
    for (int index : sequence) {
        if (!first && !printer.newPage()) break;
        first = false;
        RenderPage(painter, document.pages[index], printer.resolution());
        if (printer.printerState() == QPrinter::Aborted) break;
    }
    return painter.end() && printer.printerState() != QPrinter::Error;
}

}  // namespace

bool PrintDocument(const ReportDocument& document, QWidget* parent) {
    const int count = static_cast<int>(document.pages.size());
    if (count == 0) return false;

    QPrinter printer(QPrinter::HighResolution);
    const bool landscape = document.pageWidth > document.pageHeight;
    const QSizeF portrait(std::min(document.pageWidth, document.pageHeight) / kUnitsPerInch,
                          std::max(document.pageWidth, document.pageHeight) / kUnitsPerInch);
    // Letter for the usual 8.5 x 11 inch pages; a custom size otherwise.
    printer.setPageSize(QPageSize(portrait, QPageSize::Inch, QString(), QPageSize::FuzzyMatch));
    printer.setPageOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    printer.setFullPage(true);
    printer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Point);
    printer.setDocName(document.title.isEmpty() ? QStringLiteral("Report") : document.title);

    QPrintDialog dialog(&printer, parent);
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintPageRange |
                      QAbstractPrintDialog::PrintShowPageSize |
                      QAbstractPrintDialog::PrintCollateCopies);
    dialog.setMinMax(1, count);
    if (dialog.exec() != QDialog::Accepted) return false;
    return PrintPages(printer, document);
}

void PrintDocumentTo(QPrinter& printer, const ReportDocument& document) {
    PrintPages(printer, document);
}

}  // namespace vx::reports
