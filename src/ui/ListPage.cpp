#include "ui/ListPage.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/Options.h"
#include "app/Services.h"
#include "columns/ColSortIterator.h"
#include "columns/ListColumns.h"
#include "dialogs/ListColumnsDlg.h"
#include "highlight/HLGroup.h"
#include "ui/GridWidths.h"
#include "widgets/QtText.h"

namespace vx {

bool IsCompactColumn(const WListColumns& columns, int column) {
    const int attribute = columns.ColumnAttribute(column);
    return attribute != 0 && AttributeValueType(attribute) != kValueText;
}

TGridWidths* NewListGridWidths(QTableView& grid, WListColumns& columns) {
    return new TGridWidths(
        grid, [&columns](int column) { return columns.ColumnWidth(column + 1); },
        [&columns](int column, int width) { columns.SetColumnWidth(column + 1, width); },
        [&columns](int column) { return IsCompactColumn(columns, column + 1); });
}

void WTabStopDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const {
    const std::vector<int>* stops = columns_.ColumnTabStops(index.column() + 1);
    const QString text = index.data(Qt::DisplayRole).toString();
    if (!stops || stops->empty() || !text.contains('\t')) {
        TGridStyleDelegate::paint(painter, option, index);
        return;
    }
    painter->save();
    painter->fillRect(option.rect, index.data(Qt::BackgroundRole).value<QColor>());
    painter->setPen(index.data(Qt::ForegroundRole).value<QColor>());
    const QStringList pieces = text.split('\t');
    for (int i = 0; i < pieces.size(); ++i) {
        const size_t stop = static_cast<size_t>(std::max(i - 1, 0));
        const int offset = i == 0 ? 0 : (*stops)[std::min(stop, stops->size() - 1)];
        painter->drawText(option.rect.adjusted(offset + 3, 0, 0, 0),
                          Qt::AlignLeft | Qt::AlignVCenter, pieces[i]);
    }
    PaintSelection(painter, option, index);
    painter->restore();
}

WListModel::WListModel(WListColumns& columns, QObject* parent)
    : QAbstractTableModel(parent), columns_(columns) {}

void WListModel::SetList(WColSortIterator* list, WHLGroup* group, bool plainRows) {
    beginResetModel();
    list_ = list;
    group_ = group;
    plainRows_ = plainRows;
    endResetModel();
}

void WListModel::Reload() {
    beginResetModel();
    endResetModel();
}

int32_t WListModel::IndividualAt(int row) const {
    return list_ && row >= 0 && row < list_->Count() ? list_->ItemID(row + 1) : 0;
}

int WListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || !list_ ? 0 : list_->Count();
}

int WListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : columns_.ColumnCount();
}

QVariant WListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount()) return {};
    const int32_t individual = IndividualAt(index.row());
    switch (role) {
        case Qt::DisplayRole:
            return ToQt(columns_.CellText(index.column() + 1, individual));
        case Qt::BackgroundRole:
            return group_ && !plainRows_ ? ToQColor(group_->BackgroundColor(individual))
                                         : QColor(Qt::white);
        case Qt::ForegroundRole:
            return group_ && !plainRows_ ? ToQColor(group_->TextColor(individual))
                                         : QColor(Qt::black);
        default:
            return {};
    }
}

QVariant WListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount()) return {};
    if (role == Qt::DisplayRole) return ToQt(columns_.ColumnCaption(section + 1, false));
    if (role == Qt::ToolTipRole) return ToQt(columns_.ColumnsHint()).replace("\r\n", "\n");
    return {};
}

TListPage::TListPage(WListColumns& columns, QWidget* parent)
    : QWidget(parent),
      columns_(columns),
      model_(columns),
      grid_(new QTableView),
      count_(new QLabel),
      findInList_(new QCheckBox("Move to Active Individual in List")),
      columnsButton_(new QToolButton),
      widths_(nullptr) {
    setObjectName("PageList");
    grid_->setObjectName("ListIndGrid");
    grid_->setModel(&model_);
    grid_->setItemDelegate(new WTabStopDelegate(columns_, grid_));
    widths_ = NewListGridWidths(*grid_, columns_);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->verticalHeader()->hide();
    grid_->horizontalHeader()->setSectionsClickable(true);
    grid_->horizontalHeader()->setSortIndicatorShown(false);
    grid_->horizontalHeader()->setHighlightSections(false);
    connect(grid_->horizontalHeader(), &QHeaderView::sectionClicked, this,
            &TListPage::SortByColumn);
    connect(grid_, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
        if (const int32_t individual = model_.IndividualAt(index.row()))
            emit IndividualChosen(individual);
    });

    columnsButton_->setText("Columns");
    columnsButton_->setObjectName("sbListColumns");
    columnsButton_->setToolTip("Change the columns displays in the list");
    connect(columnsButton_, &QToolButton::clicked, this, [this] {
        if (model_.List() && model_.List()->IsSorting()) return;
        // The widths the user dragged stay with their columns.
        StoreColumnWidths();
        const WABSCollection* collection = model_.List() ? model_.List()->Collection() : nullptr;
        if (!TdlgListColumns::Choose(columns_, collection, this)) return;
        columns_.SetBasePerson(active_);
        model_.Reload();
        UpdateSortIndicator();  // the caption's width includes the sort mark
        ApplyColumnWidths();
    });
    findInList_->setObjectName("cbFindInList");
    findInList_->setChecked(WOptions::GetFlag(opt::kFindInList));
    connect(findInList_, &QCheckBox::toggled, this, [this](bool on) {
        WOptions::SetFlag(opt::kFindInList, on);
        MoveToActive(active_);
    });
    count_->setObjectName("ListCountLab");
    count_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    auto* strip = new QHBoxLayout;
    strip->addWidget(columnsButton_);
    strip->addWidget(findInList_);
    strip->addStretch(1);
    strip->addWidget(count_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 3, 0);
    layout->addLayout(strip);
    layout->addWidget(grid_, 1);
}

void TListPage::ShowList(WColSortIterator* list, WHLGroup* group, bool highlightedMode,
                         int32_t activeIndividual) {
    active_ = activeIndividual;
    model_.SetList(list, group, highlightedMode);
    count_->setText(list ? QString::number(list->Count()) + " Individuals" : QString());
    UpdateSortIndicator();  // the caption's width includes the sort mark
    ApplyColumnWidths();
    MoveToActive(activeIndividual);
}

void TListPage::ShowCancelled() {
    count_->setText(QStringLiteral("Cancelled before every individual was checked"));
}

void TListPage::UpdateSortIndicator() {
    const int sorted = columns_.SortColumn();
    QHeaderView* header = grid_->horizontalHeader();
    header->setSortIndicatorShown(sorted >= 1);
    if (sorted >= 1)
        header->setSortIndicator(sorted - 1,
                                 columns_.IsAscending() ? Qt::AscendingOrder : Qt::DescendingOrder);
}

void TListPage::SortByColumn(int column) {
    if (!model_.List() || model_.List()->IsSorting()) return;
    StoreColumnWidths();
    {
        BusyScope busy;
        columns_.SortByColumn(column + 1);
    }
    model_.Reload();
    UpdateSortIndicator();  // the caption's width includes the sort mark
    ApplyColumnWidths();
    MoveToActive(active_);
}

void TListPage::MoveToActive(int32_t activeIndividual) {
    active_ = activeIndividual;
    if (!findInList_->isChecked() || !model_.List()) return;
    for (int row = 0; row < model_.rowCount(); ++row) {
        if (model_.IndividualAt(row) != activeIndividual) continue;
        const QModelIndex index = model_.index(row, 0);
        grid_->scrollTo(index, QAbstractItemView::PositionAtTop);
        grid_->selectRow(row);
        return;
    }
}

void TListPage::ApplyColumnWidths() {
    widths_->Apply();
}

void TListPage::StoreColumnWidths() {
    widths_->Store();
}

}  // namespace vx
