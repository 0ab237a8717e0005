#include "ui/SourcesTab.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QStackedWidget>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

#include "analysis/SourceIterator.h"
#include "app/Options.h"
#include "app/Services.h"
#include "app/TextUtil.h"
#include "gedcom/GEDCollection.h"
#include "records/Repository.h"
#include "records/Source.h"
#include "ui/GeneralTab.h"
#include "ui/GridWidths.h"
#include "widgets/QtText.h"

namespace vx {
namespace {

// The grid's columns, from 0.
enum SourceColumn : int {
    kNumberColumn,
    kNoteColumn,
    kTextColumn,
    kRepositoryColumn,
    kTitleColumn,
    kAbbreviationColumn,
    kAuthorColumn,
    kPublicationColumn,
    kCallNumberColumn,
    kSourceColumns
};
static_assert(kSourceColumns == WSourcesModel::kColumnCount);

const char* const kCaptions[WSourcesModel::kColumnCount] = {
    "  #", "N", "T", "R", "Title", "Abbreviation", "Author", "Publication", "Call Number"};
// The settings key holding each column's width (the abbreviation column
// came later and has the ninth key).
constexpr int kWidthKeys[WSourcesModel::kColumnCount] = {
    opt::kSrcCol1, opt::kSrcCol2, opt::kSrcCol3, opt::kSrcCol4, opt::kSrcCol5,
    opt::kSrcCol9, opt::kSrcCol6, opt::kSrcCol7, opt::kSrcCol8};
// The title; the columns before it hold numbers and marks.
constexpr int kFirstTextColumn = kTitleColumn;

// A one-line cell or label: carriage returns become blanks.
QString OneLine(const std::string& text) {
    return ToQt(FlattenLineBreaks(text));
}

// Memo text: each line of the note on its own line.
QString MemoLines(const WABSNote* note) {
    if (!note) return {};
    QStringList lines;
    for (const std::string& line : note->Lines())
        lines << ToQt(line);
    return lines.join('\n');
}

// Any line break (CR LF, bare CR or LF) as the memo's own.
QString MemoText(const std::string& text) {
    QString out = ToQt(text);
    out.replace("\r\n", "\n");
    out.replace('\r', '\n');
    return out;
}

QString RepositoryText(const WABSRepo& repo) {
    QString text = MemoText(repo.RepoName());
    const auto address = repo.Address();
    if (!address) return text;
    QStringList parts;
    for (const std::string& part :
         {address->AddressText(), address->Address1(), address->Address2(), address->City(),
          address->State(), address->PostalCode(), address->Country()})
        if (!part.empty()) parts << OneLine(part);
    if (!parts.isEmpty()) text += '\n' + parts.join(", ");
    return text;
}

QPlainTextEdit* NewMemo(const char* name) {
    auto* memo = new QPlainTextEdit;
    memo->setObjectName(name);
    memo->setReadOnly(true);
    return memo;
}

QLabel* NewValueLabel(const char* name) {
    auto* label = new QLabel;
    label->setObjectName(name);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

}  // namespace

WSourcesModel::WSourcesModel(QObject* parent) : QAbstractTableModel(parent) {}
WSourcesModel::~WSourcesModel() = default;

void WSourcesModel::SetList(WSourceIterator* list, const WABSCollection* collection) {
    beginResetModel();
    list_ = list;
    collection_ = list ? collection : nullptr;
    cachedNumber_ = 0;
    cached_.reset();
    endResetModel();
}

void WSourcesModel::Reload() {
    beginResetModel();
    endResetModel();
}

int32_t WSourcesModel::SourceAt(int row) const {
    return list_ ? list_->SourceAt(row + 1) : 0;
}

const WABSSource* WSourcesModel::Cached(int32_t number) const {
    if (number != cachedNumber_) {
        cached_ = collection_ && number > 0 ? collection_->Source(number) : nullptr;
        cachedNumber_ = number;
    }
    return cached_.get();
}

int WSourcesModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || !list_ ? 0 : list_->Count();
}

int WSourcesModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumnCount;
}

QVariant WSourcesModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= kColumnCount ||
        role != Qt::DisplayRole)
        return {};
    const int32_t number = SourceAt(index.row());
    const WABSSource* source = Cached(number);
    if (!source) return {};
    auto flag = [](bool on) { return QString(on ? "Y" : ""); };
    switch (index.column()) {
        case kNumberColumn:
            return ToQt(FormatThousands(number));
        case kNoteColumn:
            return flag(source->HasNote());
        case kTextColumn:
            return flag(source->HasText());
        case kRepositoryColumn:
            return flag(source->HasRepository());
        case kTitleColumn:
            return OneLine(source->Title());
        case kAbbreviationColumn:
            return OneLine(source->Abbreviation());
        case kAuthorColumn:
            return OneLine(source->Author());
        case kPublicationColumn:
            return OneLine(source->Publication());
        default:  // kCallNumberColumn
            return OneLine(source->CallNumber());
    }
}

QVariant WSourcesModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= kColumnCount) return {};
    if (role == Qt::DisplayRole) return QString(kCaptions[section]);
    if (role == Qt::ToolTipRole)
        return QString(
            "Column 1: Source number\nColumn 2: Has note indicator\nColumn 3: Has text "
            "indicator\nColumn 4: Has repository indicator\nColumn 5: Title\nColumn 6: "
            "Abbreviation\nColumn 7: Author\nColumn 8: Publication\nColumn 9: Call number");
    return {};
}

TSourcesPage::TSourcesPage(QWidget* parent)
    : QWidget(parent),
      found_(new QLabel),
      grid_(new QTableView),
      notebook_(new QStackedWidget),
      detailPage_(new QWidget),
      rawPage_(new QWidget),
      title_(NewValueLabel("labSrcTitle")),
      author_(NewValueLabel("labSrcAuthor")),
      abbreviation_(NewValueLabel("labSrcAbbrev")),
      publication_(NewValueLabel("labSrcPub")),
      callNumber_(NewValueLabel("labSrcCall")),
      noteMemo_(NewMemo("memoSrcNote")),
      textMemo_(NewMemo("memoSrcText")),
      repoMemo_(NewMemo("memoSrcRepo")),
      rawMemo_(NewMemo("memoSrcRaw")) {
    setObjectName("PageSources");
    found_->setObjectName("labSourceFound");
    found_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    grid_->setObjectName("SrcGrid");
    grid_->setModel(&model_);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setWordWrap(false);
    grid_->verticalHeader()->hide();
    grid_->horizontalHeader()->setHighlightSections(false);
    grid_->horizontalHeader()->setSectionsClickable(true);
    connect(grid_->horizontalHeader(), &QHeaderView::sectionClicked, this,
            &TSourcesPage::SortByColumn);
    grid_->setItemDelegate(new TGridStyleDelegate(grid_, Qt::AlignVCenter));
    // Widths the user drags stay; the number and the N, T, R marks are
    // never cut.
    widths_ = new TGridWidths(
        *grid_, [](int column) { return WOptions::GetInt(kWidthKeys[column]); },
        [](int column, int width) { WOptions::SetInt(kWidthKeys[column], width); },
        [](int column) { return column < kFirstTextColumn; });
    connect(grid_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid() && current.row() != selectedRow_) ShowSource(current.row());
            });
    ApplyColumnWidths();

    notebook_->setObjectName("NBSource");
    auto* captions = new QFormLayout;
    captions->addRow("Title:", title_);
    captions->addRow("Author:", author_);
    captions->addRow("Abbrev:", abbreviation_);
    captions->addRow("Pub:", publication_);
    captions->addRow("Call #:", callNumber_);
    // Note, Text and Repository share the strip in equal thirds.
    auto* groups = new QHBoxLayout;
    for (auto [caption, memo] : {std::pair{"Note", noteMemo_}, std::pair{"Text", textMemo_},
                                 std::pair{"Repository", repoMemo_}}) {
        auto* box = new QGroupBox(caption);
        auto* boxLayout = new QVBoxLayout(box);
        boxLayout->addWidget(memo);
        groups->addWidget(box, 1);
    }
    auto* detailLayout = new QVBoxLayout(detailPage_);
    detailLayout->setContentsMargins(0, 0, 0, 0);
    detailLayout->addLayout(captions);
    detailLayout->addLayout(groups, 1);
    auto* rawLayout = new QVBoxLayout(rawPage_);
    rawLayout->setContentsMargins(0, 0, 0, 0);
    rawLayout->addWidget(rawMemo_);
    notebook_->addWidget(detailPage_);
    notebook_->addWidget(rawPage_);

    auto* strip = new QHBoxLayout;
    strip->addStretch(1);
    strip->addWidget(found_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 5, 0);
    layout->addLayout(strip);
    layout->addWidget(grid_, 3);
    layout->addWidget(notebook_, 2);
}

TSourcesPage::~TSourcesPage() {
    model_.SetList(nullptr, nullptr);
}

QWidget* TSourcesPage::CurrentDetailPage() const {
    return notebook_->currentWidget();
}

void TSourcesPage::Refresh(const PageContext& context) {
    const bool newFile = context.collection != context_.collection || !list_;
    context_ = context;
    notebook_->setCurrentWidget(context.raw ? rawPage_ : detailPage_);
    if (!context.collection) {
        model_.SetList(nullptr, nullptr);
        list_.reset();
        found_->clear();
        selectedRow_ = -1;
        ClearDetails();
        return;
    }
    const WABSCollection* collection = context.collection;
    if (newFile) {
        model_.SetList(nullptr, nullptr);
        list_ = std::make_unique<WSourceIterator>(*collection);
        model_.SetList(list_.get(), collection);
        found_->setText(QString::number(list_->Count()) + " Sources");
        UpdateSortIndicator();  // the caption's width includes the sort mark
        ApplyColumnWidths();
    }
    // The details are read afresh for the row selected before.
    const int row = std::clamp(selectedRow_, 0, std::max(model_.rowCount() - 1, 0));
    selectedRow_ = -1;
    if (model_.rowCount() > 0) {
        if (grid_->currentIndex().row() == row)
            ShowSource(row);
        else
            grid_->selectRow(row);
    } else {
        ClearDetails();
    }
}

void TSourcesPage::SortByColumn(int column) {
    if (!list_ || list_->Count() == 0 || column < 0 || column >= WSourcesModel::kColumnCount)
        return;
    const int row = std::max(selectedRow_, 0);
    {
        BusyScope busy;
        list_->SortBy(column + 1, true);
    }
    model_.Reload();
    UpdateSortIndicator();
    // Another source now stands in the selected row.
    selectedRow_ = -1;
    grid_->selectRow(row);
    if (selectedRow_ < 0) ShowSource(row);
}

void TSourcesPage::ShowSource(int row) {
    selectedRow_ = row;
    const int32_t number = model_.SourceAt(row);
    const WABSCollection* collection = context_.collection;
    const auto source = collection && number > 0 ? collection->Source(number) : nullptr;
    if (!source) {
        ClearDetails();
        return;
    }
    title_->setText(OneLine(source->Title()));
    author_->setText(OneLine(source->Author()));
    abbreviation_->setText(OneLine(source->Abbreviation()));
    publication_->setText(OneLine(source->Publication()));
    callNumber_->setText(OneLine(source->CallNumber()));
    textMemo_->setPlainText(MemoLines(source->TextNote().get()));
    noteMemo_->setPlainText(MemoLines(source->Note().get()));
    const auto repo =
        source->HasRepository() ? collection->Repository(source->RepositoryNumber()) : nullptr;
    repoMemo_->setPlainText(repo ? RepositoryText(*repo) : QString());
    rawMemo_->setPlainText(MemoText(source->RecordText()));
}

void TSourcesPage::ClearDetails() {
    for (QLabel* label : {title_, author_, abbreviation_, publication_, callNumber_})
        label->clear();
    for (QPlainTextEdit* memo : {noteMemo_, textMemo_, repoMemo_, rawMemo_})
        memo->clear();
}

void TSourcesPage::UpdateSortIndicator() {
    QHeaderView* header = grid_->horizontalHeader();
    const int key = list_ ? list_->SortKey() : 0;
    header->setSortIndicatorShown(key >= 1);
    if (key >= 1)
        header->setSortIndicator(
            key - 1, list_->Direction() == 1 ? Qt::AscendingOrder : Qt::DescendingOrder);
}

void TSourcesPage::ApplyColumnWidths() {
    widths_->Apply();
}

}  // namespace vx
