#include "ui/HLOptions.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "app/TextUtil.h"
#include "dialogs/DatePick.h"
#include "gedcom/GEDCollection.h"
#include "records/Event.h"
#include "widgets/QtText.h"
#include "widgets/SelectionButton.h"

namespace vx {
namespace {

constexpr const char* kDateQualifiers[] = {"", "BEF ", "ABT ", "AFT "};

QHBoxLayout* RowLayout(QWidget* owner) {
    auto* layout = new QHBoxLayout(owner);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(3);
    return layout;
}

// The number the first `length` bytes of the text make; `fallback` when
// they make none.
int PrefixNumber(std::string_view text, size_t length, int fallback) {
    int32_t value = 0;
    return ParseInt(text.substr(0, length), value) ? value : fallback;
}

// A small leaf of a wall calendar: the button that opens the date dialog.
QIcon CalendarIcon() {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(Qt::black);
    painter.setBrush(Qt::white);
    painter.drawRect(1, 2, 13, 12);
    painter.fillRect(2, 3, 12, 3, QColor(200, 0, 0));
    for (int row = 0; row < 2; ++row)
        for (int column = 0; column < 3; ++column)
            painter.fillRect(3 + column * 4, 8 + row * 3, 2, 2, Qt::black);
    return QIcon(pixmap);
}

// A magnifying glass: the button that opens "Quick Find".
QIcon FindIcon() {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 1.5));
    painter.drawEllipse(QRectF(2, 2, 8, 8));
    painter.setPen(QPen(Qt::black, 2.5));
    painter.drawLine(QPointF(9.5, 9.5), QPointF(14, 14));
    return QIcon(pixmap);
}

WSelectionButton* MakeSelection(const QString& items, const QString& hint) {
    auto* button = new WSelectionButton;
    button->SetUpdateCaption(true);
    button->SetItemString(items);
    button->SetItemSelected(1);
    button->setToolTip(hint);
    button->setFocusPolicy(Qt::StrongFocus);
    // Framed, so that it reads as a button and not as a label.
    button->setAutoRaise(false);
    // Wide enough for the longest item, so the caption never jumps.
    int width = 0;
    for (const QString& item : items.split(';'))
        width = std::max(width, button->fontMetrics().horizontalAdvance(item));
    button->setMinimumWidth(width + 14);
    return button;
}

}  // namespace

WHLABSOption::WHLABSOption(QWidget* parent) : QWidget(parent) {}

WHLABSOption* CreateHLOption(const KindParam& param, QWidget* parent) {
    switch (param.editor) {
        case ParamEditor::None:
            return nullptr;
        case ParamEditor::Sex:
            return new WHLOptSex(parent);
        case ParamEditor::PersonAndGenerations:
            return new WHLOptInd(parent);
        case ParamEditor::Text:
            return new WHLOptString("Contains;Equals;Begins;Ends", parent);
        case ParamEditor::Date:
            return new WHLOptDate(parent);
        case ParamEditor::Number:
            return new WHLOptInt(param.lowest, param.highest, parent);
        case ParamEditor::Soundex:
            return new WHLOptString("Text;Code", parent);
        case ParamEditor::Person:
            return new WHLOptIndNoGen(parent);
        case ParamEditor::AgeLimit:
            return new WHLOptAgeLimit(parent);
        case ParamEditor::BaptismStatus:
            return new WHLOptLDSDate(kLDSBaptism, parent);
        case ParamEditor::EndowmentStatus:
            return new WHLOptLDSDate(kLDSEndowment, parent);
        case ParamEditor::SealedToParentsStatus:
            return new WHLOptLDSDate(kLDSSealingToParents, parent);
        case ParamEditor::SealedToSpouseStatus:
            return new WHLOptLDSDate(kLDSSealingToSpouse, parent);
    }
    return nullptr;
}

// ---- sex ----

WHLOptSex::WHLOptSex(QWidget* parent) : WHLABSOption(parent), list_(new QComboBox) {
    list_->addItems({"Male", "Female", "Unknown"});
    list_->setToolTip("Sex");
    RowLayout(this)->addWidget(list_, 1);
    connect(list_, &QComboBox::currentIndexChanged, this, &WHLABSOption::Changed);
}

std::string WHLOptSex::HLString() const {
    static constexpr const char* kCodes[] = {"M", "F", "U"};
    return kCodes[std::clamp(list_->currentIndex(), 0, 2)];
}

void WHLOptSex::SetHLString(const std::string& text) {
    const int line = text == "M" ? 0 : text == "F" ? 1 : text == "U" ? 2 : -1;
    if (line < 0) return;
    const QSignalBlocker quiet(list_);
    list_->setCurrentIndex(line);
}

// ---- individuals ----

WHLOptIndividual::WHLOptIndividual(QWidget* parent)
    : WHLABSOption(parent), next_(MakeStepButton(true)), previous_(MakeStepButton(false)) {}

QToolButton* WHLOptIndividual::MakeStepButton(bool forward) {
    auto* button = new QToolButton;
    button->setArrowType(forward ? Qt::RightArrow : Qt::LeftArrow);
    button->setAutoRaise(true);
    button->setToolTip(forward ? "Next individual" : "Previous individual");
    button->setFixedSize(16, 12);
    connect(button, &QToolButton::clicked, this, [this, forward] { Step(forward ? 1 : -1); });
    return button;
}

int32_t WHLOptIndividual::Limit() const {
    return context_ && context_->collection ? context_->collection->IndividualCount() : 0;
}

void WHLOptIndividual::SetContext(const WHLContext* context) {
    WHLABSOption::SetContext(context);
    SetIndividual(Limit() > 0 ? 1 : 0);
}

void WHLOptIndividual::SetIndividual(int32_t individual) {
    individual_ = individual;
    ShowIndividual(individual);
}

void WHLOptIndividual::Step(int direction) {
    const int32_t wanted = individual_ + direction;
    if (wanted < 1 || wanted > Limit()) return;
    SetIndividual(wanted);
    emit Changed();
}

void WHLOptIndividual::Find() {
    if (!context_ || !context_->collection || !context_->findIndividual) return;
    int32_t chosen = individual_ > 0 ? individual_ : 1;
    if (!context_->findIndividual(this, chosen) || chosen < 1 || chosen > Limit()) return;
    SetIndividual(chosen);
    emit Changed();
}

WHLOptInd::WHLOptInd(QWidget* parent)
    : WHLOptIndividual(parent), find_(new QToolButton), generations_(new QSpinBox) {
    find_->setMinimumWidth(50);
    find_->setToolTip("None Selected");
    find_->setText("?");
    generations_->setRange(0, 999);
    generations_->setToolTip("Generations (0 for all)");
    auto* arrows = new QVBoxLayout;
    arrows->setSpacing(0);
    arrows->addWidget(next_);
    arrows->addWidget(previous_);
    auto* gens = new QLabel("&Gens");
    gens->setBuddy(generations_);
    QHBoxLayout* layout = RowLayout(this);
    layout->addWidget(find_);
    layout->addLayout(arrows);
    layout->addWidget(generations_);
    layout->addWidget(gens);
    layout->addStretch(1);
    connect(find_, &QToolButton::clicked, this, &WHLOptIndividual::Find);
    connect(generations_, &QSpinBox::valueChanged, this, &WHLABSOption::Changed);
}

void WHLOptInd::ShowIndividual(int32_t individual) {
    const WGEDCollection* collection = context_ ? context_->collection : nullptr;
    if (individual == 0 || !collection) {
        find_->setText("?");
        find_->setToolTip("None Selected");
        return;
    }
    find_->setText(QString("#%1").arg(individual));
    find_->setToolTip(ToQt(collection->DisplayNameWithBirth(individual)));
}

std::string WHLOptInd::HLString() const {
    return std::to_string(individual_) + "^" + std::to_string(generations_->value());
}

void WHLOptInd::SetHLString(const std::string& text) {
    const size_t caret = text.find('^');
    if (caret == std::string::npos) return;
    const int32_t individual = PrefixNumber(text, caret, -1);
    const int generations = PrefixNumber(std::string_view(text).substr(caret + 1), 9, -1);
    if (individual < 0 || individual > Limit() || generations < 0 || generations > 999) return;
    SetIndividual(individual);
    const QSignalBlocker quiet(generations_);
    generations_->setValue(generations);
}

WHLOptIndNoGen::WHLOptIndNoGen(QWidget* parent)
    : WHLOptIndividual(parent), find_(new QToolButton), name_(new QLabel("None Selected")) {
    find_->setIcon(FindIcon());
    find_->setToolTip("Quick Find");
    find_->setAutoRaise(true);
    name_->setWordWrap(true);
    auto* arrows = new QHBoxLayout;
    arrows->setSpacing(0);
    arrows->addWidget(previous_);
    arrows->addWidget(next_);
    auto* buttons = new QVBoxLayout;
    buttons->setSpacing(0);
    buttons->addWidget(find_, 0, Qt::AlignHCenter);
    buttons->addLayout(arrows);
    QHBoxLayout* layout = RowLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(name_, 1);
    connect(find_, &QToolButton::clicked, this, &WHLOptIndividual::Find);
}

void WHLOptIndNoGen::ShowIndividual(int32_t individual) {
    const WGEDCollection* collection = context_ ? context_->collection : nullptr;
    if (individual == 0 || !collection) {
        name_->setText("None Selected");
        return;
    }
    name_->setText(QString::number(individual) + " - " +
                   ToQt(collection->DisplayNameOf(individual)));
}

std::string WHLOptIndNoGen::HLString() const {
    return std::to_string(individual_);
}

void WHLOptIndNoGen::SetHLString(const std::string& text) {
    const int32_t individual = PrefixNumber(text, text.size(), -1);
    if (individual >= 0 && individual <= Limit()) SetIndividual(individual);
}

// ---- texts ----

WHLOptString::WHLOptString(const QString& items, QWidget* parent)
    : WHLABSOption(parent),
      mode_(MakeSelection(items, "How the text is matched")),
      text_(new QLineEdit) {
    // ":" and ";" separate parameters and conditions; they cannot be typed.
    text_->setValidator(new QRegularExpressionValidator(QRegularExpression("[^:;]*"), text_));
    text_->setToolTip("The text to look for (\":\" and \";\" cannot be used)");
    QHBoxLayout* layout = RowLayout(this);
    layout->addWidget(mode_);
    layout->addWidget(text_, 1);
    connect(mode_, &WSelectionButton::ItemChanged, this, &WHLABSOption::Changed);
    connect(text_, &QLineEdit::textEdited, this, &WHLABSOption::Changed);
}

std::string WHLOptString::HLString() const {
    std::string text = Trim(FromQt(text_->text()));
    std::erase_if(text, [](char c) { return c == ':' || c == ';'; });
    return std::to_string(mode_->ItemSelected()) + text;
}

void WHLOptString::SetHLString(const std::string& text) {
    const int mode = PrefixNumber(text, 1, 0);
    if (mode < 1 || mode_->ItemText(mode).isEmpty()) return;
    mode_->SetItemSelected(mode);
    text_->setText(ToQt(text.substr(1)));
}

// ---- dates ----

WHLOptDate::WHLOptDate(QWidget* parent)
    : WHLABSOption(parent),
      calendar_(new QToolButton),
      qualifier_(MakeSelection("=;BEF;ABT;AFT", "On, before, about or after the date")),
      date_(new WDateButtons) {
    calendar_->setIcon(CalendarIcon());
    calendar_->setAutoRaise(true);
    calendar_->setToolTip("Date Dialog Box");
    date_->setToolTip("Click a part for one step back, right-click for one step on");
    QHBoxLayout* layout = RowLayout(this);
    layout->addWidget(calendar_);
    layout->addWidget(qualifier_);
    layout->addWidget(date_);
    layout->addStretch(1);
    connect(calendar_, &QToolButton::clicked, this, &WHLOptDate::PickDate);
    connect(qualifier_, &WSelectionButton::ItemChanged, this, &WHLABSOption::Changed);
    connect(date_, &WDateButtons::Changed, this, &WHLABSOption::Changed);
}

void WHLOptDate::PickDate() {
    int day = date_->Day();
    int month = date_->Month();
    int year = date_->Year();
    if (!vx::PickDate(this, day, month, year)) return;
    date_->SetDayMonthYear(day, month, year);
    emit Changed();
}

std::string WHLOptDate::HLString() const {
    const int item = std::clamp(qualifier_->ItemSelected(), 1, 4);
    return kDateQualifiers[item - 1] + date_->DisplayText();
}

void WHLOptDate::SetHLString(const std::string& text) {
    int item = 1;
    for (int i = 2; i <= 4; ++i)
        if (text.starts_with(kDateQualifiers[i - 1])) item = i;
    const std::string date = text.substr(item == 1 ? 0 : 4);
    if (!WDate(date).IsRecognised() || WDate(date).Year() == 0) return;
    qualifier_->SetItemSelected(item);
    date_->SetText(date);
}

// ---- numbers ----

WHLOptInt::WHLOptInt(int lowest, int highest, QWidget* parent)
    : WHLABSOption(parent),
      operator_(MakeSelection("=;<;<=;>;>=", "How the number is compared")),
      value_(new QSpinBox) {
    value_->setRange(lowest, std::max(lowest, highest));
    value_->setValue(lowest);
    QHBoxLayout* layout = RowLayout(this);
    layout->addWidget(operator_);
    layout->addWidget(value_, 1);
    connect(operator_, &WSelectionButton::ItemChanged, this, &WHLABSOption::Changed);
    connect(value_, &QSpinBox::valueChanged, this, &WHLABSOption::Changed);
}

std::string WHLOptInt::HLString() const {
    return std::to_string(operator_->ItemSelected()) + std::to_string(value_->value());
}

void WHLOptInt::SetHLString(const std::string& text) {
    const int item = PrefixNumber(text, 1, 0);
    const int value = PrefixNumber(std::string_view(text).substr(std::min<size_t>(1, text.size())),
                                   9, value_->minimum() - 1);
    if (item < 1 || item > 5 || value < value_->minimum() || value > value_->maximum()) return;
    operator_->SetItemSelected(item);
    const QSignalBlocker quiet(value_);
    value_->setValue(value);
}

WHLOptAgeLimit::WHLOptAgeLimit(QWidget* parent) : WHLABSOption(parent), value_(new QSpinBox) {
    value_->setRange(1, 150);
    value_->setValue(110);
    value_->setToolTip("Nobody older than this counts as living");
    auto* label = new QLabel("Age Limit");
    label->setBuddy(value_);
    QHBoxLayout* layout = RowLayout(this);
    layout->addWidget(label);
    layout->addWidget(value_, 1);
    connect(value_, &QSpinBox::valueChanged, this, &WHLABSOption::Changed);
}

std::string WHLOptAgeLimit::HLString() const {
    return std::to_string(value_->value());
}

void WHLOptAgeLimit::SetHLString(const std::string& text) {
    const int value = PrefixNumber(text, text.size(), 0);
    if (value < value_->minimum() || value > value_->maximum()) return;
    const QSignalBlocker quiet(value_);
    value_->setValue(value);
}

// ---- LDS statuses ----

WHLOptLDSDate::WHLOptLDSDate(int ordinance, QWidget* parent)
    : WHLABSOption(parent), list_(new QComboBox) {
    list_->addItems(ToQt("A Date;" + WABSLDSEvent::StatusList(ordinance)).split(';'));
    list_->setToolTip("A date, or the status the ordinance shows instead");
    RowLayout(this)->addWidget(list_, 1);
    connect(list_, &QComboBox::currentIndexChanged, this, &WHLABSOption::Changed);
}

std::string WHLOptLDSDate::HLString() const {
    return std::to_string(list_->currentIndex() + 1);
}

void WHLOptLDSDate::SetHLString(const std::string& text) {
    const int line = PrefixNumber(text, text.size(), 0);
    if (line < 1 || line > list_->count()) return;
    const QSignalBlocker quiet(list_);
    list_->setCurrentIndex(line - 1);
}

}  // namespace vx
