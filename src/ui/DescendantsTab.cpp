#include "ui/DescendantsTab.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QSpinBox>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "analysis/DesIterator.h"
#include "app/Options.h"
#include "app/Services.h"
#include "columns/ListColumns.h"
#include "dialogs/ListColumnsDlg.h"
#include "gedcom/GEDCollection.h"
#include "highlight/HLGroup.h"
#include "ui/GeneralTab.h"
#include "ui/GridWidths.h"
#include "ui/ListPage.h"
#include "widgets/QtText.h"

namespace vx {
namespace {

constexpr int kMaxIndent = 32;
// The name column is never stored narrower than this.
constexpr int kMinNameWidth = 20;
// The descendant line starts this far in, before its generation's indent.
constexpr int kLineInset = 2;
const QColor kDuplicateBackground(0, 255, 255);

// The text of a descendant line as plain words: what column 0 says, and
// what the grid's readers get.
QString LineText(const WABSCollection& collection, const DesRow& row) {
    QString text = QString::number(row.generation + 1) + " - " +
                   ToQt(collection.DisplayNameOf(row.individual));
    if (row.duplicate) return text + " (DUPLICATED)";
    if (row.spouse == 0) return text;
    text += " + " + ToQt(collection.DisplayNameOf(row.spouse));
    if (row.marriageCount > 1)
        text += QString(" [%1 of %2]").arg(row.marriage).arg(row.marriageCount);
    return text;
}

// Draws column 0: the generation number, then the names each in their own
// highlight colours, indented by generation.
class DescendantLineDelegate : public TGridStyleDelegate {
  public:
    explicit DescendantLineDelegate(WDescendantsModel& model, QObject* parent)
        : TGridStyleDelegate(parent, Qt::AlignVCenter), model_(model) {}

    // The line's width includes its generation's indent.
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize size = TGridStyleDelegate::sizeHint(option, index);
        DesRow row{};
        if (index.column() == 0 && model_.Collection() && model_.RowAt(index.row(), row))
            size.rwidth() += kLineInset + WOptions::GetInt(opt::kDesIndent) * row.generation;
        return size;
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        DesRow row{};
        if (index.column() != 0 || !model_.Collection() || !model_.RowAt(index.row(), row)) {
            TGridStyleDelegate::paint(painter, option, index);
            return;
        }
        painter->save();
        painter->fillRect(option.rect, Qt::white);
        painter->setClipRect(option.rect);
        const QFontMetrics metrics(option.font);
        int x =
            option.rect.left() + kLineInset + WOptions::GetInt(opt::kDesIndent) * row.generation;
        auto piece = [&](const QString& text, const QColor& foreground, const QColor& background) {
            const int width = metrics.horizontalAdvance(text);
            const QRect box(x, option.rect.top(), width, option.rect.height());
            if (background != Qt::white) painter->fillRect(box, background);
            painter->setPen(foreground);
            painter->drawText(box, Qt::AlignLeft | Qt::AlignVCenter, text);
            x += width;
        };
        auto person = [&](int32_t individual) {
            WHLGroup* group = model_.Group();
            const QColor foreground =
                group ? ToQColor(group->TextColor(individual)) : QColor(Qt::black);
            const QColor background =
                group ? ToQColor(group->BackgroundColor(individual)) : QColor(Qt::white);
            piece(ToQt(model_.Collection()->DisplayNameOf(individual)), foreground, background);
        };
        piece(QString::number(row.generation + 1) + " - ", Qt::black, Qt::white);
        person(row.individual);
        if (row.duplicate) {
            piece(" ", Qt::black, Qt::white);
            piece("(DUPLICATED)", Qt::black, kDuplicateBackground);
        } else if (row.spouse != 0) {
            piece(" + ", Qt::black, Qt::white);
            person(row.spouse);
            if (row.marriageCount > 1)
                piece(QString(" [%1 of %2]").arg(row.marriage).arg(row.marriageCount), Qt::black,
                      Qt::white);
        }
        painter->setClipping(false);
        PaintSelection(painter, option, index);
        painter->restore();
    }

  private:
    WDescendantsModel& model_;
};

}  // namespace

WDescendantsModel::WDescendantsModel(WListColumns& columns, QObject* parent)
    : QAbstractTableModel(parent), columns_(columns) {}

void WDescendantsModel::SetList(const WDesIterator* list, const WABSCollection* collection,
                                WHLGroup* group) {
    beginResetModel();
    list_ = list;
    collection_ = list ? collection : nullptr;
    group_ = list ? group : nullptr;
    endResetModel();
}

bool WDescendantsModel::RowAt(int row, DesRow& out) const {
    if (!list_ || row < 0 || row >= list_->Count()) return false;
    out = list_->Row(row + 1);
    return true;
}

int32_t WDescendantsModel::IndividualAt(int row) const {
    DesRow found{};
    return RowAt(row, found) ? found.individual : 0;
}

int WDescendantsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || !list_ ? 0 : list_->Count();
}

int WDescendantsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : columns_.ColumnCount() + 1;
}

QVariant WDescendantsModel::data(const QModelIndex& index, int role) const {
    DesRow row{};
    if (!index.isValid() || index.column() >= columnCount() || !RowAt(index.row(), row)) return {};
    switch (role) {
        case Qt::DisplayRole:
            if (index.column() == 0) return collection_ ? LineText(*collection_, row) : QString();
            // The family number picks the marriage the row stands for.
            return ToQt(
                columns_.CellText(index.column(), row.individual, std::max<int>(row.marriage, 1)));
        case Qt::BackgroundRole:
            return QColor(Qt::white);
        case Qt::ForegroundRole:
            return QColor(Qt::black);
        default:
            return {};
    }
}

QVariant WDescendantsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount()) return {};
    if (role == Qt::DisplayRole) {
        if (section > 0) return ToQt(columns_.ColumnCaption(section, false));
        if (!list_) return QString("Descendants (0)");
        return QString("Descendants (%1 individuals)").arg(std::max(list_->ProcessedCount(), 0));
    }
    if (role == Qt::ToolTipRole) return ToQt(columns_.ColumnsHint()).replace("\r\n", "\n");
    return {};
}

TDescendantsPage::TDescendantsPage(WListColumns& columns, QWidget* parent)
    : QWidget(parent),
      columns_(columns),
      model_(columns),
      grid_(new QTableView),
      columnsButton_(new QToolButton),
      generations_(new QSpinBox),
      generationsLabel_(new QLabel),
      indent_(new QSpinBox),
      showGrid_(new QCheckBox("Grid")),
      repeat_(new QCheckBox("Repeat Individuals")) {
    setObjectName("PageDescendants");
    grid_->setObjectName("DesGrid");
    grid_->setModel(&model_);
    grid_->setItemDelegate(new DescendantLineDelegate(model_, grid_));
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setWordWrap(false);
    grid_->verticalHeader()->hide();
    grid_->horizontalHeader()->setHighlightSections(false);
    connect(grid_, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
        if (const int32_t individual = model_.IndividualAt(index.row()))
            emit IndividualChosen(individual);
    });
    // Widths the user drags stay for the next session. The name column
    // keeps its own setting; the others are the column set's.
    widths_ = new TGridWidths(
        *grid_,
        [this](int column) {
            return column == 0 ? std::max(WOptions::GetInt(opt::kDesNameCol), kMinNameWidth)
                               : columns_.ColumnWidth(column);
        },
        [this](int column, int width) {
            if (column == 0)
                WOptions::SetInt(opt::kDesNameCol, width);
            else
                columns_.SetColumnWidth(column, width);
        },
        [this](int column) { return column > 0 && IsCompactColumn(columns_, column); });

    columnsButton_->setObjectName("SpeedButton14");
    columnsButton_->setText("Columns");
    columnsButton_->setToolTip("Change the columns displays in the list");
    // Dragged widths are stored as they change, so the chooser can start.
    connect(columnsButton_, &QToolButton::clicked, this, [this] {
        if (!TdlgListColumns::Choose(columns_, context_.collection, this)) return;
        columns_.SetBasePerson(context_.active);
        model_.SetList(model_.List(), model_.Collection(), model_.Group());
        ApplyColumnWidths();
    });

    generations_->setObjectName("DesGenSpinEdit");
    generations_->setRange(0, WDesIterator::kMaxGenerations);
    generations_->setValue(std::clamp(WOptions::GetInt(opt::kDesGenLimit), 0,
                                      static_cast<int>(WDesIterator::kMaxGenerations)));
    generationsLabel_->setObjectName("LabDesGen");
    ShowGenerationsLabel();
    indent_->setObjectName("DesIndentSpinEdit");
    indent_->setRange(1, kMaxIndent);
    indent_->setValue(std::clamp(WOptions::GetInt(opt::kDesIndent), 1, kMaxIndent));
    showGrid_->setObjectName("cbDesShowGrid");
    showGrid_->setChecked(WOptions::GetFlag(opt::kDesShowLines));
    grid_->setShowGrid(showGrid_->isChecked());
    repeat_->setObjectName("cbDesShowDup");
    repeat_->setChecked(WOptions::GetFlag(opt::kDesRepDups));

    connect(generations_, &QSpinBox::valueChanged, this, [this](int value) {
        WOptions::SetInt(opt::kDesGenLimit, value);
        ShowGenerationsLabel();
        Rebuild();
    });
    connect(repeat_, &QCheckBox::toggled, this, [this](bool on) {
        WOptions::SetFlag(opt::kDesRepDups, on);
        Rebuild();
    });
    connect(showGrid_, &QCheckBox::toggled, this, [this](bool on) {
        WOptions::SetFlag(opt::kDesShowLines, on);
        grid_->setShowGrid(on);
    });
    connect(indent_, &QSpinBox::valueChanged, this, [this](int value) {
        WOptions::SetInt(opt::kDesIndent, std::min(value, kMaxIndent));
        grid_->viewport()->update();
    });

    auto* strip = new QHBoxLayout;
    strip->addWidget(columnsButton_);
    strip->addWidget(generations_);
    strip->addWidget(generationsLabel_);
    strip->addSpacing(12);
    strip->addWidget(new QLabel("Indent:"));
    strip->addWidget(indent_);
    strip->addSpacing(12);
    strip->addWidget(showGrid_);
    strip->addWidget(repeat_);
    strip->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(strip);
    layout->addWidget(grid_, 1);
    ApplyColumnWidths();
}

TDescendantsPage::~TDescendantsPage() {
    model_.SetList(nullptr, nullptr, nullptr);
}

void TDescendantsPage::Refresh(const PageContext& context) {
    context_ = context;
    if (!context.collection) {
        model_.SetList(nullptr, nullptr, nullptr);
        list_.reset();
        return;
    }
    columns_.SetAnalysis(context.analysis);
    columns_.SetBasePerson(context.active);
    Rebuild();
}

void TDescendantsPage::Rebuild() {
    if (!context_.collection) return;
    const WABSCollection* collection = context_.collection;
    model_.SetList(nullptr, nullptr, nullptr);
    if (!list_) list_ = std::make_unique<WDesIterator>();
    {
        BusyScope busy;
        list_->SetCollection(collection);
        list_->BuildDescendants(context_.active, WOptions::GetInt(opt::kDesGenLimit),
                                WOptions::GetFlag(opt::kDesRepDups));
    }
    model_.SetList(list_.get(), collection, context_.group);
    ApplyColumnWidths();
}

void TDescendantsPage::ShowGenerationsLabel() {
    const int limit = generations_->value();
    generationsLabel_->setText(limit == 0 ? QString("Show ALL Generations")
                                          : QString("Show %1 Generations").arg(limit));
}

void TDescendantsPage::ApplyColumnWidths() {
    widths_->Apply();
}

}  // namespace vx
