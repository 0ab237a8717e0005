#include "ui/IslandsTab.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QSplitter>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <array>

#include "analysis/FamilyAnalysis.h"
#include "analysis/Islands.h"
#include "app/Options.h"
#include "app/Services.h"
#include "app/TextUtil.h"
#include "columns/IslandIterator.h"
#include "columns/ListColumns.h"
#include "dialogs/ListColumnsDlg.h"
#include "gedcom/GEDCollection.h"
#include "ui/GeneralTab.h"
#include "ui/GridWidths.h"
#include "ui/ListPage.h"
#include "widgets/QtText.h"

namespace vx {
namespace {

// The grid's columns, from 0.
enum IslandColumn : int {
    kRankColumn,
    kIndividualsColumn,
    kFamiliesColumn,
    kFirstIndividualColumn,
    kIslandColumns
};

constexpr std::array<int, kIslandColumns> kIslandWidths = {40, 60, 60, 450};

QTableView* NewGrid(const char* name) {
    auto* grid = new QTableView;
    grid->setObjectName(name);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setWordWrap(false);
    grid->verticalHeader()->hide();
    grid->horizontalHeader()->setHighlightSections(false);
    return grid;
}

}  // namespace

void WIslandsModel::SetAnalysis(FamilyAnalysis* analysis) {
    beginResetModel();
    analysis_ = analysis;
    count_ = analysis && analysis->IslandsComputed() ? analysis->Islands().ComputeIslands() : 0;
    endResetModel();
}

int WIslandsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : count_;
}

int WIslandsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kIslandColumns;
}

QVariant WIslandsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= count_ || index.column() >= kIslandColumns || !analysis_)
        return {};
    if (role != Qt::DisplayRole) return {};
    const int32_t rank = index.row() + 1;
    const WIslands& islands = analysis_->Islands();
    switch (index.column()) {
        case kRankColumn:
            return QString::number(rank);
        case kIndividualsColumn:
            return ToQt(FormatThousands(islands.IslandIndividuals(rank)));
        case kFamiliesColumn:
            return ToQt(FormatThousands(islands.IslandFamilies(rank)));
        default:  // kFirstIndividualColumn
            return ToQt(analysis_->Collection().DisplayNameOf(islands.IslandFirstIndividual(rank)));
    }
}

QVariant WIslandsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    static const char* const kCaptions[kIslandColumns] = {"  #", "# Inds", "# Fams",
                                                          "1st individual in Island"};
    if (orientation != Qt::Horizontal || section < 0 || section >= kIslandColumns ||
        role != Qt::DisplayRole)
        return {};
    return QString(kCaptions[section]);
}

TIslandsPage::TIslandsPage(WListColumns& columns, QWidget* parent)
    : QWidget(parent),
      columns_(columns),
      members_(std::make_unique<WListModel>(columns)),
      found_(new QLabel),
      calculate_(new QToolButton),
      islandGrid_(NewGrid("IslandGrid")),
      columnsButton_(new QToolButton),
      membersCount_(new QLabel),
      memberGrid_(NewGrid("IslandGridInd")) {
    setObjectName("PageIslands");
    auto* firstInd = new QLabel("Double click on a row to move to 1st individual in island");
    firstInd->setObjectName("labFirstInd");
    calculate_->setObjectName("sbCalculateIslands");
    calculate_->setText("Calculate");
    connect(calculate_, &QToolButton::clicked, this, &TIslandsPage::Calculate);
    found_->setObjectName("labIslandsFound");
    found_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    islandGrid_->setModel(&islands_);
    islandGrid_->setItemDelegate(new TGridStyleDelegate(islandGrid_, Qt::AlignVCenter));
    // The island grid's widths are fixed; only the name column holds text.
    islandWidths_ = new TGridWidths(
        *islandGrid_, [](int column) { return kIslandWidths[size_t(column)]; }, [](int, int) {},
        [](int column) { return column != kFirstIndividualColumn; });
    islandWidths_->Apply();
    connect(islandGrid_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid()) SelectIsland(current.row() + 1);
            });
    connect(islandGrid_, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
        if (!context_.analysis || index.row() >= islands_.rowCount()) return;
        if (const int32_t first =
                context_.analysis->Islands().IslandFirstIndividual(index.row() + 1))
            emit IndividualChosen(first);
    });

    columnsButton_->setObjectName("SpeedButton15");
    columnsButton_->setText("Columns");
    columnsButton_->setToolTip("Change the columns displays in the list");
    connect(columnsButton_, &QToolButton::clicked, this, [this] {
        if (memberList_ && memberList_->IsSorting()) return;
        // The widths the user dragged stay with their columns.
        memberWidths_->Store();
        if (!TdlgListColumns::Choose(columns_, context_.collection, this)) return;
        columns_.SetBasePerson(context_.active);
        members_->Reload();
        UpdateSortIndicator();  // the caption's width includes the sort mark
        ApplyColumnWidths();
    });
    membersCount_->setObjectName("labIslandIndividuals");
    membersCount_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    memberGrid_->setModel(members_.get());
    memberGrid_->setItemDelegate(new WTabStopDelegate(columns_, memberGrid_));
    memberWidths_ = NewListGridWidths(*memberGrid_, columns_);
    memberGrid_->horizontalHeader()->setSectionsClickable(true);
    connect(memberGrid_->horizontalHeader(), &QHeaderView::sectionClicked, this,
            &TIslandsPage::SortMembers);
    connect(memberGrid_, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
        if (const int32_t individual = members_->IndividualAt(index.row()))
            emit IndividualChosen(individual);
    });

    auto* top = new QWidget;
    auto* topStrip = new QHBoxLayout;
    topStrip->addWidget(firstInd);
    topStrip->addWidget(calculate_);
    topStrip->addStretch(1);
    topStrip->addWidget(found_);
    auto* topLayout = new QVBoxLayout(top);
    topLayout->setContentsMargins(0, 0, 6, 0);
    topLayout->addLayout(topStrip);
    topLayout->addWidget(islandGrid_, 1);

    auto* bottom = new QWidget;
    auto* bottomStrip = new QHBoxLayout;
    bottomStrip->addWidget(columnsButton_);
    bottomStrip->addWidget(
        new QLabel("Below is a list of Individuals in the selected Island above"));
    bottomStrip->addStretch(1);
    bottomStrip->addWidget(membersCount_);
    auto* bottomLayout = new QVBoxLayout(bottom);
    bottomLayout->setContentsMargins(0, 0, 6, 0);
    bottomLayout->addLayout(bottomStrip);
    bottomLayout->addWidget(memberGrid_, 1);

    auto* splitter = new QSplitter(Qt::Vertical);
    splitter->addWidget(top);
    splitter->addWidget(bottom);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(splitter);
    UpdateCalculateButton();
}

TIslandsPage::~TIslandsPage() {
    FreeMembers();
}

void TIslandsPage::Refresh(const PageContext& context) {
    const bool newFile = context.collection != context_.collection;
    context_ = context;
    if (!context.collection || !context.analysis) {
        FreeMembers();
        islands_.SetAnalysis(nullptr);
        found_->clear();
        UpdateCalculateButton();
        return;
    }
    FamilyAnalysis* analysis = context.analysis;
    if (newFile) FreeMembers();
    columns_.SetAnalysis(analysis);
    CountIslands(false);
    // Islands counted elsewhere (the islands panel) show here as well.
    if (newFile || analysis->IslandsComputed() != (islands_.rowCount() > 0))
        islands_.SetAnalysis(analysis);
    found_->setText(analysis->IslandsComputed()
                        ? ToQt(FormatThousands(analysis->Islands().ComputeIslands()) + " islands")
                        : QString());
    if (newFile && islands_.rowCount() > 0) islandGrid_->selectRow(0);
    columns_.SetBasePerson(context.active);
    members_->SetList(memberList_.get(), context.group, false);
    UpdateSortIndicator();
    UpdateCalculateButton();
}

void TIslandsPage::Calculate() {
    if (!context_.analysis) return;
    CountIslands(true);
    const bool hadIslands = islands_.rowCount() > 0;
    Refresh(context_);
    if (!hadIslands && islands_.rowCount() > 0) islandGrid_->selectRow(0);
    emit IslandsCalculated();
}

void TIslandsPage::CountIslands(bool forced) {
    FamilyAnalysis* analysis = context_.analysis;
    if (!analysis || !(forced || WOptions::GetFlag(opt::kCalcIslands))) return;
    if (analysis->IslandsComputed()) return;
    BusyScope busy;
    WaitScope wait("Calculating Islands.  Please Wait...", false, true);
    analysis->Islands().ComputeIslands();
}

void TIslandsPage::SelectIsland(int32_t rank) {
    FamilyAnalysis* analysis = context_.analysis;
    if (!analysis || rank < 1 || rank > islands_.rowCount()) return;
    if (rank == selected_ && memberList_) return;
    FreeMembers();
    selected_ = rank;
    {
        BusyScope busy;
        memberList_ = WIslandIterator::Create(analysis, rank);
        // The set sorts the new list by its sort column, in its direction.
        columns_.SetSortIterator(memberList_.get());
    }
    if (islandGrid_->currentIndex().row() != rank - 1) islandGrid_->selectRow(rank - 1);
    members_->SetList(memberList_.get(), context_.group, false);
    membersCount_->setText(
        memberList_ ? ToQt(FormatThousands(memberList_->Count()) + " Individuals") : QString());
    UpdateSortIndicator();  // the caption's width includes the sort mark
    ApplyColumnWidths();
}

void TIslandsPage::SortMembers(int column) {
    if (!memberList_ || memberList_->IsSorting()) return;
    memberWidths_->Store();
    {
        BusyScope busy;
        columns_.SortByColumn(column + 1);
    }
    members_->Reload();
    UpdateSortIndicator();  // the caption's width includes the sort mark
    ApplyColumnWidths();
}

void TIslandsPage::FreeMembers() {
    // Nothing may point at the list that goes.
    members_->SetList(nullptr, nullptr, false);
    if (memberList_ && columns_.SortIterator() == memberList_.get())
        columns_.SetSortIterator(nullptr);
    memberList_.reset();
    selected_ = 0;
    membersCount_->clear();
}

void TIslandsPage::UpdateCalculateButton() {
    const FamilyAnalysis* analysis = context_.analysis;
    const bool automatic = WOptions::GetFlag(opt::kCalcIslands);
    const bool enabled = analysis && !automatic && !analysis->IslandsComputed();
    calculate_->setVisible(!automatic);
    calculate_->setEnabled(enabled);
    // Red while there is something to calculate.
    calculate_->setStyleSheet(enabled ? "color: red" : "color: black");
}

void TIslandsPage::UpdateSortIndicator() {
    const int sorted = columns_.SortColumn();
    QHeaderView* header = memberGrid_->horizontalHeader();
    header->setSortIndicatorShown(sorted >= 1);
    if (sorted >= 1)
        header->setSortIndicator(sorted - 1,
                                 columns_.IsAscending() ? Qt::AscendingOrder : Qt::DescendingOrder);
}

void TIslandsPage::ApplyColumnWidths() {
    memberWidths_->Apply();
    islandWidths_->Apply();
}

}  // namespace vx
