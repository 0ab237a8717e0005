// The Individual tab without its widgets: everything known about one person
// as a table of typed rows (identifiers, name, vital events, LDS ordinances,
// other events, parents, marriages and children), each with the notes and
// sources the page shows under the grid when the row is selected; the
// person's GEDCOM lines for the raw-data switch; and the tab's "Copy to
// Clipboard" text.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "highlight/HighLighter.h"

namespace vx {

class WABSCollection;

// Rows beyond this many are dropped.
inline constexpr int kMaxIndividualRows = 1023;

struct IndividualRow {
    int32_t individual = 0;  // where double-clicking the row goes; 0 for nowhere
    std::string type;
    std::string date;
    // The date the chronological order goes by, as a date text.
    std::string sortDate;
    std::string information;
    std::string age;
    // Colours of the "Information" cell.
    uint32_t background = kColorWhite;
    uint32_t textColor = kColorBlack;
    std::string sources;
    std::string notes;
};

struct IndividualPage {
    int32_t individual = 0;  // 0 when nobody is shown
    std::string sex;         // "F", "M" or "U"
    std::string modified;    // the record's change date
    std::vector<IndividualRow> rows;
    // The raw-data switch shows the record's lines in the person's colours.
    std::string recordText;
    uint32_t background = kColorWhite;
    uint32_t textColor = kColorBlack;
};

struct IndividualPageOptions {
    bool chronological = false;  // rows after the name in date order, no empty event rows
    bool useLDS = false;         // LDS ordinance rows
    // The copied text also lists the sex and the change date as rows.
    bool sexAndModifyRows = false;
    // Colours of the rows that stand for a person; white on black without.
    WABSHighLighter* highlight = nullptr;
};

// The settings Chrono and UseLDS.
IndividualPageOptions IndividualPageSettings();

// The page for individual n; an empty page when n names nobody.
IndividualPage BuildIndividualPage(const WABSCollection& collection, int32_t n,
                                   const IndividualPageOptions& options);

// The grid: captions and widths in pixels; the "Information" column (width
// 0) takes what the others leave of the grid's width.
struct IndividualColumn {
    const char* caption;
    int width;
};
inline constexpr std::array<IndividualColumn, 6> kIndividualColumns = {{
    {"N", 14},
    {"S", 14},
    {"Type", 130},
    {"Date", 80},
    {"Information", 0},
    {"Age", 30},
}};
// The grid's columns, from 0, in the order of kIndividualColumns.
enum IndividualGridColumn : int {
    kIndividualNotesColumn,    // "N" when the row has notes
    kIndividualSourcesColumn,  // "S" when the row has sources
    kIndividualTypeColumn,
    kIndividualDateColumn,
    kIndividualInformationColumn,
    kIndividualAgeColumn,
};
// The width the "Information" column leaves to the others.
inline constexpr int kIndividualOtherColumnsWidth = 298;

// The text of one cell of a row.
std::string IndividualCell(const IndividualRow& row, int column);

// The row of a grid position (0-based) whose notes and sources the memos
// show; null for a position outside the rows, which empties both memos.
const IndividualRow* SelectedIndividualRow(const IndividualPage& page, int position);
// The selection after a rebuild: kept while it lies within the rows, else
// the first row.
int KeptIndividualSelection(const IndividualPage& page, int position);

// The Individual tab's "Copy to Clipboard" text of individual n with the
// current settings: the rows with the sex and the change date, or with
// `raw` the person's GEDCOM lines.
std::string IndividualText(const WABSCollection& collection, int32_t individual, bool raw);
// The same from a page built with sexAndModifyRows.
std::string IndividualText(const IndividualPage& page, bool raw);

}  // namespace vx
