#include "ui/GeneralTab.h"

#include <QApplication>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <optional>

#include "gedcom/GEDCollection.h"
#include "ui/PageContext.h"
#include "widgets/QtText.h"

namespace vx {
namespace {

// The text of a cell starts this far in from its left edge.
constexpr int kTextInset = 3;

QColor RoleColor(const QModelIndex& index, int role, const QColor& fallback) {
    const QVariant value = index.data(role);
    if (value.userType() == QMetaType::QBrush) return value.value<QBrush>().color();
    if (value.userType() == QMetaType::QColor) return value.value<QColor>();
    return fallback;
}

QTableWidget* NewInfoGrid(const char* name, int labelWidth, int valueWidth) {
    auto* grid = new QTableWidget(0, 2);
    grid->setObjectName(name);
    ApplyGridStyle(*grid);
    grid->setColumnWidth(0, labelWidth);
    grid->setColumnWidth(1, valueWidth);
    return grid;
}

QPlainTextEdit* NewMemo(const char* name) {
    auto* memo = new QPlainTextEdit;
    memo->setObjectName(name);
    memo->setReadOnly(true);
    memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    memo->hide();
    return memo;
}

void FillGrid(QTableWidget& grid, const GeneralGrid& rows) {
    grid.setHorizontalHeaderLabels({ToQt(rows.labelCaption), ToQt(rows.valueCaption)});
    grid.setRowCount(static_cast<int>(rows.rows.size()));
    for (int r = 0; r < grid.rowCount(); ++r) {
        const GeneralRow& row = rows.rows[static_cast<size_t>(r)];
        grid.setItem(r, 0, new QTableWidgetItem(ToQt(row.label)));
        grid.setItem(r, 1, new QTableWidgetItem(ToQt(row.value)));
    }
}

void FillMemo(QPlainTextEdit& memo, const std::string& lines) {
    memo.setPlainText(ToQt(lines).replace("\r\n", "\n"));
    memo.moveCursor(QTextCursor::Start);
}

}  // namespace

void TGridStyleDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                               const QModelIndex& index) const {
    const QRect rect = option.rect;
    painter->save();
    painter->fillRect(rect, RoleColor(index, Qt::BackgroundRole, Qt::white));
    painter->setFont(option.font);
    painter->setPen(RoleColor(index, Qt::ForegroundRole, Qt::black));
    const QRect textRect = rect.adjusted(kTextInset, 0, -1, 0);
    const QString text = option.fontMetrics.elidedText(index.data(Qt::DisplayRole).toString(),
                                                       Qt::ElideRight, textRect.width());
    painter->setClipRect(rect);
    painter->drawText(textRect, Qt::AlignLeft | vertical_ | Qt::TextSingleLine, text);
    painter->setClipping(false);
    PaintSelection(painter, option, index);
    painter->restore();
}

void TGridStyleDelegate::PaintSelection(QPainter* painter, const QStyleOptionViewItem& option,
                                        const QModelIndex& index) {
    const QRect rect = option.rect;
    if (!(option.state & QStyle::State_Selected)) {
        painter->setPen(option.palette.color(QPalette::Button));
        painter->drawLine(rect.topRight(), rect.bottomRight());
        return;
    }
    // The frame runs round the selection: its sides only where the
    // neighbouring cell is not selected too.
    const auto* view = qobject_cast<const QAbstractItemView*>(option.widget);
    const QItemSelectionModel* selection = view ? view->selectionModel() : nullptr;
    auto selected = [&](int column) {
        const QModelIndex beside = index.siblingAtColumn(column);
        return beside.isValid() && selection && selection->isSelected(beside);
    };
    painter->setPen(Qt::black);
    painter->drawLine(rect.topLeft(), rect.topRight());
    painter->drawLine(rect.bottomLeft(), rect.bottomRight());
    if (!selected(index.column() - 1)) painter->drawLine(rect.topLeft(), rect.bottomLeft());
    if (!selected(index.column() + 1)) painter->drawLine(rect.topRight(), rect.bottomRight());
}

void ApplyGridStyle(QTableView& grid) {
    grid.setItemDelegate(new TGridStyleDelegate(&grid));
    grid.setShowGrid(false);
    grid.setSelectionBehavior(QAbstractItemView::SelectRows);
    grid.setSelectionMode(QAbstractItemView::SingleSelection);
    grid.setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid.setWordWrap(false);
    grid.verticalHeader()->hide();
    QPalette palette = grid.palette();
    palette.setColor(QPalette::Base, Qt::white);
    grid.setPalette(palette);
    QHeaderView* header = grid.horizontalHeader();
    header->setHighlightSections(false);
    header->setSectionsClickable(false);
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    header->setStyleSheet(
        "QHeaderView::section { background-color: palette(button); padding-left: 3px;"
        " border-style: solid; border-width: 1px;"
        " border-color: white rgb(128,128,128) rgb(128,128,128) white; }");
}

void SetGridSizes(QTableView& grid, const QFont& font, int rowHeight) {
    grid.setFont(font);
    // The captions read at the size of the cells below them.
    grid.horizontalHeader()->setFont(font);
    QHeaderView* rows = grid.verticalHeader();
    rows->setMinimumSectionSize(1);
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(std::max(rowHeight, 1));
}

TGeneralPage::TGeneralPage(QWidget* parent)
    : QWidget(parent),
      stats_(NewInfoGrid("InfoGridStats", 70, 200)),
      header_(NewInfoGrid("InfoGridHeader", 120, 260)),
      submitter_(NewInfoGrid("InfoGridSubmitter", 70, 200)),
      headerMemo_(NewMemo("memHeaderInformation")),
      submitterMemo_(NewMemo("memSubmitterInformation")) {
    setObjectName("PageGeneral");
    // The header's values take whatever width the page has.
    header_->horizontalHeader()->setStretchLastSection(true);

    auto* left = new QVBoxLayout;
    left->addWidget(new QLabel("Header Information:"));
    left->addWidget(header_, 1);
    left->addWidget(headerMemo_, 1);
    auto* right = new QVBoxLayout;
    right->addWidget(new QLabel("Submitter:"));
    right->addWidget(submitter_, 1);
    right->addWidget(submitterMemo_, 1);
    right->addWidget(new QLabel("File Information:"));
    right->addWidget(stats_, 1);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 3);
    layout->addLayout(right, 2);

    // Until the first refresh the page shows an empty file.
    FillGrid(*stats_, BuildGeneralPage(nullptr).fileInformation);
}

void TGeneralPage::Refresh(const PageContext& context) {
    page_ =
        BuildGeneralPage(context.collection,
                         context.collection ? std::optional(context.importSeconds) : std::nullopt);
    // The information grids are two pixels taller than the other grids.
    const QFont font("Arial", context.fontSize);
    for (QTableWidget* grid : {stats_, header_, submitter_})
        SetGridSizes(*grid, font, context.rowHeight + 2);
    FillGrid(*stats_, page_.fileInformation);
    FillGrid(*header_, page_.header);
    FillGrid(*submitter_, page_.submitter);
    FillMemo(*headerMemo_, page_.rawHeader);
    FillMemo(*submitterMemo_, page_.rawSubmitter);

    header_->setVisible(!context.raw);
    submitter_->setVisible(!context.raw);
    headerMemo_->setVisible(context.raw);
    submitterMemo_->setVisible(context.raw);
}

}  // namespace vx
