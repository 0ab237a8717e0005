#include "ui/HLGuiColMan.h"

#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cstdlib>
#include <tuple>

#include "app/Errors.h"
#include "app/Services.h"
#include "app/TextUtil.h"
#include "highlight/Catalogue.h"
#include "highlight/HLString.h"
#include "widgets/QtText.h"

namespace vx {
namespace {

// The kinds of the main window's editor in line order: every catalogue
// kind but the legacy tag, which has no test.
const std::vector<int> kColumnKinds = {
    // the empty choice, then the kinds nearly alphabetically
    Cond::Placeholder,
    Cond::AFN,
    Cond::Age,
    Cond::AncestorsOf,
    Cond::AncestorName,
    Cond::AncestorSurname,
    Cond::AncestorMaxPath,
    Cond::AnyPlace,
    Cond::BirthDate,
    Cond::BirthPlace,
    Cond::BurialDate,
    Cond::BurialPlace,
    Cond::ChildIs,
    Cond::ChildName,
    Cond::ChildSurname,
    Cond::ChildrenWithSameName,
    Cond::ChristeningDate,
    Cond::ChristeningPlace,
    Cond::CoupleSameSurname,
    Cond::CustomId,
    Cond::DeathDate,
    Cond::DeathPlace,
    Cond::DescendantsOf,
    Cond::DescendantName,
    Cond::DescendantSurname,
    Cond::DescendantMaxPath,
    Cond::GivenNames,
    Cond::HasAFN,
    Cond::HasAge,
    Cond::HasAnyNote,
    Cond::HasAnySource,
    Cond::HasBirthNote,
    Cond::HasBirthSource,
    Cond::HasBurialNote,
    Cond::HasBurialSource,
    Cond::HasChristeningNote,
    Cond::HasChristeningSource,
    Cond::HasDeathNote,
    Cond::HasDeathSource,
    Cond::HasIndividualNote,
    Cond::HasMarriageNote,
    Cond::HasMarriageSource,
    Cond::HasLDSBaptism,
    Cond::HasLDSBaptismDate,
    Cond::HasLDSBaptismPlace,
    Cond::HasLDSEndowment,
    Cond::HasLDSEndowmentDate,
    Cond::HasLDSEndowmentPlace,
    Cond::HasLDSEvents,
    Cond::HasLDSSealedToParents,
    Cond::HasLDSSealedToParentsDate,
    Cond::HasLDSSealedToParentsPlace,
    Cond::HasLDSSealedToSpouse,
    Cond::HasLDSSealedToSpouseDate,
    Cond::HasLDSSealedToSpousePlace,
    Cond::HasNameNote,
    Cond::HasNameSource,
    Cond::HasNoPlaces,
    Cond::HasNoBirthDate,
    Cond::HasNoBirthPlace,
    Cond::HasNoBurialDate,
    Cond::HasNoBurialPlace,
    Cond::HasNoChristeningDate,
    Cond::HasNoChristeningPlace,
    Cond::HasNoDeathDate,
    Cond::HasNoDeathPlace,
    Cond::HasNoFather,
    Cond::HasNoGivenName,
    Cond::HasNoMarriageDate,
    Cond::HasNoMarriagePlace,
    Cond::HasNoMother,
    Cond::HasNoSurname,
    Cond::IsRelationTo,
    Cond::IsAlive,
    Cond::LDSBaptismDate,
    Cond::LDSBaptismPlace,
    Cond::LDSEndowmentDate,
    Cond::LDSEndowmentPlace,
    Cond::LDSSealedToParentsDate,
    Cond::LDSSealedToParentsPlace,
    Cond::LDSSealedToSpouseDate,
    Cond::LDSSealedToSpousePlace,
    Cond::MarriagePlace,
    Cond::MarriedNoSpouse,
    Cond::MarriedSameName,
    Cond::AncestorCount,
    Cond::DaughterCount,
    Cond::DescendantCount,
    Cond::FamilyCount,
    Cond::ChildCount,
    Cond::MarriageCount,
    Cond::ParentCount,
    Cond::SonCount,
    Cond::ParentIs,
    Cond::ParentName,
    Cond::ParentSurname,
    Cond::SiblingIs,
    Cond::SiblingName,
    Cond::SiblingSurname,
    Cond::SexType,
    Cond::SoundexGiven,
    Cond::SoundexSurname,
    Cond::SpouseIs,
    Cond::SpouseName,
    Cond::SpouseSurname,
    Cond::Surname,
    Cond::SurnameIsMothers,
    Cond::SurnameNotFathers,
    Cond::SurnameNotParents,
    Cond::ReferenceId,
    Cond::TextInNotes,
    Cond::Unlinked};

constexpr const char* kPlaceholderPlain = "+1";
constexpr const char* kPlaceholderNegated = "-1";

// Puts the widgets inside `widget` that take the focus by Tab right after
// `before`, in the order they were made; returns the last one placed.
QWidget* ChainFocus(QWidget* before, QWidget* widget) {
    for (QWidget* child : widget->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child->focusPolicy() & Qt::TabFocus) {
            QWidget::setTabOrder(before, child);
            before = child;
        } else {
            before = ChainFocus(before, child);
        }
    }
    return before;
}

}  // namespace

// ---- condition row ----

WHLGuiCond::WHLGuiCond(const std::vector<int>& kinds, QWidget* parent)
    : QWidget(parent), kinds_(kinds), sign_(new QToolButton), kindList_(new QComboBox) {
    QFont signFont = sign_->font();
    signFont.setPointSize(12);
    signFont.setBold(true);
    sign_->setFont(signFont);
    sign_->setFixedWidth(20);
    sign_->setAutoRaise(true);
    sign_->setFocusPolicy(Qt::StrongFocus);
    sign_->setToolTip("\"+\" for the condition, \"-\" for its opposite");
    kindList_->setMaxVisibleItems(20);
    // Long captions must not make the panel wider than the user wants it.
    kindList_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    kindList_->setMinimumContentsLength(8);
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(1, 3, 2, 3);
    layout->setHorizontalSpacing(2);
    layout->setVerticalSpacing(2);
    layout->addWidget(sign_, 0, 0, Qt::AlignTop);
    layout->addWidget(kindList_, 0, 1);
    layout->setColumnStretch(1, 1);
    FillLines();
    ShowSign();
    connect(sign_, &QToolButton::clicked, this, &WHLGuiCond::ToggleSign);
    connect(kindList_, &QComboBox::currentIndexChanged, this, &WHLGuiCond::ChooseLine);
}

void WHLGuiCond::FillLines() {
    const int line = std::max(kindList_->currentIndex(), 0);
    const QSignalBlocker quiet(kindList_);
    kindList_->clear();
    for (int kind : kinds_)
        kindList_->addItem(ToQt(KindCaption(kind, negated_)));
    kindList_->setCurrentIndex(std::min(line, kindList_->count() - 1));
    ShowCaptionHint();
}

void WHLGuiCond::ShowSign() {
    sign_->setText(negated_ ? "-" : "+");
}

// A narrow panel cuts long captions; the hint shows them whole.
void WHLGuiCond::ShowCaptionHint() {
    kindList_->setToolTip(kindList_->currentText());
}

int WHLGuiCond::Kind() const {
    const int line = kindList_->currentIndex();
    return line >= 0 && line < static_cast<int>(kinds_.size()) ? kinds_[static_cast<size_t>(line)]
                                                               : 1;
}

void WHLGuiCond::ToggleSign() {
    negated_ = !negated_;
    ShowSign();
    FillLines();
    emit Changed();
}

void WHLGuiCond::ChooseLine(int line) {
    if (line < 0 || line >= kindList_->count()) return;
    if (kindList_->currentIndex() != line) {
        const QSignalBlocker quiet(kindList_);
        kindList_->setCurrentIndex(line);
    }
    ShowCaptionHint();
    CreateEditor(Kind());
    emit Changed();
}

void WHLGuiCond::CreateEditor(int kind) {
    delete editor_;
    editor_ = nullptr;
    editor_ = CreateHLOption(KindParameter(kind), this);
    if (!editor_) return;
    static_cast<QGridLayout*>(layout())->addWidget(editor_, 1, 1);
    editor_->SetContext(context_);
    ChainFocus(kindList_, editor_);
    connect(editor_, &WHLABSOption::Changed, this, &WHLGuiCond::Changed);
}

void WHLGuiCond::SetContext(const WHLContext* context) {
    context_ = context;
    if (editor_) editor_->SetContext(context);
}

std::string WHLGuiCond::HLCondStr() const {
    std::string text = (negated_ ? "-" : "+") + std::to_string(Kind());
    if (editor_) text += ":" + editor_->HLString();
    return text;
}

void WHLGuiCond::SetHLCondStr(const std::string& text) {
    std::vector<std::string> pieces;
    Split(text, ":", pieces, true);
    const QSignalBlocker quiet(kindList_);
    if (pieces.empty()) {
        kindList_->setCurrentIndex(0);
        ShowCaptionHint();
        CreateEditor(Kind());
        return;
    }
    int32_t number = 0;
    if (!ParseInt(pieces[0], number)) throw EConvertError(pieces[0]);
    negated_ = pieces[0].starts_with('-');
    ShowSign();
    FillLines();
    const auto found = std::find(kinds_.begin(), kinds_.end(), std::abs(number));
    kindList_->setCurrentIndex(found == kinds_.end() ? 0
                                                     : static_cast<int>(found - kinds_.begin()));
    ShowCaptionHint();
    CreateEditor(Kind());
    if (editor_ && pieces.size() > 1) editor_->SetHLString(pieces[1]);
}

// ---- operator row ----

WHLGuiBool::WHLGuiBool(QWidget* parent) : QWidget(parent), button_(new QToolButton) {
    button_->setFixedWidth(40);
    button_->setFocusPolicy(Qt::StrongFocus);
    button_->setToolTip("Click to switch between And and Or");
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 1, 4, 1);
    for (int side = 0; side < 2; ++side) {
        auto* line = new QFrame;
        line->setFrameShape(QFrame::HLine);
        line->setFrameShadow(QFrame::Sunken);
        layout->addWidget(line, 1);
        if (side == 0) layout->addWidget(button_);
    }
    SetBoolValue(true);
    connect(button_, &QToolButton::clicked, this, [this] {
        SetBoolValue(!value_);
        emit Changed();
    });
}

void WHLGuiBool::SetBoolValue(bool value) {
    value_ = value;
    button_->setText(value ? "And" : "Or");
}

// ---- editor panel ----

WHLGuiMan::WHLGuiMan(std::vector<int> kinds, QWidget* parent)
    : QWidget(parent),
      kinds_(std::move(kinds)),
      add_(new QToolButton),
      delete_(new QToolButton),
      apply_(new QToolButton),
      scroll_(new QScrollArea) {
    const std::tuple<QToolButton*, const char*, const char*, const char*> buttons[] = {
        {add_, "&Add", "butAdd", "Add a condition"},
        {delete_, "&Delete", "butDelete", "Delete the last condition"},
        {apply_, "A&pply", "butApply", "Highlight with the conditions as they are now"}};
    auto* bar = new QHBoxLayout;
    bar->setContentsMargins(3, 3, 3, 2);
    bar->setSpacing(3);
    for (const auto& [button, caption, name, hint] : buttons) {
        button->setText(caption);
        button->setObjectName(name);
        button->setToolTip(hint);
        button->setMinimumWidth(45);
        bar->addWidget(button);
    }
    bar->addStretch(1);

    auto* content = new QWidget;
    rowLayout_ = new QVBoxLayout(content);
    rowLayout_->setContentsMargins(1, 1, 1, 1);
    rowLayout_->setSpacing(0);
    rowLayout_->addStretch(1);
    scroll_->setObjectName("ScrollBox");
    scroll_->setWidget(content);
    scroll_->setWidgetResizable(true);
    scroll_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll_->setFrameShape(QFrame::NoFrame);
    // Tab goes from the buttons straight into the rows.
    scroll_->setFocusPolicy(Qt::NoFocus);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(bar);
    layout->addWidget(scroll_, 1);

    connect(add_, &QToolButton::clicked, this, &WHLGuiMan::Add);
    connect(delete_, &QToolButton::clicked, this, &WHLGuiMan::Delete);
    connect(apply_, &QToolButton::clicked, this, &WHLGuiMan::Apply);
    UpdateButtons();
}

WHLGuiMan::~WHLGuiMan() {
    // The rows refer to the context and the kinds; they go first.
    RemoveAllRows();
}

std::string WHLGuiMan::HLStrings() const {
    std::string text;
    for (size_t i = 0; i < rows_.size(); ++i) {
        const std::string entry = rows_[i]->HLCondStr();
        if (entry == kPlaceholderPlain || entry == kPlaceholderNegated) return {};
        if (i > 0) text += operators_[i - 1]->BoolValue() ? ";A;" : ";O;";
        text += entry;
    }
    return text;
}

void WHLGuiMan::SetHLStrings(const std::string& text) {
    WHLString parsed;
    parsed.Parse(text);
    if (parsed.EntryCount() > kMaxConditions) return;
    // Every kind must read before anything changes.
    for (int i = 0; i < parsed.EntryCount(); ++i)
        parsed.KindOf(i);
    RemoveAllRows();
    for (int i = 0; i < parsed.EntryCount(); ++i) {
        AddRow(false);
        rows_.back()->SetHLCondStr(parsed.EntryText(i));
        if (i > 0) operators_.back()->SetBoolValue(parsed.IsAnd(i - 1));
    }
    changed_ = false;
    UpdateButtons();
}

void WHLGuiMan::SetContext(const WHLContext& context) {
    context_ = context;
    for (WHLGuiCond* row : rows_)
        row->SetContext(&context_);
    changed_ = false;
    emit StateChanged();
    UpdateButtons();
}

void WHLGuiMan::SetUpdating(bool updating) {
    if (manual_) return;
    hold_ = updating;
    if (!updating && changed_) {
        changed_ = false;
        ReportChange();
    }
}

void WHLGuiMan::SetManualApply(bool manual) {
    if (manual == manual_) return;
    const bool waiting = HasUnappliedChanges();
    changed_ = false;
    hold_ = manual;
    manual_ = manual;
    UpdateButtons();
    emit StateChanged();
    // Without "Apply" the waiting conditions would never be evaluated.
    if (waiting) ReportChange();
}

void WHLGuiMan::Add() {
    if (ConditionCount() >= kMaxConditions) {
        ShowMessage("Too many conditions.  Max = " + std::to_string(kMaxConditions));
        return;
    }
    AddRow(true);
    // The new row asks for a kind first; only a waiting "Apply" has news.
    if (manual_) {
        changed_ = true;
        emit StateChanged();
    }
    UpdateButtons();
}

void WHLGuiMan::AddRow(bool takeFocus) {
    // Rows go above the closing stretch.
    const int at = rowLayout_->count() - 1;
    if (!rows_.empty()) {
        auto* op = new WHLGuiBool;
        connect(op, &WHLGuiBool::Changed, this, &WHLGuiMan::ReportChange);
        rowLayout_->insertWidget(at, op);
        operators_.push_back(op);
    }
    auto* row = new WHLGuiCond(kinds_);
    row->SetContext(&context_);
    connect(row, &WHLGuiCond::Changed, this, &WHLGuiMan::ReportChange);
    rowLayout_->insertWidget(rowLayout_->count() - 1, row);
    rows_.push_back(row);
    RestoreTabOrder();
    if (takeFocus) {
        row->KindList()->setFocus();
        ScrollTo(row);
    }
}

// Rows are made after the rest of the window; Tab is to reach them right
// after the buttons, top to bottom.
void WHLGuiMan::RestoreTabOrder() {
    QWidget* last = apply_;
    for (int i = 0; i < rowLayout_->count(); ++i)
        if (QWidget* row = rowLayout_->itemAt(i)->widget()) last = ChainFocus(last, row);
}

void WHLGuiMan::ScrollTo(WHLGuiCond* row) {
    scroll_->widget()->layout()->activate();
    scroll_->ensureWidgetVisible(row);
}

void WHLGuiMan::RemoveAllRows() {
    for (QWidget* row : rows_)
        delete row;
    for (QWidget* op : operators_)
        delete op;
    rows_.clear();
    operators_.clear();
}

void WHLGuiMan::Delete() {
    if (rows_.empty()) {
        ShowMessage("No more conditions.");
        return;
    }
    // Always the last row, wherever the user was working.
    delete rows_.back();
    rows_.pop_back();
    if (!operators_.empty()) {
        delete operators_.back();
        operators_.pop_back();
    }
    if (!rows_.empty()) {
        rows_.back()->KindList()->setFocus();
        ScrollTo(rows_.back());
    } else {
        add_->setFocus();
    }
    UpdateButtons();
    ReportChange();
}

void WHLGuiMan::Apply() {
    changed_ = false;
    emit ConditionsChanged();
    emit StateChanged();
    UpdateButtons();
}

void WHLGuiMan::ReportChange() {
    if (hold_) {
        changed_ = true;
        emit StateChanged();
    } else {
        emit ConditionsChanged();
    }
    UpdateButtons();
}

void WHLGuiMan::UpdateButtons() {
    add_->setEnabled(ConditionCount() < kMaxConditions);
    delete_->setEnabled(ConditionCount() > 0);
    apply_->setVisible(manual_);
    apply_->setEnabled(changed_);
    // Red while changes wait; the usual colours otherwise (grey when disabled).
    QPalette colours = QApplication::palette(apply_);
    if (manual_ && changed_)
        for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
            colours.setColor(group, QPalette::ButtonText, Qt::red);
    apply_->setPalette(colours);
}

WHLGuiColMan::WHLGuiColMan(QWidget* parent) : WHLGuiMan(kColumnKinds, parent) {
    setObjectName("HLGuiColMan");
}

}  // namespace vx
