// Our own writers for the formats Qt does not write: HTML, RTF and EMF.
// Each throws EInOutError (ThrowWriteError) when its file cannot be written.
#pragma once

#include "reports/DisplayList.h"

#include <QString>

namespace vx::reports {

// One HTML document; each report page is one section, with its texts placed
// where they stand on the paper.
void WriteHtml(const ReportDocument& document, const QString& fileName);

// One RTF document, Letter paper with half-inch margins; each report page
// ends with a page break, each line of text is a paragraph with tab stops at
// its texts' places, rules become paragraph borders.
void WriteRtf(const ReportDocument& document, const QString& fileName);

// One Enhanced Metafile holding one page (header, fonts, texts, lines,
// rectangles, fills, end of file), in 0.01 mm units with a 96-dpi reference.
void WriteEmf(const ReportDocument& document, const ReportPage& page, const QString& fileName);

}  // namespace vx::reports
