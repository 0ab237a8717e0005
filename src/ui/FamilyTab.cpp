#include "ui/FamilyTab.h"

#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QResizeEvent>
#include <QTableView>
#include <QToolButton>
#include <algorithm>

#include "app/Options.h"
#include "gedcom/GEDCollection.h"
#include "highlight/HLGroup.h"
#include "ui/GeneralTab.h"
#include "ui/GridWidths.h"
#include "ui/PageContext.h"
#include "widgets/IndInfoPanel.h"
#include "widgets/QtText.h"

namespace vx {
namespace {

constexpr int kNameColumn = 1;
constexpr int kSpouseColumn = 5;

// The settings keys of the grid's column widths, column by column.
constexpr std::array<int, kFamilyGridColumns> kColumnWidthKeys = {
    opt::kFamCol1, opt::kFamCol2, opt::kFamCol3, opt::kFamCol4, opt::kFamCol5, opt::kFamCol6};
// The columns whose values are never cut: the mark, sex and the two dates.
constexpr std::array<bool, kFamilyGridColumns> kCompactColumns = {true, false, true,
                                                                  true, true,  false};

}  // namespace

WFamilyGridModel::WFamilyGridModel(QObject* parent) : QAbstractTableModel(parent) {}

void WFamilyGridModel::SetPage(const WABSCollection* collection, WHLGroup* group,
                               const FamilyPage* page) {
    beginResetModel();
    collection_ = collection;
    group_ = group;
    page_ = collection ? page : nullptr;
    endResetModel();
}

const FamilyChildRow* WFamilyGridModel::Row(int row) const {
    if (!page_ || row < 0 || row >= static_cast<int>(page_->children.size())) return nullptr;
    return &page_->children[static_cast<size_t>(row)];
}

int32_t WFamilyGridModel::ChildAt(int row) const {
    const FamilyChildRow* child = Row(row);
    return child ? child->child : 0;
}

int32_t WFamilyGridModel::SpouseAt(int row) const {
    const FamilyChildRow* child = Row(row);
    return child ? child->spouse : 0;
}

int WFamilyGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || !page_ ? 0 : static_cast<int>(page_->children.size());
}

int WFamilyGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kFamilyGridColumns;
}

QVariant WFamilyGridModel::data(const QModelIndex& index, int role) const {
    const FamilyChildRow* row = index.isValid() ? Row(index.row()) : nullptr;
    if (!row || index.column() >= kFamilyGridColumns) return {};
    // Only the name columns take someone's colours; the rest stay white.
    int32_t coloured = 0;
    if (index.column() == kNameColumn) coloured = row->child;
    if (index.column() == kSpouseColumn) coloured = row->spouse;
    switch (role) {
        case Qt::DisplayRole:
            return ToQt(FamilyGridCell(*collection_, *row, index.column()));
        case Qt::BackgroundRole:
            return group_ && coloured ? ToQColor(group_->BackgroundColor(coloured))
                                      : QColor(Qt::white);
        case Qt::ForegroundRole:
            return group_ && coloured ? ToQColor(group_->TextColor(coloured)) : QColor(Qt::black);
        default:
            return {};
    }
}

QVariant WFamilyGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= kFamilyGridColumns)
        return {};
    static const FamilyPage kEmpty;
    return ToQt(FamilyGridCaption(page_ ? *page_ : kEmpty, section));
}

TFamilyPage::TFamilyPage(QWidget* parent)
    : QWidget(parent),
      subjectCaption_(new QLabel("Active Individual:", this)),
      subject_(NewPanel("iiSubject")),
      marriageInfo_(new QLabel(this)),
      upperBevel_(new QFrame(this)),
      spouseCaption_(new QLabel("Spouse:", this)),
      counter_(new QLabel(this)),
      nextSpouse_(new QToolButton(this)),
      spouse_(NewPanel("iiSpouse")),
      lowerBevel_(new QFrame(this)),
      grid_(new QTableView(this)) {
    setObjectName("PageFamily");
    marriageInfo_->setObjectName("labFGMarriageInfo");
    counter_->setObjectName("labMultipleMarriages");
    for (QFrame* bevel : {upperBevel_, lowerBevel_}) {
        bevel->setFrameShape(QFrame::HLine);
        bevel->setFrameShadow(QFrame::Sunken);
    }

    nextSpouse_->setObjectName("butFGMarriages");
    nextSpouse_->setText("Next Spouse");
    nextSpouse_->setToolTip("Next Spouse");
    nextSpouse_->hide();
    connect(nextSpouse_, &QToolButton::clicked, this, &TFamilyPage::NextSpouse);

    const char* parentNames[] = {"iiFather1", "iiMother1", "iiFather2", "iiMother2"};
    for (size_t i = 0; i < parents_.size(); ++i) {
        parents_[i] = NewPanel(parentNames[i]);
        plus_[i] = new QToolButton(this);
        plus_[i]->setObjectName(QString("FGPlus%1").arg(i + 1));
        plus_[i]->setText("+");
        // Narrow enough for the strip the parent panels leave at the right.
        plus_[i]->setFixedSize(10, 13);
        plus_[i]->setToolTip("Show the parents");
        plus_[i]->hide();
        // The "+" does what a double-click on its panel does.
        TIndInfoPanel* panel = parents_[i];
        connect(plus_[i], &QToolButton::clicked, this, [this, panel] {
            if (panel->Individual() != 0) emit IndividualChosen(panel->Individual());
        });
    }

    grid_->setObjectName("FamilyGroupGrid");
    grid_->setModel(&gridModel_);
    grid_->setSelectionBehavior(QAbstractItemView::SelectItems);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->verticalHeader()->hide();
    grid_->horizontalHeader()->setHighlightSections(false);
    grid_->horizontalHeader()->setStretchLastSection(false);
    grid_->setItemDelegate(new TGridStyleDelegate(grid_, Qt::AlignVCenter));
    widths_ = new TGridWidths(
        *grid_, [](int column) { return WOptions::GetInt(kColumnWidthKeys[size_t(column)]); },
        [](int column, int width) { WOptions::SetInt(kColumnWidthKeys[size_t(column)], width); },
        [](int column) { return kCompactColumns[size_t(column)]; });
    connect(grid_, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
        // The name column leads to the child, the spouse column to its
        // spouse; the other columns hold no one to go to.
        int32_t chosen = 0;
        if (index.column() == kNameColumn) chosen = gridModel_.ChildAt(index.row());
        if (index.column() == kSpouseColumn) chosen = gridModel_.SpouseAt(index.row());
        if (chosen != 0) emit IndividualChosen(chosen);
    });
    ApplyColumnWidths();
    ClearPage();
}

TIndInfoPanel* TFamilyPage::NewPanel(const char* name) {
    auto* panel = new TIndInfoPanel(this);
    panel->setObjectName(name);
    panel->SetLinesToShow(3);
    connect(panel, &TIndInfoPanel::DoubleClicked, this, &TFamilyPage::IndividualChosen);
    return panel;
}

void TFamilyPage::Refresh(const PageContext& context) {
    if (!context.collection) {
        collection_ = nullptr;
        group_ = context.group;
        page_ = FamilyPage();
        ClearPage();
        return;
    }
    if (context.active == 0) return;
    // A refresh for the same person (new colours, new settings) keeps the
    // spouse shown; anyone else starts at the first family.
    const bool samePerson = collection_ == context.collection && page_.subject == context.active;
    const int marriage = samePerson ? std::max(page_.current, 1) : 1;
    collection_ = context.collection;
    group_ = context.group;
    if (context.fontSize != fontSize_ && context.fontSize > 0) {
        fontSize_ = context.fontSize;
        for (TIndInfoPanel* panel : {subject_, spouse_})
            panel->SetFontSize(fontSize_);
        for (TIndInfoPanel* panel : parents_)
            panel->SetFontSize(fontSize_);
        LayOut();
    }
    if (context.fontSize > 0 && grid_->font().pointSize() != context.fontSize) {
        QFont font = grid_->font();
        font.setPointSize(context.fontSize);
        grid_->setFont(font);
    }
    if (context.rowHeight > 0)
        grid_->verticalHeader()->setDefaultSectionSize(
            std::max(context.rowHeight, grid_->fontMetrics().height() + 2));
    page_ = BuildFamilyPage(*collection_, context.active, marriage);
    ShowPage();
}

void TFamilyPage::NextSpouse() {
    if (!collection_ || page_.families.size() < 2) return;
    ShowNextSpouse(*collection_, page_);
    ShowPage();
}

void TFamilyPage::ShowPage() {
    nextSpouse_->setVisible(page_.nextSpouseVisible);
    marriageInfo_->setText(ToQt(page_.marriageInfo));
    counter_->setText(ToQt(page_.spouseCounter));
    FillIndividualPanel(*subject_, collection_, group_, page_.subject);
    FillIndividualPanel(*spouse_, collection_, group_, page_.spouse);
    const std::array<int32_t, 4> parents = {page_.subjectFather, page_.subjectMother,
                                            page_.spouseFather, page_.spouseMother};
    for (size_t i = 0; i < parents_.size(); ++i) {
        FillIndividualPanel(*parents_[i], collection_, group_, parents[i]);
        plus_[i]->setVisible(page_.parentHasParents[i]);
    }
    gridModel_.SetPage(collection_, group_, &page_);
    ApplyColumnWidths();  // new values may need wider columns
    LayOut();             // the counter's width may have changed
}

void TFamilyPage::ClearPage() {
    nextSpouse_->hide();
    marriageInfo_->clear();
    counter_->clear();
    FillIndividualPanel(*subject_, nullptr, nullptr, 0);
    FillIndividualPanel(*spouse_, nullptr, nullptr, 0);
    for (size_t i = 0; i < parents_.size(); ++i) {
        FillIndividualPanel(*parents_[i], nullptr, nullptr, 0);
        plus_[i]->hide();
    }
    gridModel_.SetPage(nullptr, nullptr, nullptr);
}

void TFamilyPage::ApplyColumnWidths() {
    widths_->Apply();
}

void TFamilyPage::StoreColumnWidths() {
    widths_->Store();
}

void TFamilyPage::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    LayOut();
}

// The person panels fill two columns: the couple on the left, the four
// parents on the right, all placed from the font size; the grid takes what
// is left below.
void TFamilyPage::LayOut() {
    const int s = fontSize_;
    const int w = width();
    const int half = w / 2;
    const int leftWidth = std::max(half - 10, 1);
    const int rightWidth = std::max(half - 20, 1);

    subjectCaption_->move(8, 10);
    subjectCaption_->adjustSize();
    subject_->setGeometry(8, 26, leftWidth, subject_->PanelHeight());
    marriageInfo_->setGeometry(9, 4 * s + 46, leftWidth, std::max(2 * s - 3, 1));
    upperBevel_->setGeometry(0, 6 * s + 49, std::max(w - 3, 1), 2);
    spouseCaption_->move(8, 7 * s + 53);
    spouseCaption_->adjustSize();
    // Larger fonts push the counter and the button further right rather
    // than over each other.
    counter_->adjustSize();
    counter_->move(std::max(50, spouseCaption_->geometry().right() + 4), 7 * s + 53);
    nextSpouse_->adjustSize();
    nextSpouse_->move(std::max(90, counter_->geometry().right() + 6), 7 * s + 52);
    spouse_->setGeometry(8, 7 * s + 69, leftWidth, spouse_->PanelHeight());

    const int parentTops[] = {2, 3 * s + 26, 6 * s + 52, 9 * s + 76};
    for (size_t i = 0; i < parents_.size(); ++i) {
        TIndInfoPanel* panel = parents_[i];
        panel->setGeometry(half + 9, parentTops[i], rightWidth, panel->PanelHeight());
        QToolButton* plus = plus_[i];
        plus->move(panel->geometry().right() + 2,
                   panel->y() + (panel->height() - plus->height()) / 2);
    }
    lowerBevel_->setGeometry(0, 12 * s + 99, std::max(w - 3, 1), 2);

    const int gridTop = 12 * s + 103;
    const int gridHeight = height() - gridTop - 4;
    grid_->setVisible(gridHeight > 0);
    if (gridHeight > 0) grid_->setGeometry(8, gridTop, std::max(w - 18, 1), gridHeight);
}

}  // namespace vx
