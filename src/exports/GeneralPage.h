// The General tab without its widgets: the file header, the submitter and
// the file information grids (or, with the raw-data switch, the header's and
// the submitter's GEDCOM lines), and the tab's "Copy to Clipboard" text.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace vx {

class WABSCollection;

// One row of a two-column grid: its caption and its value.
struct GeneralRow {
    std::string label;
    std::string value;
};

// A grid of the General tab: the captions of its two columns and its rows.
struct GeneralGrid {
    std::string labelCaption;
    std::string valueCaption;
    std::vector<GeneralRow> rows;
};

struct GeneralPage {
    // "Header Information:": one row per header field of the file.
    GeneralGrid header;
    // "Submitter:": name, three address lines, country, phone and e-mail.
    GeneralGrid submitter;
    // "File Information:": file name (always empty), size, date, import
    // time and the record counts.
    GeneralGrid fileInformation;
    bool hasSubmitter = false;
    // What the raw-data switch shows instead of the header and submitter
    // grids: their records' GEDCOM lines.
    std::string rawHeader;
    std::string rawSubmitter;
};

// The page for an open collection, or for none (null): then every value is
// empty and the header grid holds one empty row. The import time is known
// only to the window that loaded the file; without it the "Importing" row
// stays empty.
GeneralPage BuildGeneralPage(const WABSCollection* collection,
                             std::optional<double> importSeconds = std::nullopt);

// The "Importing" value: "1.234 seconds".
std::string ImportTimeText(double seconds);

// The General tab's "Copy to Clipboard" text; `fileName` is the name shown
// for the file (without directory), `raw` the raw-data switch.
std::string GeneralText(const WABSCollection& collection, const std::string& fileName, bool raw);
// The same from a page built by BuildGeneralPage for an open collection.
std::string GeneralText(const GeneralPage& page, const std::string& fileName, bool raw);

}  // namespace vx
