#include "columns/ListColumns.h"

#include <algorithm>

#include "analysis/FamilyAnalysis.h"
#include "app/Errors.h"
#include "app/Services.h"
#include "app/Settings.h"
#include "app/TextUtil.h"
#include "columns/ColSortIterator.h"

namespace vx {
namespace {

constexpr const char* kErrorCaption = "ERROR";

// The column chooser's order of the attributes.
constexpr std::array<int, kAttributeCount> kDialogOrder = {
    // identifiers, names, note and sex
    Attr::Index,
    Attr::RIN,
    Attr::AFN,
    Attr::CustomId,
    Attr::Surname,
    Attr::Given,
    Attr::FullName,
    Attr::SurnameGiven,
    Attr::Note,
    Attr::Sex,
    // the main events
    Attr::BirthOrChristeningDate,
    Attr::BirthOrChristeningPlace,
    Attr::DeathOrBurialDate,
    Attr::DeathOrBurialPlace,
    Attr::BirthDate,
    Attr::BirthPlace,
    Attr::ChristeningDate,
    Attr::ChristeningPlace,
    Attr::DeathDate,
    Attr::DeathPlace,
    Attr::BurialDate,
    Attr::BurialPlace,
    // relatives and ages
    Attr::FatherMotherSpouse,
    Attr::FatherMotherSpouseLastFirst,
    Attr::SpouseFatherMother,
    Attr::SpouseFatherMotherLastFirst,
    Attr::Age,
    Attr::MarriedAge,
    Attr::FatherAgeAtBirth,
    Attr::MotherAgeAtBirth,
    // yes/no tests, island and counts
    Attr::HasNote,
    Attr::HasSource,
    Attr::HasEvents,
    Attr::Island,
    Attr::AncestorCount,
    Attr::AncestorGenerations,
    Attr::AverageAncestorGenerations,
    Attr::DescendantCount,
    Attr::DescendantGenerations,
    Attr::AverageDescendantGenerations,
    Attr::MarriageCount,
    Attr::ParentCount,
    Attr::ChildCount,
    // LDS ordinances
    Attr::LDSInformation,
    Attr::LDSBaptism,
    Attr::LDSBaptismTemple,
    Attr::LDSEndowment,
    Attr::LDSEndowmentTemple,
    Attr::LDSSealedToParents,
    Attr::LDSSealedToParentsTemple,
    Attr::LDSSealedToSpouse,
    Attr::LDSSealedToSpouseTemple,
    // relationship, alive, marriage, soundex
    Attr::Relationship,
    Attr::CommonAncestor,
    Attr::CommonAncestorLastFirst,
    Attr::Alive,
    Attr::MarriagePlace,
    Attr::MarriageDate,
    Attr::SurnameSoundex,
    Attr::GivenSoundex,
    // parents and spouse, record dates
    Attr::Father,
    Attr::FatherLastFirst,
    Attr::Mother,
    Attr::MotherLastFirst,
    Attr::Spouse,
    Attr::SpouseLastFirst,
    Attr::CreateDate,
    Attr::ModifyDate,
};

bool IsAttributeNumber(int number) {
    return number >= 1 && number <= kAttributeCount;
}

}  // namespace

WListColumns::WListColumns(FamilyAnalysis* analysis, std::string sectionName)
    : sectionName_(std::move(sectionName)), analysis_(analysis) {
    // Without a settings file every width is its default.
    const bool stored = SettingsFile().IsOpen();
    for (int number = 1; number <= kAttributeCount; ++number) {
        const int width = DefaultWidth(number);
        widths_[number - 1] =
            std::max(0, stored ? ReadInt(sectionName_, std::to_string(number), width) : width);
    }
}

WListColumns::~WListColumns() {
    if (!SettingsFile().IsOpen()) return;
    SettingsFile().BeginUpdate();
    for (const auto& column : columns_)
        if (column)
            WriteInt(sectionName_, std::to_string(column->Number()), widths_[column->Number() - 1]);
    SettingsFile().EndUpdate();
}

void WListColumns::SetAnalysis(FamilyAnalysis* analysis) {
    if (analysis == analysis_) return;
    analysis_ = analysis;
    sortColumn_ = -1;
    for (const auto& column : columns_) {
        if (!column) continue;
        column->SetAnalysis(analysis);
        column->SetBasePerson(0);
    }
}

void WListColumns::SetBasePerson(int32_t individual) {
    for (const auto& column : columns_)
        if (column) column->SetBasePerson(individual);
}

void WListColumns::SetColumnString(const std::string& columns) {
    if (columns == columnString_) return;
    columnString_ = columns;
    columns_.clear();
    sortColumn_ = -1;

    std::string_view rest = columns;
    while (!rest.empty() && ColumnCount() < kMaxColumns) {
        const size_t comma = rest.find(',');
        const std::string_view piece = rest.substr(0, comma);
        rest = comma == std::string_view::npos ? std::string_view() : rest.substr(comma + 1);
        int32_t number = 0;
        if (!ParseInt(piece, number)) throw EConvertError(std::string(piece));
        columns_.push_back(IsAttributeNumber(number) ? CreateAttribute(number, analysis_)
                                                     : nullptr);
    }
}

const WAttrib* WListColumns::Column(int column) const {
    return column >= 1 && column <= ColumnCount() ? columns_[column - 1].get() : nullptr;
}

int WListColumns::ColumnAttribute(int column) const {
    const WAttrib* attribute = Column(column);
    return attribute ? attribute->Number() : 0;
}

std::string WListColumns::ColumnCaption(int column, bool longCaption, int* sortState) const {
    if (sortState) {
        *sortState = kNotSorted;
        if (column == sortColumn_) *sortState = ascending_ ? kSortedAscending : kSortedDescending;
    }
    if (column < 1 || column > ColumnCount()) return {};
    const WAttrib* attribute = Column(column);
    return attribute ? AttributeCaption(attribute->Number(), longCaption,
                                        analysis_ ? &analysis_->Collection() : nullptr)
                     : kErrorCaption;
}

std::string WListColumns::CellText(int column, int32_t individual, int occurrence) const {
    if (column < 1 || column > ColumnCount()) return {};
    const WAttrib* attribute = Column(column);
    return attribute ? attribute->GetText(individual, occurrence) : kErrorCaption;
}

int WListColumns::ColumnWidth(int column) const {
    const int number = ColumnAttribute(column);
    return number ? widths_[number - 1] : 0;
}

void WListColumns::SetColumnWidth(int column, int pixels) {
    if (const int number = ColumnAttribute(column)) widths_[number - 1] = std::max(0, pixels);
}

const std::vector<int>* WListColumns::ColumnTabStops(int column) const {
    const WAttrib* attribute = Column(column);
    return attribute ? attribute->TabStops() : nullptr;
}

void WListColumns::SetSortIterator(WColSortIterator* iterator) {
    if (iterator == iterator_) return;
    iterator_ = iterator;
    if (!iterator_) return;
    iterator_->SetAscending(ascending_);
    Sort(false);
}

void WListColumns::SortByColumn(int column) {
    const int previous = sortColumn_;
    sortColumn_ = column;
    // Cancelled: the list kept the order of the column sorted before.
    if (!Sort(true) && previous >= 1 && SortedBy(previous)) sortColumn_ = previous;
}

void WListColumns::Resort() {
    if (iterator_) Sort(false);
}

bool WListColumns::Sort(bool toggle) {
    if (!iterator_ || sortColumn_ < 1) return true;
    WaitScope wait("Sorting.  Please Wait...", false, true);
    const bool done = iterator_->SortBy(Column(sortColumn_), toggle);
    ascending_ = iterator_->IsAscending();
    // A cancelled sort leaves the list in an order no column's mark may
    // claim, unless it was already in this column's order.
    if (!done && !SortedBy(sortColumn_)) sortColumn_ = -1;
    return done;
}

bool WListColumns::SortedBy(int column) const {
    const WAttrib* attribute = Column(column);
    return iterator_ && attribute && iterator_->IsSorted() &&
           attribute->Number() == iterator_->SortedAttribute();
}

std::string WListColumns::ColumnsHint() const {
    std::string hint;
    for (int column = 1; column <= ColumnCount(); ++column) {
        if (column > 1) hint += "\r\n";
        hint += "Column " + std::to_string(column) + ": " + ColumnCaption(column, true);
    }
    return hint;
}

int WListColumns::DialogOrderAt(int position) {
    return position >= 1 && position <= kAttributeCount ? kDialogOrder[position - 1] : 0;
}

int WListColumns::DialogPosition(int attribute) {
    const auto found = std::find(kDialogOrder.begin(), kDialogOrder.end(), attribute);
    return found == kDialogOrder.end() ? 0 : static_cast<int>(found - kDialogOrder.begin()) + 1;
}

int WListColumns::DefaultWidth(int attribute) {
    return AttributeDefaultWidth(attribute);
}

}  // namespace vx
