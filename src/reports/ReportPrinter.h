// Printing a prepared report on a printer chosen by the user.
#pragma once

#include "reports/DisplayList.h"

class QPrinter;
class QWidget;

namespace vx::reports {

// Asks for the printer (Letter, portrait) and prints every page. Returns
// false when the user cancelled the printer dialog.
bool PrintDocument(const ReportDocument& document, QWidget* parent);

// Prints every page on a printer that has been set up already.
void PrintDocumentTo(QPrinter& printer, const ReportDocument& document);

}  // namespace vx::reports
