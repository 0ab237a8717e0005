#include "ui/IndividualTab.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QSplitter>
#include <QStackedWidget>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "app/Options.h"
#include "gedcom/GEDCollection.h"
#include "highlight/HLGroup.h"
#include "ui/GeneralTab.h"
#include "widgets/QtText.h"

namespace vx {
namespace {

constexpr int kColumnCount = static_cast<int>(kIndividualColumns.size());

QPlainTextEdit* NewMemo(const char* name) {
    auto* memo = new QPlainTextEdit;
    memo->setObjectName(name);
    memo->setReadOnly(true);
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    return memo;
}

void ShowText(QPlainTextEdit& memo, const std::string& text) {
    memo.setPlainText(ToQt(text).replace("\r\n", "\n"));
    memo.moveCursor(QTextCursor::Start);
}

QGroupBox* Boxed(const char* title, QWidget* inside) {
    auto* box = new QGroupBox(title);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(3, 3, 3, 3);
    layout->addWidget(inside);
    return box;
}

}  // namespace

TIndividualPage::TIndividualPage(QWidget* parent)
    : QWidget(parent),
      sex_(new QLabel),
      modified_(new QLabel),
      chronological_(new QCheckBox("Chronological")),
      stack_(new QStackedWidget),
      gridPage_(new QSplitter(Qt::Vertical)),
      grid_(new QTableWidget(1, kColumnCount)),
      notes_(NewMemo("memIndNotes")),
      sources_(NewMemo("memIndSources")),
      raw_(NewMemo("memIndividual")) {
    setObjectName("PageIndividual");
    sex_->setObjectName("labSex");
    modified_->setObjectName("labModified");
    chronological_->setObjectName("cbChrono");
    chronological_->setChecked(WOptions::GetFlag(opt::kChrono));
    connect(chronological_, &QCheckBox::toggled, this, [this](bool on) {
        WOptions::SetFlag(opt::kChrono, on);
        Refresh(context_);
    });

    grid_->setObjectName("gridIndividual");
    ApplyGridStyle(*grid_);
    QStringList captions;
    for (int c = 0; c < kColumnCount; ++c) {
        const IndividualColumn& column = kIndividualColumns[static_cast<size_t>(c)];
        captions << column.caption;
        if (column.width > 0) grid_->setColumnWidth(c, column.width);
    }
    grid_->setHorizontalHeaderLabels(captions);
    // The information column takes what the fixed columns leave.
    grid_->horizontalHeader()->setSectionResizeMode(kIndividualInformationColumn,
                                                    QHeaderView::Stretch);
    FillGrid();
    connect(grid_, &QTableWidget::currentCellChanged, this,
            [this](int row, int, int, int) { ShowSelected(row); });
    connect(grid_, &QTableWidget::cellDoubleClicked, this, [this](int row, int) {
        const IndividualRow* chosen = SelectedIndividualRow(page_, row);
        if (chosen && chosen->individual != 0) emit IndividualChosen(chosen->individual);
    });

    auto* memos = new QWidget;
    auto* memoLayout = new QHBoxLayout(memos);
    memoLayout->setContentsMargins(0, 0, 0, 0);
    memoLayout->addWidget(Boxed("Notes", notes_));
    memoLayout->addWidget(Boxed("Sources", sources_));
    auto* splitter = static_cast<QSplitter*>(gridPage_);
    splitter->addWidget(grid_);
    splitter->addWidget(memos);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 1);
    stack_->addWidget(gridPage_);
    stack_->addWidget(raw_);

    auto* strip = new QHBoxLayout;
    strip->addWidget(new QLabel("Sex:"));
    strip->addWidget(sex_);
    strip->addSpacing(12);
    strip->addWidget(new QLabel("Modified:"));
    strip->addWidget(modified_);
    strip->addStretch(1);
    strip->addWidget(chronological_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(strip);
    layout->addWidget(stack_, 1);
}

bool TIndividualPage::ShowsRaw() const {
    return stack_->currentWidget() == raw_;
}

void TIndividualPage::Refresh(const PageContext& context) {
    context_ = context;
    IndividualPageOptions options = IndividualPageSettings();
    options.highlight = context.group;
    page_ = context.collection ? BuildIndividualPage(*context.collection, context.active, options)
                               : IndividualPage{};
    {
        const QSignalBlocker blocker(chronological_);
        chronological_->setChecked(options.chronological);
    }
    sex_->setText(ToQt(page_.sex));
    modified_->setText(ToQt(page_.modified));

    QFont font = grid_->font();
    font.setPointSize(context.fontSize);
    SetGridSizes(*grid_, font, context.rowHeight);
    for (QPlainTextEdit* memo : {notes_, sources_}) {
        QFont memoFont = memo->font();
        memoFont.setPointSize(context.fontSize);
        memo->setFont(memoFont);
    }
    FillGrid();

    ShowText(*raw_, page_.recordText);
    QPalette colours = raw_->palette();
    colours.setColor(QPalette::Base, ToQColor(page_.background));
    colours.setColor(QPalette::Text, ToQColor(page_.textColor));
    raw_->setPalette(colours);
    stack_->setCurrentWidget(context.raw ? static_cast<QWidget*>(raw_) : gridPage_);
}

void TIndividualPage::FillGrid() {
    const QSignalBlocker blocker(grid_);
    // The grid keeps its surplus rows (drawn empty) while people are shown
    // and shrinks to one empty row when nobody is.
    const int rows = static_cast<int>(page_.rows.size());
    grid_->setRowCount(page_.individual == 0 ? 1 : std::max({grid_->rowCount(), rows, 1}));
    for (int r = 0; r < grid_->rowCount(); ++r) {
        const IndividualRow* row = SelectedIndividualRow(page_, r);
        for (int c = 0; c < kColumnCount; ++c) {
            auto* item = new QTableWidgetItem(row ? ToQt(IndividualCell(*row, c)) : QString());
            if (row && c == kIndividualInformationColumn) {
                item->setBackground(ToQColor(row->background));
                item->setForeground(ToQColor(row->textColor));
            }
            grid_->setItem(r, c, item);
        }
    }
    selected_ = KeptIndividualSelection(page_, selected_);
    grid_->setCurrentCell(selected_, 0);
    ShowSelected(selected_);
}

void TIndividualPage::ShowSelected(int row) {
    selected_ = row;
    const IndividualRow* shown = SelectedIndividualRow(page_, row);
    ShowText(*notes_, shown ? shown->notes : std::string());
    ShowText(*sources_, shown ? shown->sources : std::string());
}

}  // namespace vx
