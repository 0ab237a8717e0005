#include "dialogs/ListColumnsDlg.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <charconv>

#include "columns/Attrib.h"
#include "columns/ListColumns.h"
#include "widgets/QtText.h"

namespace vx {
namespace {

QPushButton* NewMoveButton(const char* name, const QString& text, const char* hint) {
    auto* button = new QPushButton(text);
    button->setObjectName(name);
    button->setToolTip(hint);
    button->setAccessibleName(hint);
    button->setAutoDefault(false);
    return button;
}

QListWidget* NewList(const char* name) {
    auto* list = new QListWidget;
    list->setObjectName(name);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setMinimumSize(300, 360);
    return list;
}

int Attribute(const QListWidgetItem* item) {
    return item ? item->data(Qt::UserRole).toInt() : 0;
}

}  // namespace

TdlgListColumns::TdlgListColumns(QWidget* parent)
    : QDialog(parent),
      master_(NewList("lbMaster")),
      displayed_(NewList("lbDisplayed")),
      masterCount_(new QLabel),
      displayedCount_(new QLabel),
      right_(NewMoveButton("butRight", ">", "Move column to the right")),
      allRight_(NewMoveButton("butAllRight", ">>", "Move all columns to the right")),
      left_(NewMoveButton("butLeft", "<", "Move column to the left")),
      allLeft_(NewMoveButton("butAllLeft", "<<", "Move all columns to the left")),
      up_(NewMoveButton("butUp", "&Up", "Move column up in list")),
      down_(NewMoveButton("butDown", "&Down", "Move column down in list")) {
    setObjectName("dlgListColumns");
    setWindowTitle("List Columns");
    masterCount_->setObjectName("labMasterCount");
    displayedCount_->setObjectName("labDisplayedCount");

    auto* masterLabel = new QLabel("&Master List");
    masterLabel->setBuddy(master_);
    auto* displayedLabel = new QLabel("C&olumns Displayed");
    displayedLabel->setBuddy(displayed_);

    auto* moves = new QVBoxLayout;
    moves->addStretch(1);
    for (QPushButton* button : {right_, allRight_, left_, allLeft_})
        moves->addWidget(button);
    moves->addStretch(1);
    auto* order = new QVBoxLayout;
    order->addStretch(1);
    order->addWidget(up_);
    order->addWidget(down_);
    order->addStretch(1);

    auto* grid = new QGridLayout;
    grid->addWidget(masterLabel, 0, 0);
    grid->addWidget(displayedLabel, 0, 2);
    grid->addWidget(master_, 1, 0);
    grid->addLayout(moves, 1, 1);
    grid->addWidget(displayed_, 1, 2);
    grid->addLayout(order, 1, 3);
    grid->addWidget(masterCount_, 2, 0);
    grid->addWidget(displayedCount_, 2, 2);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(2, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setObjectName("OKBtn");
    buttons->button(QDialogButtonBox::Cancel)->setObjectName("CancelBtn");
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid, 1);
    layout->addWidget(buttons);

    connect(right_, &QPushButton::clicked, this, &TdlgListColumns::MoveRight);
    connect(allRight_, &QPushButton::clicked, this, &TdlgListColumns::MoveAllRight);
    connect(left_, &QPushButton::clicked, this, &TdlgListColumns::MoveLeft);
    connect(allLeft_, &QPushButton::clicked, this, &TdlgListColumns::MoveAllLeft);
    connect(up_, &QPushButton::clicked, this, &TdlgListColumns::MoveUp);
    connect(down_, &QPushButton::clicked, this, &TdlgListColumns::MoveDown);
    connect(master_, &QListWidget::itemDoubleClicked, this, &TdlgListColumns::MoveRight);
    connect(displayed_, &QListWidget::itemDoubleClicked, this, &TdlgListColumns::MoveLeft);
    connect(master_, &QListWidget::currentRowChanged, this, &TdlgListColumns::UpdateButtons);
    connect(displayed_, &QListWidget::currentRowChanged, this, &TdlgListColumns::UpdateButtons);

    setTabOrder(master_, right_);
    setTabOrder(right_, allRight_);
    setTabOrder(allRight_, left_);
    setTabOrder(left_, allLeft_);
    setTabOrder(allLeft_, displayed_);
    setTabOrder(displayed_, up_);
    setTabOrder(up_, down_);
    ShowLists(0, 0);
}

void TdlgListColumns::SetColumns(const WListColumns& columns, const WABSCollection* collection) {
    collection_ = collection;
    chosen_.clear();
    for (int column = 1; column <= columns.ColumnCount(); ++column) {
        const int attribute = columns.ColumnAttribute(column);
        // A slot is either chosen or not: a repeated number shows once.
        if (WListColumns::DialogPosition(attribute) == 0) continue;
        if (std::find(chosen_.begin(), chosen_.end(), attribute) == chosen_.end())
            chosen_.push_back(attribute);
    }
    ShowLists(0, 0);
}

void TdlgListColumns::SetColumnString(const std::string& columns,
                                      const WABSCollection* collection) {
    collection_ = collection;
    chosen_.clear();
    std::string_view rest = columns;
    while (!rest.empty()) {
        const size_t comma = rest.find(',');
        const std::string_view piece = rest.substr(0, comma);
        rest = comma == std::string_view::npos ? std::string_view() : rest.substr(comma + 1);
        int attribute = 0;
        const auto [end, error] =
            std::from_chars(piece.data(), piece.data() + piece.size(), attribute);
        if (error != std::errc() || end != piece.data() + piece.size()) continue;
        if (WListColumns::DialogPosition(attribute) == 0) continue;
        if (std::find(chosen_.begin(), chosen_.end(), attribute) == chosen_.end())
            chosen_.push_back(attribute);
    }
    ShowLists(0, 0);
}

std::string TdlgListColumns::ColumnString() const {
    std::string text;
    for (int attribute : chosen_) {
        if (!text.empty()) text += ',';
        text += std::to_string(attribute);
    }
    return text;
}

bool TdlgListColumns::Choose(WListColumns& columns, const WABSCollection* collection,
                             QWidget* parent) {
    TdlgListColumns dialog(parent);
    dialog.SetColumns(columns, collection);
    if (dialog.exec() != QDialog::Accepted) return false;
    // The chooser only ever gives numbers the set accepts.
    columns.SetColumnString(dialog.ColumnString());
    return true;
}

void TdlgListColumns::ShowLists(int masterRow, int displayedRow) {
    const auto fill = [this](QListWidget& list, const std::vector<int>& attributes, int row) {
        const QSignalBlocker blocker(list);
        list.clear();
        for (int attribute : attributes) {
            auto* item = new QListWidgetItem(ToQt(AttributeCaption(attribute, true, collection_)));
            item->setData(Qt::UserRole, attribute);
            list.addItem(item);
        }
        if (row >= 0 && list.count() > 0) list.setCurrentRow(std::min(row, list.count() - 1));
    };
    std::vector<int> available;
    for (int position = 1; position <= kAttributeCount; ++position) {
        const int attribute = WListColumns::DialogOrderAt(position);
        if (std::find(chosen_.begin(), chosen_.end(), attribute) == chosen_.end())
            available.push_back(attribute);
    }
    fill(*master_, available, masterRow);
    fill(*displayed_, chosen_, displayedRow);
    masterCount_->setText(QString::number(master_->count()) + " Items");
    displayedCount_->setText(QString::number(displayed_->count()) + " Items");
    UpdateButtons();
}

void TdlgListColumns::UpdateButtons() {
    const int shown = displayed_->currentRow();
    right_->setEnabled(master_->currentRow() >= 0);
    allRight_->setEnabled(master_->count() > 0);
    left_->setEnabled(shown >= 0);
    allLeft_->setEnabled(displayed_->count() > 0);
    up_->setEnabled(shown > 0);
    down_->setEnabled(shown >= 0 && shown < displayed_->count() - 1);
}

// Each move keeps the selection of the list it took from at the same row;
// the list it gave to selects the moved column.
void TdlgListColumns::MoveRight() {
    const int row = master_->currentRow();
    const int attribute = Attribute(master_->item(row));
    if (attribute == 0) return;
    chosen_.push_back(attribute);
    ShowLists(row, static_cast<int>(chosen_.size()) - 1);
}

void TdlgListColumns::MoveAllRight() {
    if (master_->count() == 0) return;
    const int shown = displayed_->currentRow();
    for (int row = 0; row < master_->count(); ++row)
        chosen_.push_back(Attribute(master_->item(row)));
    ShowLists(0, shown >= 0 ? shown : 0);
}

void TdlgListColumns::MoveLeft() {
    const int row = displayed_->currentRow();
    if (row < 0 || row >= static_cast<int>(chosen_.size())) return;
    const int attribute = chosen_[static_cast<size_t>(row)];
    chosen_.erase(chosen_.begin() + row);
    // The column goes back to its place in the chooser's order.
    int masterRow = 0;
    for (int position = 1; position < WListColumns::DialogPosition(attribute); ++position) {
        const int other = WListColumns::DialogOrderAt(position);
        if (std::find(chosen_.begin(), chosen_.end(), other) == chosen_.end()) ++masterRow;
    }
    ShowLists(masterRow, row);
}

void TdlgListColumns::MoveAllLeft() {
    if (chosen_.empty()) return;
    chosen_.clear();
    const int current = master_->currentRow();
    ShowLists(current >= 0 ? current : 0, -1);
}

void TdlgListColumns::MoveUp() {
    const int row = displayed_->currentRow();
    if (row < 1 || row >= static_cast<int>(chosen_.size())) return;
    std::swap(chosen_[static_cast<size_t>(row)], chosen_[static_cast<size_t>(row - 1)]);
    ShowLists(master_->currentRow(), row - 1);
}

void TdlgListColumns::MoveDown() {
    const int row = displayed_->currentRow();
    if (row < 0 || row + 1 >= static_cast<int>(chosen_.size())) return;
    std::swap(chosen_[static_cast<size_t>(row)], chosen_[static_cast<size_t>(row + 1)]);
    ShowLists(master_->currentRow(), row + 1);
}

}  // namespace vx
