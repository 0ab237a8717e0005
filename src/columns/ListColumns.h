// A column set: the ordered attributes one list shows, built from a column
// string such as "1,2,7,65,67,19,18", with a width per attribute kept in the
// settings file and the list's current sort column and direction.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "columns/Attrib.h"

namespace vx {

class WColSortIterator;

class WListColumns {
  public:
    // Grid header states: not the sort column, sorted ascending, descending.
    enum SortState : int { kNotSorted = 1, kSortedAscending = 2, kSortedDescending = 3 };
    static constexpr int kMaxColumns = 68;

    // Reads the 68 widths from the settings section of that name.
    WListColumns(FamilyAnalysis* analysis, std::string sectionName);
    // Writes back the width of every attribute that has a column.
    ~WListColumns();
    WListColumns(const WListColumns&) = delete;
    WListColumns& operator=(const WListColumns&) = delete;

    const std::string& SectionName() const { return sectionName_; }
    // Re-targets every column and forgets the sort column and base person.
    void SetAnalysis(FamilyAnalysis* analysis);
    // The person the relationship columns are computed against.
    void SetBasePerson(int32_t individual);

    // Rebuilds the columns when the text differs from the current one.
    // Numbers outside 1..68 give "ERROR" columns; numbers beyond the 68th
    // column are ignored. Errors: EConvertError for a piece that is not a
    // decimal integer; the columns before it remain.
    void SetColumnString(const std::string& columns);
    const std::string& ColumnString() const { return columnString_; }

    // Columns are numbered from 1.
    int ColumnCount() const { return static_cast<int>(columns_.size()); }
    // 0 for an "ERROR" column or a column that does not exist.
    int ColumnAttribute(int column) const;
    std::string ColumnCaption(int column, bool longCaption, int* sortState = nullptr) const;
    std::string CellText(int column, int32_t individual, int occurrence = 1) const;
    int ColumnWidth(int column) const;
    // Negative widths count as 0.
    void SetColumnWidth(int column, int pixels);
    const std::vector<int>* ColumnTabStops(int column) const;

    // Attaches a list; the set gives it its direction and sorts it by the
    // sort column.
    void SetSortIterator(WColSortIterator* iterator);
    WColSortIterator* SortIterator() const { return iterator_; }
    // Sorts by that column; the same column again reverses the direction.
    // Cancel in the wait dialog keeps the order and mark of before.
    void SortByColumn(int column);
    // Sorts the list again by the sort column without changing direction.
    void Resort();
    void ClearSortColumn() { sortColumn_ = -1; }
    int SortColumn() const { return sortColumn_; }
    bool IsAscending() const { return ascending_; }

    // "Column 1: Index", one line per column, for the grid's hint.
    std::string ColumnsHint() const;

    // The order in which the column chooser offers the attributes.
    static int DialogOrderAt(int position);
    // Position 0 for a number the chooser does not offer.
    static int DialogPosition(int attribute);
    static int DefaultWidth(int attribute);

  private:
    const WAttrib* Column(int column) const;
    // Under the wait dialog with Cancel; false when cancelled.
    bool Sort(bool toggle);
    // The list is in that column's order.
    bool SortedBy(int column) const;

    std::string sectionName_;
    FamilyAnalysis* analysis_;
    std::vector<std::unique_ptr<WAttrib>> columns_;  // null: an "ERROR" column
    std::array<int, kAttributeCount> widths_{};
    std::string columnString_;
    WColSortIterator* iterator_ = nullptr;
    int sortColumn_ = -1;
    bool ascending_ = true;
};

}  // namespace vx
