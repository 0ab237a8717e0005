#include "exports/ListText.h"

#include "analysis/ABSIterator.h"
#include "app/Services.h"
#include "app/TextUtil.h"
#include "columns/ListColumns.h"

namespace vx {
namespace {

constexpr int32_t kPumpEvery = 25;
// Fixed-column fields hold one character per this many pixels.
constexpr int kPixelsPerCharacter = 5;

class LineWriter {
  public:
    LineWriter(const WListColumns& columns, ListFormat format, std::string& text)
        : columns_(columns), format_(format), text_(text) {}

    void Field(int column, std::string_view value) {
        if (format_ == ListFormat::Csv) {
            if (column > 1) text_ += ',';
            text_ += CsvField(value);
        } else {
            text_ += FixedField(value, columns_.ColumnWidth(column) / kPixelsPerCharacter);
        }
    }
    void EndLine() { text_ += "\r\n"; }

  private:
    const WListColumns& columns_;
    ListFormat format_;
    std::string& text_;
};

}  // namespace

std::string ListText(const WListColumns& columns, WCollectionIterator& list, ListFormat format) {
    std::string text;
    LineWriter line(columns, format, text);
    for (int column = 1; column <= columns.ColumnCount(); ++column)
        line.Field(column, columns.ColumnCaption(column, false));
    line.EndLine();

    const int32_t rows = list.Count();
    for (int32_t row = 1; row <= rows; ++row) {
        if (row % kPumpEvery == 0) PumpMessages();
        const int32_t individual = list.ItemID(row);
        for (int column = 1; column <= columns.ColumnCount(); ++column) {
            std::string value = columns.CellText(column, individual);
            // Tabbed pieces (the LDS marks) are copied side by side.
            if (columns.ColumnTabStops(column)) value = ReplaceChar(value, '\t', "");
            line.Field(column, value);
        }
        line.EndLine();
    }
    return text;
}

}  // namespace vx
