#include "ui/IslandsPanel.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QScrollBar>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <array>

#include "analysis/FamilyAnalysis.h"
#include "analysis/Islands.h"
#include "app/Options.h"
#include "app/Services.h"
#include "app/TextUtil.h"
#include "gedcom/GEDCollection.h"
#include "ui/GeneralTab.h"
#include "ui/GridWidths.h"
#include "ui/PanelTitleBar.h"
#include "widgets/QtText.h"

namespace vx {
namespace {

// The grid's columns: rank, individuals, families.
constexpr std::array<int, 3> kWidths = {35, 40, 40};
// Room round the controls below the title bar.
constexpr int kBodyMargin = 2;

}  // namespace

TIslandsPanel::TIslandsPanel(QWidget* parent)
    : QWidget(parent),
      grid_(new QTableWidget(0, 3)),
      useIslands_(new QCheckBox("Use Islands")),
      calculate_(new QToolButton),
      count_(new QLabel) {
    setObjectName("IslandsPanel");
    grid_->setObjectName("gridLeftIslands");
    grid_->setHorizontalHeaderLabels({" #", "Ind", "Fam"});
    grid_->setItemDelegate(new TGridStyleDelegate(grid_, Qt::AlignVCenter));
    // Fixed widths, never narrower than the counts they show.
    widths_ = new TGridWidths(
        *grid_, [](int column) { return kWidths[size_t(column)]; }, [](int, int) {},
        [](int) { return true; });
    grid_->verticalHeader()->hide();
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    useIslands_->setObjectName("cbUseIslands");
    calculate_->setObjectName("sbCalculateIslandsPanel");
    calculate_->setText("Calculate");
    count_->setObjectName("labIslandCount");

    auto* strip = new QHBoxLayout;
    strip->addWidget(count_, 1);
    strip->addWidget(calculate_);
    // The same frame as the highlighting page: a title bar with a close
    // button over the page's controls.
    auto* titleBar = new TPanelTitleBar("Islands", "butCloseIslands", "Close the islands panel");
    titleBar->setObjectName("panIslandsTitle");
    close_ = titleBar->CloseButton();
    connect(close_, &QToolButton::clicked, this, &TIslandsPanel::CloseRequested);
    auto* body = new QVBoxLayout;
    body->setContentsMargins(kBodyMargin, kBodyMargin, kBodyMargin, kBodyMargin);
    body->addLayout(strip);
    body->addWidget(useIslands_);
    body->addWidget(grid_, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(titleBar);
    layout->addLayout(body, 1);

    connect(calculate_, &QToolButton::clicked, this, &TIslandsPanel::Calculate);
    connect(useIslands_, &QCheckBox::toggled, this, &TIslandsPanel::ApplyUse);
    connect(grid_, &QTableWidget::currentCellChanged, this,
            [this](int row, int, int previous, int) {
                // Another island while one is in use moves the view along.
                if (row != previous && useIslands_->isChecked()) ApplyUse();
            });
}

void TIslandsPanel::Refresh(const PageContext& context) {
    const bool newFile = context.collection != context_.collection;
    context_ = context;
    if (newFile) {
        inUse_ = 0;
        const QSignalBlocker quiet(useIslands_);
        useIslands_->setChecked(false);
        useIslands_->setText("Use Islands");
    }
    FamilyAnalysis* analysis = context.analysis;
    if (analysis && WOptions::GetFlag(opt::kCalcIslands) && !analysis->IslandsComputed()) {
        BusyScope busy;
        WaitScope wait("Calculating Islands.  Please Wait...", false, true);
        analysis->Islands().ComputeIslands();
    }
    ShowIslands();
}

void TIslandsPanel::Calculate() {
    if (!context_.analysis) return;
    {
        BusyScope busy;
        WaitScope wait("Calculating Islands.  Please Wait...", false, true);
        context_.analysis->Islands().ComputeIslands();
    }
    ShowIslands();
    emit IslandsCalculated();
}

void TIslandsPanel::ShowIslands() {
    FamilyAnalysis* analysis = context_.analysis;
    const bool computed = analysis && analysis->IslandsComputed();
    // Once computed, asking again only reads the count.
    const int32_t islands = computed ? analysis->Islands().ComputeIslands() : 0;
    const QSignalBlocker quiet(grid_);
    grid_->setRowCount(islands);
    for (int32_t rank = 1; rank <= islands; ++rank) {
        const int64_t values[3] = {rank, analysis->Islands().IslandIndividuals(rank),
                                   analysis->Islands().IslandFamilies(rank)};
        for (int column = 0; column < 3; ++column)
            grid_->setItem(rank - 1, column, new QTableWidgetItem(QString::number(values[column])));
    }
    if (inUse_ >= 1 && inUse_ <= islands) grid_->selectRow(inUse_ - 1);
    ApplyColumnWidths();
    count_->setText(computed ? ToQt(FormatThousands(islands) + " islands") : QString());
    // "Calculate" is for files whose islands are not counted on their own.
    const bool manual = !WOptions::GetFlag(opt::kCalcIslands);
    calculate_->setVisible(manual);
    calculate_->setEnabled(manual && analysis && !computed);
    useIslands_->setEnabled(computed);
}

void TIslandsPanel::ApplyColumnWidths() {
    widths_->Apply();
}

int TIslandsPanel::PreferredWidth() const {
    int columns = 0;
    for (int column = 0; column < grid_->columnCount(); ++column)
        columns += grid_->columnWidth(column);
    return columns + grid_->verticalScrollBar()->sizeHint().width() + 2 * grid_->frameWidth() +
           2 * kBodyMargin;
}

int32_t TIslandsPanel::SelectedRank() const {
    return grid_->currentRow() >= 0 ? grid_->currentRow() + 1 : 0;
}

void TIslandsPanel::ApplyUse() {
    FamilyAnalysis* analysis = context_.analysis;
    const int32_t rank = SelectedRank();
    const bool valid = analysis && analysis->IslandsComputed() && rank >= 1 &&
                       rank <= analysis->Islands().ComputeIslands();
    if (useIslands_->isChecked() && valid) {
        useIslands_->setText("Use Island (" + QString::number(rank) + ")");
        inUse_ = rank;
    } else {
        useIslands_->setText("Use Islands");
        inUse_ = 0;
    }
    grid_->setEnabled(false);
    emit IslandViewChanged(inUse_);
    grid_->setEnabled(true);
    grid_->setFocus();
}

}  // namespace vx
