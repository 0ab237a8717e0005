#include "dialogs/FindDlg.h"

#include <QButtonGroup>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QScreen>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>
#include <limits>
#include <string>

#include "analysis/IslandView.h"
#include "app/Options.h"
#include "app/Services.h"
#include "app/TextUtil.h"
#include "columns/AttributeIds.h"
#include "columns/ColSortIterator.h"
#include "gedcom/ABSCollection.h"
#include "highlight/HLGroup.h"
#include "records/Individual.h"
#include "widgets/IndInfoPanel.h"
#include "widgets/QtText.h"

namespace vx {
namespace {

constexpr const char* kSortingMessage = "Sorting.  Please Wait...";
// How the setting FindDlg numbers each mode, and the sort key of each
// mode's list (the index order is the view order and never sorted).
constexpr int kSettingOfMode[5] = {1, 2, 5, 3, 4};
// The index order is the view's, never sorted.
constexpr int kViewOrder = 0;
constexpr int kSortKeyOfMode[5] = {kViewOrder, Attr::RIN, Attr::CustomId, Attr::SurnameGiven,
                                   Attr::FullName};

// The grid's columns, from 0.
enum FindColumn : int { kIndexColumn, kIdColumn, kNameColumn, kBirthColumn, kFindColumns };
constexpr int kColumnWidths[kFindColumns] = {45, 60, 180, 75};

// What the marriages list keeps in each row besides its text.
constexpr int kIndividualRole = Qt::UserRole;
constexpr int kSpouseRowRole = Qt::UserRole + 1;
constexpr int kPlusRole = Qt::UserRole + 2;
constexpr int kYearRole = Qt::UserRole + 3;
constexpr int kNameRole = Qt::UserRole + 4;

// Item measures grow by a quarter on 120-dpi screens.
bool LargeFonts() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen && qRound(screen->logicalDotsPerInchX()) == 120;
}

int Scaled(int pixels) {
    return LargeFonts() ? static_cast<int>(pixels * 1.25) : pixels;
}

int ModeOfSetting(int setting) {
    for (int mode = 0; mode < 5; ++mode)
        if (kSettingOfMode[mode] == setting) return mode;
    return TWFindDlg::kModeSurname;
}

int FontSizeSetting() {
    const int size = WOptions::GetInt(opt::kFontSize);
    return size > 0 ? std::clamp(size, 4, 72) : 8;
}

bool IsGedcom(const WABSCollection* collection) {
    return collection && collection->FileKind() == WABSCollection::kKindGedcom;
}

std::string BirthText(const WABSIndividual& person) {
    const std::string birth = person.EventDateText(kEventBirth);
    if (!birth.empty()) return birth;
    const std::string christening = person.EventDateText(kEventChristening);
    return christening.empty() ? std::string() : "[" + christening + "]";
}

// Cells on their highlight colours. The selected row is framed in black
// rather than filled, so its own colours stay visible.
class WFindGridDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const QRect r = option.rect;
        painter->save();
        painter->fillRect(r, index.data(Qt::BackgroundRole).value<QColor>());
        painter->setPen(index.data(Qt::ForegroundRole).value<QColor>());
        painter->setFont(option.font);
        const QString text =
            option.fontMetrics.elidedText(index.data().toString(), Qt::ElideRight, r.width() - 4);
        painter->drawText(r.adjusted(2, 0, -2, 0), Qt::AlignLeft | Qt::AlignVCenter, text);
        if (option.state & QStyle::State_Selected) {
            painter->setPen(Qt::black);
            painter->drawLine(r.topLeft(), r.topRight());
            painter->drawLine(r.bottomLeft(), r.bottomRight());
            if (index.column() == kIndexColumn) painter->drawLine(r.topLeft(), r.bottomLeft());
            if (index.column() == index.model()->columnCount() - 1)
                painter->drawLine(r.topRight(), r.bottomRight());
        }
        painter->restore();
    }
};

// Spouse rows start at the left edge; child rows are indented and show
// "+" when the child has children, the birth year and the name.
class WMarriagesDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const int height = option.fontMetrics.height() + 3 + (LargeFonts() ? 3 : 0);
        return QSize(QStyledItemDelegate::sizeHint(option, index).width(), height);
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const QRect r = option.rect;
        painter->save();
        painter->fillRect(r, index.data(Qt::BackgroundRole).value<QColor>());
        painter->setPen(index.data(Qt::ForegroundRole).value<QColor>());
        painter->setFont(option.font);
        const auto draw = [&](int left, const QString& text) {
            painter->drawText(QRect(r.left() + left, r.top(), r.width() - left, r.height()),
                              Qt::AlignLeft | Qt::AlignVCenter, text);
        };
        if (index.data(kSpouseRowRole).toBool()) {
            draw(2, index.data().toString());
        } else {
            const int indent = 15;
            // The name starts right of the widest year the font can draw.
            const int nameOffset =
                std::max(Scaled(42), 10 + option.fontMetrics.horizontalAdvance("0000") + 6);
            if (index.data(kPlusRole).toBool()) draw(indent + 2, "+");
            draw(indent + 10, index.data(kYearRole).toString());
            draw(indent + nameOffset, index.data(kNameRole).toString());
        }
        if (option.state & QStyle::State_Selected) {
            QColor selected = option.palette.color(QPalette::Highlight);
            selected.setAlpha(80);
            painter->fillRect(r, selected);
        }
        painter->restore();
    }
};

}  // namespace

// ---- the grid's rows ----

void WFindGridModel::SetSource(const WABSCollection* collection, WHLGroup* group) {
    beginResetModel();
    collection_ = collection;
    group_ = group;
    endResetModel();
}

void WFindGridModel::SetList(WColSortIterator* list, int mode) {
    beginResetModel();
    list_ = list;
    mode_ = mode;
    endResetModel();
}

int32_t WFindGridModel::IndividualAt(int row) const {
    if (!list_ || row < 0 || row >= list_->Count()) return 0;
    return list_->ItemID(row + 1);
}

int WFindGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || !list_ ? 0 : list_->Count();
}

int WFindGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kFindColumns;
}

QVariant WFindGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const int32_t individual = IndividualAt(index.row());
    switch (role) {
        case Qt::BackgroundRole:
            return group_ && individual ? ToQColor(group_->BackgroundColor(individual))
                                        : QColor(Qt::white);
        case Qt::ForegroundRole:
            return group_ && individual ? ToQColor(group_->TextColor(individual))
                                        : QColor(Qt::black);
        case Qt::DisplayRole:
            break;
        default:
            return {};
    }
    const auto person = collection_ ? collection_->Individual(individual) : nullptr;
    if (!person) return QString();
    switch (index.column()) {
        case kIndexColumn:
            return QString::number(individual);
        case kIdColumn:
            return ToQt(mode_ == TWFindDlg::kModeReference ? person->RefNumber() : person->XRef());
        case kNameColumn: {
            const std::string given = person->GivenNames();
            const std::string surname = person->SurnameText();
            if (mode_ == TWFindDlg::kModeSurname) return ToQt(surname + ", " + given);
            return ToQt(given.empty() ? surname : given + " " + surname);
        }
        default:  // kBirthColumn
            return ToQt(BirthText(*person));
    }
}

QVariant WFindGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    switch (section) {
        case kIndexColumn:
            return QString("Index");
        case kIdColumn:
            // The column shows what the order searches: the reference
            // number in its own order, the identifier in every other.
            if (mode_ == TWFindDlg::kModeReference) return QString("Custom ID");
            return QString(IsGedcom(collection_) ? "REF" : "RIN");
        case kNameColumn:
            return QString("Name");
        case kBirthColumn:
            return QString("Birth/[Chr]");
        default:
            return {};
    }
}

// ---- the dialog ----

TWFindDlg::TWFindDlg(QWidget* owner, const WFindLists& lists, WHLGroup* group,
                     const WABSCollection* collection)
    : QDialog(owner),
      collection_(collection),
      group_(group),
      lists_(lists),
      autoSearch_(WOptions::GetFlag(opt::kAutoSearch)) {
    setObjectName("WFindDlg");
    setWindowTitle("Find Individual");
    WColSortIterator** handed[4] = {&lists_.identifier, &lists_.reference, &lists_.surname,
                                    &lists_.given};
    for (size_t k = 0; k < 4; ++k) {
        if (*handed[k]) continue;
        ownLists_[k] = std::make_unique<WColSortIterator>(collection, lists.view);
        *handed[k] = ownLists_[k].get();
    }
    viewList_ = std::make_unique<WColSortIterator>(collection, lists.view);
    model_.SetSource(collection, group);
    BuildLayout();
    ApplySizes();
}

TWFindDlg::~TWFindDlg() = default;

void TWFindDlg::BuildLayout() {
    modes_ = new QButtonGroup(this);
    const char* names[5] = {"rbIndex", "rbRIN", "rbCustom", "rbSurname", "rbGiven"};
    const QString captions[5] = {"&Index", IsGedcom(collection_) ? "&REF" : "&RIN", "&Custom",
                                 "&Surname, Name", "&Name Surname"};
    auto* modeRow = new QHBoxLayout;
    for (int mode = 0; mode < 5; ++mode) {
        auto* button = new QRadioButton(captions[mode]);
        button->setObjectName(names[mode]);
        modes_->addButton(button, mode);
        modeRow->addWidget(button);
        modeButtons_[static_cast<size_t>(mode)] = button;
    }
    modeRow->addStretch();
    connect(modes_, &QButtonGroup::idClicked, this, &TWFindDlg::SetMode);

    edSearch_ = new QLineEdit;
    edSearch_->setObjectName("edSearch");
    edSearch_->installEventFilter(this);
    connect(edSearch_, &QLineEdit::textChanged, this, &TWFindDlg::SearchTextChanged);
    butSearch_ = new QPushButton("S&earch");
    butSearch_->setObjectName("butSearch");
    butSearch_->setToolTip(
        "Click here to find closest individual (See Options to remove this button)");
    butSearch_->setAutoDefault(false);
    butSearch_->setVisible(false);
    connect(butSearch_, &QPushButton::clicked, this, &TWFindDlg::SearchButtonClicked);
    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(edSearch_, 1);
    searchRow->addWidget(butSearch_);

    grid_ = new QTableView;
    grid_->setObjectName("IndGrid");
    grid_->setModel(&model_);
    grid_->setItemDelegate(new WFindGridDelegate(grid_));
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Tab leaves the grid: the rows are walked with the arrow keys.
    grid_->setTabKeyNavigation(false);
    grid_->setWordWrap(false);
    grid_->verticalHeader()->hide();
    QHeaderView* header = grid_->horizontalHeader();
    header->setHighlightSections(false);
    header->setSectionsClickable(false);
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    header->setStretchLastSection(true);
    grid_->installEventFilter(this);
    connect(grid_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { RowSelected(current.row()); });
    connect(grid_, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
        if (const int32_t individual = model_.IndividualAt(index.row())) {
            selected_ = individual;
            accept();
        }
    });

    labIndividuals_ = new QLabel(ToQt(
        FormatThousands(collection_ ? ViewCount(lists_.view, *collection_) : 0) + " Individuals"));
    labIndividuals_->setObjectName("labIndiviudals");

    auto* left = new QVBoxLayout;
    left->addLayout(modeRow);
    left->addLayout(searchRow);
    left->addWidget(grid_, 1);

    auto* right = new QVBoxLayout;
    const auto addPanel = [this, right](const char* caption, const char* name) {
        auto* label = new QLabel(caption);
        right->addWidget(label);
        auto* panel = new TIndInfoPanel;
        panel->setObjectName(name);
        // The panels can be reached with the keyboard and opened with Enter.
        panel->setFocusPolicy(Qt::StrongFocus);
        label->setBuddy(panel);
        right->addWidget(panel);
        connect(panel, &TIndInfoPanel::DoubleClicked, this, &TWFindDlg::MoveToIndividual);
        return panel;
    };
    iiIndividual_ = addPanel("In&dividual Selected", "iiIndividual");
    iiFather_ = addPanel("&Father", "iiFather");
    iiMother_ = addPanel("Mo&ther", "iiMother");
    lbMarriages_ = new QListWidget;
    lbMarriages_->setObjectName("lbMarriages");
    lbMarriages_->setItemDelegate(new WMarriagesDelegate(lbMarriages_));
    lbMarriages_->installEventFilter(this);
    connect(lbMarriages_, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { MarriageChosen(lbMarriages_->row(item)); });
    labMarriages_ = new QLabel("&Marriages (0)");
    labMarriages_->setObjectName("labMarriages");
    labMarriages_->setBuddy(lbMarriages_);
    right->addWidget(labMarriages_);
    right->addWidget(lbMarriages_, 1);

    butOK_ = new QPushButton("&OK");
    butOK_->setObjectName("butOK");
    butOK_->setDefault(true);
    connect(butOK_, &QPushButton::clicked, this, &TWFindDlg::OKClicked);
    butCancel_ = new QPushButton("Cancel");
    butCancel_->setObjectName("butCancel");
    connect(butCancel_, &QPushButton::clicked, this, &QDialog::reject);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(labIndividuals_);
    bottom->addStretch();
    bottom->addWidget(butOK_);
    bottom->addWidget(butCancel_);

    auto* columns = new QHBoxLayout;
    columns->addLayout(left, 3);
    columns->addLayout(right, 2);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns, 1);
    layout->addLayout(bottom);

    QWidget* chain[] = {modeButtons_[0], modeButtons_[1], modeButtons_[2], modeButtons_[3],
                        modeButtons_[4], edSearch_,       butSearch_,      grid_,
                        iiIndividual_,   iiFather_,       iiMother_,       lbMarriages_,
                        butOK_,          butCancel_};
    for (size_t k = 1; k < std::size(chain); ++k)
        setTabOrder(chain[k - 1], chain[k]);
}

void TWFindDlg::ApplySizes() {
    const QFont gridFont("Arial", FontSizeSetting());
    grid_->setFont(gridFont);
    int rowHeight = std::clamp(WOptions::GetInt(opt::kGridHeight), 8, 200);
    if (LargeFonts()) rowHeight = static_cast<int>(rowHeight * 1.25 + 0.5);
    // A font larger than the row would lose the bottoms of its letters.
    rowHeight = std::max(rowHeight, QFontMetrics(gridFont).height() + 2);
    QHeaderView* rows = grid_->verticalHeader();
    rows->setMinimumSectionSize(1);
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(rowHeight);

    const QFontMetrics headerMetrics(grid_->horizontalHeader()->font());
    const QFontMetrics cellMetrics(gridFont);
    int total = 0;
    for (int column = 0; column < kFindColumns; ++column) {
        const QString caption =
            model_.headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
        // Wide enough for the caption (the longest variant for the ID),
        // and the index column for six-digit numbers.
        int width = std::max(
            Scaled(kColumnWidths[column]),
            headerMetrics.horizontalAdvance(column == kIdColumn ? "Custom ID" : caption) + 16);
        if (column == kIndexColumn)
            width = std::max(width, cellMetrics.horizontalAdvance("000000") + 8);
        grid_->setColumnWidth(column, width);
        total += width;
    }
    grid_->setMinimumWidth(total + grid_->verticalScrollBar()->sizeHint().width() +
                           2 * grid_->frameWidth());
    grid_->setMinimumHeight(12 * rowHeight);

    const int fontSize = FontSizeSetting();
    for (TIndInfoPanel* panel : {iiIndividual_, iiFather_, iiMother_}) {
        panel->SetFontSize(fontSize);
        panel->setMinimumWidth(280);
        FillIndividualPanel(*panel, collection_, group_, 0);
    }
}

WColSortIterator* TWFindDlg::ListOfMode(int mode) const {
    switch (mode) {
        case kModeIdentifier:
            return lists_.identifier;
        case kModeReference:
            return lists_.reference;
        case kModeSurname:
            return lists_.surname;
        case kModeGiven:
            return lists_.given;
        default:
            return viewList_.get();
    }
}

void TWFindDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (prepared_) return;
    prepared_ = true;
    if (!autoSearch_) {
        butSearch_->setVisible(true);
        butSearch_->setEnabled(false);
    }
    SetMode(ModeOfSetting(WOptions::GetInt(opt::kFindDlg)));
}

void TWFindDlg::SetMode(int mode) {
    if (mode < kModeIndex || mode > kModeGiven) return;
    mode_ = mode;
    WColSortIterator* list = ListOfMode(mode);
    if (mode != kModeIndex && !list->IsSorted()) {
        WaitScope wait(kSortingMessage, false, false, static_cast<QWidget*>(this));
        BusyScope busy;
        list->SortByKey(kSortKeyOfMode[mode]);
    }
    model_.SetList(list, mode);
    modeButtons_[static_cast<size_t>(mode)]->setChecked(true);
    butOK_->setEnabled(model_.rowCount() > 0);
    // The selected person stays selected in the new order; before anyone
    // is, the grid starts on the caller's choice, else on the first row.
    const int32_t position = list->IndexOfID(selected_ != 0 ? selected_ : preselected_);
    MoveToRow(position > 0 ? position - 1 : 0);
    RewriteSearchBox();
    edSearch_->setFocus();
    WOptions::SetInt(opt::kFindDlg, kSettingOfMode[mode]);
}

void TWFindDlg::MoveToRow(int row, bool jump) {
    if (row < 0 || row >= model_.rowCount()) return;
    const QModelIndex index = model_.index(row, 0);
    grid_->selectionModel()->setCurrentIndex(
        index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    grid_->scrollTo(index,
                    jump ? QAbstractItemView::PositionAtCenter : QAbstractItemView::EnsureVisible);
}

int TWFindDlg::CurrentRow() const {
    return grid_->selectionModel()->currentIndex().row();
}

void TWFindDlg::MoveToIndividual(int32_t individual) {
    WColSortIterator* list = model_.List();
    const int32_t position = list && individual > 0 ? list->IndexOfID(individual) : 0;
    if (position > 0) MoveToRow(position - 1);
}

void TWFindDlg::RowSelected(int row) {
    const int32_t individual = model_.IndividualAt(row);
    if (individual == 0 || individual == selected_) return;
    selected_ = individual;
    FillIndividualPanel(*iiIndividual_, collection_, group_, individual);
    FillIndividualPanel(*iiFather_, collection_, group_, collection_->FatherOf(individual));
    FillIndividualPanel(*iiMother_, collection_, group_, collection_->MotherOf(individual));
    FillMarriages();
    if (rewriteSearch_) RewriteSearchBox();
}

void TWFindDlg::RewriteSearchBox() {
    std::string text;
    const auto person = collection_ ? collection_->Individual(selected_) : nullptr;
    if (person) {
        switch (mode_) {
            case kModeIndex:
                text = std::to_string(CurrentRow() + 1);
                break;
            case kModeIdentifier:
                text = person->XRef();
                break;
            case kModeReference:
                text = person->RefNumber();
                break;
            case kModeSurname:
                text = person->SurnameText() + ", " + person->GivenNames();
                break;
            default:
                text = person->GivenNames() + " " + person->SurnameText();
                break;
        }
    }
    const QSignalBlocker quiet(edSearch_);
    edSearch_->setText(ToQt(text));
    // Typing into the box starts a new search rather than extending the
    // shown person's text.
    edSearch_->selectAll();
}

void TWFindDlg::SearchTextChanged() {
    if (autoSearch_) {
        Search();
        return;
    }
    if (butSearch_->isEnabled()) return;
    butSearch_->setEnabled(true);
    QPalette colours = butSearch_->palette();
    colours.setColor(QPalette::ButtonText, Qt::red);
    butSearch_->setPalette(colours);
}

void TWFindDlg::SearchButtonClicked() {
    butSearch_->setEnabled(false);
    butSearch_->setPalette(QPalette());
    Search();
}

void TWFindDlg::Search() {
    const std::string text = FromQt(edSearch_->text());
    WColSortIterator* list = model_.List();
    if (text.empty() || !list || !collection_) return;
    BusyScope busy;
    int32_t position = 0;
    switch (mode_) {
        case kModeIndex: {
            const std::string digits = Trim(text);
            int32_t number = 0;
            if (!digits.empty() && digits.find_first_not_of("0123456789") == std::string::npos &&
                !ParseInt(digits, number))
                number = std::numeric_limits<int32_t>::max();  // too many digits: the last row
            position = std::min(number, list->Count());
            break;
        }
        case kModeIdentifier: {
            const bool gedcom = IsGedcom(collection_);
            int32_t found = collection_->IndividualByXRef(gedcom ? "I" + text : text);
            // Identifiers show without their letter, but users may type it.
            if (found == 0 && gedcom) found = collection_->IndividualByXRef(text);
            position = found != 0 ? list->IndexOfID(found) : 0;
            break;
        }
        case kModeReference:
            position = list->FindRefNumber(text);
            break;
        case kModeSurname: {
            const size_t comma = text.find(',');
            const std::string surname = Trim(text.substr(0, comma));
            const std::string given =
                comma == std::string::npos ? std::string() : Trim(text.substr(comma + 1));
            position = list->FindName(surname, given);
            break;
        }
        default:
            position = list->FindNameText(text);
            break;
    }
    if (position < 1) return;
    const QScopedValueRollback<bool> keepText(rewriteSearch_, false);
    MoveToRow(position - 1);
}

void TWFindDlg::OKClicked() {
    if (!autoSearch_ && butSearch_->isEnabled()) {
        SearchButtonClicked();
        return;
    }
    const int32_t individual = model_.IndividualAt(CurrentRow());
    if (individual == 0) return;
    selected_ = individual;
    accept();
}

bool TWFindDlg::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    if (watched == edSearch_ && (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down)) {
        grid_->setFocus();
        const int row = CurrentRow();
        if (key->key() == Qt::Key_Up && row > 0) MoveToRow(row - 1, false);
        if (key->key() == Qt::Key_Down && row + 1 < model_.rowCount()) MoveToRow(row + 1, false);
        return true;
    }
    // Typing while the grid has the focus goes on in the search box.
    if (watched == grid_ && !key->text().isEmpty() && key->text().front().isPrint() &&
        !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        edSearch_->setFocus();
        QCoreApplication::sendEvent(edSearch_, key);
        return true;
    }
    // Enter on a relative moves the grid there, like a double-click, and
    // leaves the dialog open.
    if (watched == lbMarriages_ && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
        MarriageChosen(lbMarriages_->currentRow());
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TWFindDlg::FillMarriages() {
    lbMarriages_->clear();
    const auto person = collection_ ? collection_->Individual(selected_) : nullptr;
    const int families = person ? person->SpouseFamilyCount() : 0;
    labMarriages_->setText(QString("&Marriages (%1)").arg(families));
    const auto addRow = [this](int32_t individual, bool spouseRow) {
        const auto relative = collection_->Individual(individual);
        if (!relative && !spouseRow) return;
        auto* item = new QListWidgetItem;
        item->setData(kIndividualRole, individual);
        item->setData(kSpouseRowRole, spouseRow);
        QColor background = Qt::white, text = Qt::black;
        if (!relative) {
            item->setText("Spouse: <Not Entered>");
        } else {
            if (group_) {
                background = ToQColor(group_->BackgroundColor(individual));
                text = ToQColor(group_->TextColor(individual));
            }
            std::string name = relative->FullName(true);
            if (name.empty()) name = "<No Given Name>";
            if (spouseRow) {
                item->setText(ToQt("Spouse: " + name));
            } else {
                const bool plus = collection_->HasChildren(individual);
                const int year = relative->EventYear(kEventBirth);
                const QString yearText = year != 0 ? QString::number(year) : QString();
                item->setData(kPlusRole, plus);
                item->setData(kYearRole, yearText);
                item->setData(kNameRole, ToQt(name));
                // The plain text of the row, for copying and screen readers.
                QStringList parts;
                if (plus) parts << "+";
                if (!yearText.isEmpty()) parts << yearText;
                item->setText((parts << ToQt(name)).join(' '));
            }
        }
        item->setData(Qt::BackgroundRole, background);
        item->setData(Qt::ForegroundRole, text);
        lbMarriages_->addItem(item);
    };
    for (int k = 1; k <= families; ++k) {
        const int32_t number = person->SpouseFamily(k);
        if (number < 1 || number > collection_->FamilyCount()) continue;
        const auto family = collection_->Family(number);
        if (!family) continue;
        family->SortChildren();
        addRow(family->OtherSpouse(selected_), true);
        for (int c = 1; c <= family->ChildCount(); ++c)
            if (const int32_t child = family->Child(c); child > 0) addRow(child, false);
    }
}

void TWFindDlg::MarriageChosen(int row) {
    const QListWidgetItem* item = lbMarriages_->item(row);
    if (item) MoveToIndividual(item->data(kIndividualRole).toInt());
}

}  // namespace vx
