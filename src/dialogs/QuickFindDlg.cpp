#include "dialogs/QuickFindDlg.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <algorithm>
#include <string>

#include "app/Options.h"
#include "app/TextUtil.h"
#include "exports/SpouseChildrenMenu.h"
#include "gedcom/ABSCollection.h"
#include "records/Individual.h"
#include "records/Marriage.h"
#include "widgets/IndInfoPanel.h"
#include "widgets/QtText.h"
#include "widgets/SelectionButton.h"

namespace vx {
namespace {

QPushButton* NewButton(const char* caption, const char* name) {
    auto* button = new QPushButton(caption);
    button->setObjectName(name);
    return button;
}

}  // namespace

TdlgQuickFind::TdlgQuickFind(QWidget* owner, const WFindLists& lists, WHLGroup* group,
                             const WABSCollection* collection)
    : QDialog(owner),
      collection_(collection),
      group_(group),
      lists_(lists),
      count_(collection ? collection->IndividualCount() : 0),
      pageStep_(std::max(count_ / 100, 1)),
      edSearch_(new QLineEdit),
      labSelected_(new QLabel),
      labIndCount_(new QLabel),
      sbScrollBar_(new QScrollBar(Qt::Horizontal)),
      butAdvancedFind_(NewButton("&Advanced Find", "butAdvancedFind")),
      iiSelected_(new TIndInfoPanel),
      butFather_(NewButton("&Father", "butFather")),
      butMother_(NewButton("&Mother", "butMother")),
      selSpouses_(new WSelectionButton),
      butOK_(NewButton("OK", "butOK")),
      butCancel_(NewButton("Cancel", "butCancel")) {
    setObjectName("dlgQuickFind");
    setWindowTitle("Quick Find");

    edSearch_->setObjectName("edSearch");
    edSearch_->setMaxLength(9);
    edSearch_->setValidator(
        new QRegularExpressionValidator(QRegularExpression("[0-9]{0,9}"), edSearch_));
    edSearch_->setFixedWidth(edSearch_->fontMetrics().horizontalAdvance("0000000000") + 16);
    edSearch_->installEventFilter(this);
    connect(edSearch_, &QLineEdit::textChanged, this, &TdlgQuickFind::SearchChanged);
    auto* indexLabel = new QLabel("&Index");
    indexLabel->setBuddy(edSearch_);

    labSelected_->setObjectName("labSelected");
    labIndCount_->setObjectName("labIndCount");
    labIndCount_->setText(ToQt("of " + FormatThousands(count_)));

    sbScrollBar_->setObjectName("sbScrollBar");
    sbScrollBar_->setRange(1, std::max(count_, 1));
    sbScrollBar_->setSingleStep(1);
    sbScrollBar_->setPageStep(pageStep_);
    sbScrollBar_->setMinimumWidth(200);
    sbScrollBar_->setFocusPolicy(Qt::StrongFocus);
    connect(sbScrollBar_, &QScrollBar::valueChanged, this, &TdlgQuickFind::SetSelected);

    iiSelected_->setObjectName("iiSelected");
    iiSelected_->SetFontSize(std::clamp(
        WOptions::GetInt(opt::kFontSize) > 0 ? WOptions::GetInt(opt::kFontSize) : 8, 4, 72));
    iiSelected_->setMinimumWidth(300);

    selSpouses_->setObjectName("selSpouses");
    selSpouses_->setText("&Spouse(s)");
    selSpouses_->setAutoRaise(false);
    selSpouses_->setFocusPolicy(Qt::StrongFocus);
    selSpouses_->setMinimumHeight(butFather_->sizeHint().height());
    connect(selSpouses_, &WSelectionButton::BeforeShow, this, &TdlgQuickFind::FillSpouseMenu);
    connect(selSpouses_, &WSelectionButton::ItemChanged, this, &TdlgQuickFind::SpouseChosen);

    connect(butFather_, &QPushButton::clicked, this,
            [this] { sbScrollBar_->setValue(collection_->FatherOf(selected_)); });
    connect(butMother_, &QPushButton::clicked, this,
            [this] { sbScrollBar_->setValue(collection_->MotherOf(selected_)); });
    connect(butAdvancedFind_, &QPushButton::clicked, this, &TdlgQuickFind::AdvancedFindClicked);
    butOK_->setDefault(true);
    connect(butOK_, &QPushButton::clicked, this, &QDialog::accept);
    connect(butCancel_, &QPushButton::clicked, this, &QDialog::reject);

    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(indexLabel);
    searchRow->addWidget(edSearch_);
    searchRow->addStretch();
    auto* countRow = new QHBoxLayout;
    countRow->addWidget(labSelected_);
    countRow->addWidget(labIndCount_);
    countRow->addStretch();
    auto* left = new QVBoxLayout;
    left->addLayout(searchRow);
    left->addLayout(countRow);
    left->addWidget(sbScrollBar_);
    left->addWidget(butAdvancedFind_, 0, Qt::AlignLeft);
    left->addStretch();

    auto* relatives = new QHBoxLayout;
    relatives->addWidget(butFather_);
    relatives->addWidget(butMother_);
    relatives->addWidget(selSpouses_);
    relatives->addStretch();
    auto* right = new QVBoxLayout;
    right->addWidget(new QLabel("Individual Selected"));
    right->addWidget(iiSelected_);
    right->addLayout(relatives);
    right->addStretch();

    auto* columns = new QHBoxLayout;
    columns->addLayout(left);
    columns->addSpacing(12);
    columns->addLayout(right, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(butOK_);
    bottom->addWidget(butCancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns, 1);
    layout->addLayout(bottom);

    QWidget* chain[] = {edSearch_,  sbScrollBar_, butAdvancedFind_, butFather_,
                        butMother_, selSpouses_,  butOK_,           butCancel_};
    for (size_t k = 1; k < std::size(chain); ++k)
        setTabOrder(chain[k - 1], chain[k]);
    edSearch_->setFocus();
    SetSelected(0);
}

void TdlgQuickFind::EnableControls(bool enabled) {
    for (QWidget* control :
         std::initializer_list<QWidget*>{labSelected_, sbScrollBar_, butAdvancedFind_, butFather_,
                                         butMother_, selSpouses_, butOK_})
        control->setEnabled(enabled);
}

void TdlgQuickFind::SetSelected(int32_t individual) {
    if (individual < 1 || individual > count_) {
        selected_ = 0;
        EnableControls(false);
        return;
    }
    EnableControls(true);
    iiSelected_->Clear();
    selected_ = individual;
    {
        const QSignalBlocker quietBar(sbScrollBar_);
        const QSignalBlocker quietBox(edSearch_);
        labSelected_->setText(QString::number(individual));
        sbScrollBar_->setValue(individual);
        // While the user types, the text stays as typed.
        if (edSearch_->text().toInt() != individual) {
            edSearch_->setText(QString::number(individual));
            if (!edSearch_->hasFocus()) edSearch_->selectAll();
        }
    }
    FillIndividualPanel(*iiSelected_, collection_, group_, individual);
    butFather_->setEnabled(collection_->FatherOf(individual) != 0);
    butMother_->setEnabled(collection_->MotherOf(individual) != 0);
    const auto person = collection_->Individual(individual);
    selSpouses_->setEnabled(person && person->SpouseFamilyCount() > 0);
}

void TdlgQuickFind::SearchChanged() {
    const QString text = edSearch_->text();
    SetSelected(text.isEmpty() ? 0 : text.toInt());
}

void TdlgQuickFind::StepKey(int key) {
    const bool up = key == Qt::Key_Up || key == Qt::Key_PageUp;
    const int64_t step = key == Qt::Key_Up || key == Qt::Key_Down ? 1 : pageStep_;
    const QString text = edSearch_->text();
    if (text.isEmpty()) {
        if (up) SetSelected(1);
    } else {
        const int64_t target = text.toLongLong() + (up ? step : -step);
        // Below the first number nothing moves; beyond the last the last
        // one is taken.
        if (target >= 1) SetSelected(static_cast<int32_t>(std::min<int64_t>(target, count_)));
    }
    edSearch_->setFocus();
}

bool TdlgQuickFind::eventFilter(QObject* watched, QEvent* event) {
    if (watched == edSearch_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp ||
            key == Qt::Key_PageDown) {
            StepKey(key);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TdlgQuickFind::FillSpouseMenu() {
    menuPeople_.clear();
    const std::string items =
        collection_ ? SpouseAndChildrenItems(*collection_, selected_, menuPeople_) : std::string();
    selSpouses_->SetItemString(ToQt(items));
}

void TdlgQuickFind::SpouseChosen(int item) {
    if (item < 1 || item > static_cast<int>(menuPeople_.size())) return;
    // A family without another spouse has 0 there: nobody to select.
    if (const int32_t individual = menuPeople_[static_cast<size_t>(item - 1)]; individual > 0)
        SetSelected(individual);
}

void TdlgQuickFind::AdvancedFindClicked() {
    TWFindDlg dialog(this, lists_, group_, collection_);
    dialog.SetPreselected(selected_);
    if (dialog.exec() != QDialog::Accepted || dialog.Selected() == 0) return;
    SetSelected(dialog.Selected());
    if (selected_ != 0) accept();
}

}  // namespace vx
