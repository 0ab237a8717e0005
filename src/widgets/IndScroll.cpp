#include "widgets/IndScroll.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QToolButton>
#include <algorithm>
#include <array>
#include <memory>
#include <string>
#include <utility>

#include "analysis/IslandView.h"
#include "app/CancelPoll.h"
#include "app/Services.h"
#include "exports/SpouseChildrenMenu.h"
#include "gedcom/ABSCollection.h"
#include "highlight/HLGroup.h"
#include "records/Individual.h"
#include "records/Marriage.h"
#include "widgets/IndInfoPanel.h"
#include "widgets/QtText.h"
#include "widgets/SelectionButton.h"

namespace vx {

namespace {

constexpr int kLabelLeft = 3;
constexpr int kLabelTop = 1;
constexpr int kInitialLabelFontSize = 8;
constexpr int kRowTop = 20;  // highlighted buttons and scroll bar
constexpr int kArrowButtonSize = 16;
constexpr int kScrollBarHeight = 16;
constexpr int kRelativeButtonWidth = 16;
constexpr int kRelativeButtonHeight = 17;

// A triangle pointing forward or back, filled in a highlight yellow, before
// a bar: "skip to the next marked one".
QIcon HighlightArrowIcon(bool forward) {
    constexpr int kSize = 12;
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath triangle;
    if (forward) {
        triangle.moveTo(1.5, 1.5);
        triangle.lineTo(8.5, 6.0);
        triangle.lineTo(1.5, 10.5);
    } else {
        triangle.moveTo(10.5, 1.5);
        triangle.lineTo(3.5, 6.0);
        triangle.lineTo(10.5, 10.5);
    }
    triangle.closeSubpath();
    painter.setPen(QPen(Qt::black, 1.0));
    painter.setBrush(QColor(255, 255, 0));
    painter.drawPath(triangle);
    painter.fillRect(forward ? QRectF(9, 1, 2, 10) : QRectF(1, 1, 2, 10), Qt::black);
    painter.end();
    return QIcon(pixmap);
}

QToolButton* MakeArrowButton(QWidget* parent, bool forward, const char* hint) {
    auto* button = new QToolButton(parent);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setIcon(HighlightArrowIcon(forward));
    button->setIconSize(QSize(12, 12));
    button->setToolTip(QString::fromLatin1(hint));
    button->resize(kArrowButtonSize, kArrowButtonSize);
    return button;
}

QToolButton* MakeRelativeButton(QToolButton* button, const char* caption) {
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setText(QString::fromLatin1(caption));
    button->resize(kRelativeButtonWidth, kRelativeButtonHeight);
    return button;
}

// Page keys move through the file like through a list: Page Down and the
// down arrow go to later individuals (sliders would do the opposite).
class ListKeys : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return false;
        auto* bar = static_cast<QScrollBar*>(watched);
        switch (static_cast<QKeyEvent*>(event)->key()) {
            case Qt::Key_PageUp:
                bar->triggerAction(QAbstractSlider::SliderPageStepSub);
                return true;
            case Qt::Key_PageDown:
                bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
                return true;
            case Qt::Key_Up:
                bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
                return true;
            case Qt::Key_Down:
                bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
                return true;
            default:
                return false;
        }
    }
};

}  // namespace

// Collects Changed and HistoryChanged raised inside one operation and
// raises each once when the outermost operation ends.
class WIndScroll::ChangeHold {
  public:
    explicit ChangeHold(WIndScroll& owner) : owner_(owner) { ++owner_.holdDepth_; }
    ~ChangeHold() {
        if (--owner_.holdDepth_ > 0) return;
        const bool changed = std::exchange(owner_.changePending_, false);
        const bool history = std::exchange(owner_.historyPending_, false);
        if (changed) emit owner_.Changed();
        if (history) emit owner_.HistoryChanged();
    }
    ChangeHold(const ChangeHold&) = delete;
    ChangeHold& operator=(const ChangeHold&) = delete;

  private:
    WIndScroll& owner_;
};

WIndScroll::WIndScroll(QWidget* parent)
    : QWidget(parent),
      label_(new QLabel(this)),
      prevButton_(MakeArrowButton(this, false, "Previous Highlighted Individual")),
      nextButton_(MakeArrowButton(this, true, "Next Highlighted Individual")),
      scrollBar_(new QScrollBar(Qt::Horizontal, this)),
      fatherButton_(MakeRelativeButton(new QToolButton(this), "F")),
      motherButton_(MakeRelativeButton(new QToolButton(this), "M")),
      selectionButton_(new WSelectionButton(this)) {
    setFixedHeight(kHeight);

    label_->setTextFormat(Qt::PlainText);
    label_->setAutoFillBackground(true);
    label_->setWordWrap(false);
    label_->setFont(QFont(QStringLiteral("Arial"), kInitialLabelFontSize));
    label_->setGeometry(kLabelLeft, kLabelTop, 0, kInitialLabelFontSize + 6);

    prevButton_->move(kLabelLeft, kRowTop);
    scrollBar_->move(kLabelLeft + kArrowButtonSize + 2, kRowTop);
    scrollBar_->setFocusPolicy(Qt::StrongFocus);
    scrollBar_->installEventFilter(new ListKeys(scrollBar_));
    setFocusProxy(scrollBar_);

    MakeRelativeButton(selectionButton_, "S");
    selectionButton_->SetUpdateCaption(false);
    fatherButton_->move(0, kLabelTop);
    motherButton_->move(0, kLabelTop);
    selectionButton_->move(0, kLabelTop);

    connect(scrollBar_, &QScrollBar::valueChanged, this, &WIndScroll::PositionChanged);
    connect(scrollBar_, &QScrollBar::actionTriggered, this, &WIndScroll::ScrollActionTriggered);
    connect(scrollBar_, &QScrollBar::sliderReleased, this, &WIndScroll::DragEnded);
    connect(prevButton_, &QToolButton::clicked, this, &WIndScroll::PrevHighlighted);
    connect(nextButton_, &QToolButton::clicked, this, &WIndScroll::NextHighlighted);
    connect(fatherButton_, &QToolButton::clicked, this, &WIndScroll::GoToFather);
    connect(motherButton_, &QToolButton::clicked, this, &WIndScroll::GoToMother);
    connect(selectionButton_, &WSelectionButton::BeforeShow, this, &WIndScroll::FillSelectionItems);
    connect(selectionButton_, &WSelectionButton::ItemChanged, this, &WIndScroll::SelectionChosen);

    SetLabelColours(0);
    DisableControls();
    ArrangeChildren(width());
}

WIndScroll::~WIndScroll() = default;

void WIndScroll::DisableControls() {
    const std::array<QWidget*, 6> controls = {prevButton_,   nextButton_,   scrollBar_,
                                              fatherButton_, motherButton_, selectionButton_};
    for (QWidget* control : controls)
        control->setEnabled(false);
}

void WIndScroll::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    ArrangeChildren(width());
}

void WIndScroll::ArrangeChildren(int w) {
    if (w >= 9) {
        scrollBar_->setGeometry(scrollBar_->x(), kRowTop, std::max(w - 42, 0), kScrollBarHeight);
        scrollBar_->show();
        nextButton_->move(w - 19, kRowTop);
        prevButton_->show();
        nextButton_->show();
    } else {
        scrollBar_->setGeometry(scrollBar_->x(), kRowTop, 1, kScrollBarHeight);
        scrollBar_->hide();
        prevButton_->hide();
        nextButton_->hide();
    }
    fatherButton_->move(w - 51, kLabelTop);
    motherButton_->move(w - 35, kLabelTop);
    selectionButton_->move(w - 19, kLabelTop);
    label_->resize(std::max(fatherButton_->x() - label_->x() - 3, 0), label_->height());
}

void WIndScroll::SetCollection(const WABSCollection* collection, const IslandView* view) {
    if (collection == collection_) return;
    collection_ = collection;
    view_ = collection ? view : nullptr;
    ChangeHold hold(*this);
    familyList_.clear();
    if (!collection_) {
        label_->clear();
        label_->setToolTip(QString());
        SetLabelColours(0);
        fatherButton_->setToolTip(QString());
        motherButton_->setToolTip(QString());
        DisableControls();
        return;
    }

    back_.Clear();
    forward_.Clear();
    historyPending_ = true;
    prevButton_->setEnabled(group_ != nullptr);
    nextButton_->setEnabled(group_ != nullptr);
    const int32_t count = ViewCount(view_, *collection_);
    {
        // The range is set up first; the individual is shown once below.
        const QSignalBlocker blocker(scrollBar_);
        if (count < 1) {
            scrollBar_->setRange(0, 0);
            scrollBar_->setEnabled(false);
        } else {
            scrollBar_->setRange(1, count);
            scrollBar_->setValue(1);
            scrollBar_->setSingleStep(1);
            scrollBar_->setPageStep(std::max(count / 100, 1));
            scrollBar_->setEnabled(true);
        }
    }
    // The first individual of the view, which is individual 1 unless an
    // island is in use.
    recorded_ = CurrentIndividual();
    if (count < 1) {
        // Nobody to show and nobody to go to.
        label_->clear();
        label_->setToolTip(QString());
        SetLabelColours(0);
        for (QToolButton* button :
             {fatherButton_, motherButton_, static_cast<QToolButton*>(selectionButton_)}) {
            button->setEnabled(false);
            button->setToolTip(QString());
        }
    } else {
        ShowActiveIndividual();
    }
    RaiseChanged();
}

void WIndScroll::SetGroup(WHLGroup* group) {
    group_ = group;
    const bool enabled = group_ && collection_;
    prevButton_->setEnabled(enabled);
    nextButton_->setEnabled(enabled);
    RewriteLabel();
}

int32_t WIndScroll::IndividualAt(int position) const {
    if (!collection_) return position;
    if (position < 1 || position > ViewCount(view_, *collection_)) return 0;
    return ViewIndividual(view_, position);
}

int32_t WIndScroll::CurrentIndividual() const {
    return IndividualAt(scrollBar_->value());
}

void WIndScroll::RaiseChanged() {
    if (holdDepth_ > 0)
        changePending_ = true;
    else
        emit Changed();
}

void WIndScroll::PositionChanged() {
    if (!scrollBar_->isEnabledTo(this)) return;
    ShowActiveIndividual();
    RaiseChanged();
}

void WIndScroll::RewriteLabel() {
    if (collection_ && scrollBar_->isEnabledTo(this)) ShowActiveIndividual();
}

void WIndScroll::SetLabelColours(int32_t individual) {
    const bool highlighted = group_ && individual > 0 && group_->IsHighlighted(individual);
    QPalette palette = label_->palette();
    palette.setColor(QPalette::Window, highlighted
                                           ? ToQColor(group_->BackgroundColor(individual))
                                           : QGuiApplication::palette().color(QPalette::Button));
    palette.setColor(QPalette::WindowText,
                     highlighted ? ToQColor(group_->TextColor(individual)) : QColor(Qt::black));
    label_->setPalette(palette);
}

void WIndScroll::ShowActiveIndividual() {
    label_->setToolTip(QString());
    const int32_t i = CurrentIndividual();
    const auto person = collection_ ? collection_->Individual(i) : nullptr;
    std::string text = " " + std::to_string(i) + " - ";
    if (person)
        text += person->DisplayName() + ", " + person->EventDateText(kEventBirth) + ", " +
                person->EventPlaceText(kEventBirth);
    else
        text += ", , ";
    label_->setText(ToQt(text));
    SetLabelColours(i);
    if (!collection_ || !person) {
        for (QToolButton* button :
             {fatherButton_, motherButton_, static_cast<QToolButton*>(selectionButton_)})
            button->setEnabled(false);
        return;
    }

    selectionButton_->setEnabled(collection_->HasChildren(i) || person->SpouseFamilyCount() > 0);
    label_->setToolTip(HintText(collection_->PersonSummary(i)));
    const int32_t father = collection_->FatherOf(i);
    fatherButton_->setEnabled(father != 0);
    fatherButton_->setToolTip(father ? ToQt(collection_->DisplayNameOf(father)) : QString());
    const int32_t mother = collection_->MotherOf(i);
    motherButton_->setEnabled(mother != 0);
    motherButton_->setToolTip(mother ? ToQt(collection_->DisplayNameOf(mother)) : QString());
}

void WIndScroll::SetLabelFontSize(int size) {
    if (size < 1) return;
    QFont labelFont = label_->font();
    labelFont.setPointSize(size);
    label_->setFont(labelFont);
    label_->resize(label_->width(), size + 6);
}

void WIndScroll::GoToIndividual(int32_t individual) {
    if (individual <= 0) return;
    // A file without individuals has nobody to go to.
    if (collection_ && !scrollBar_->isEnabledTo(this)) return;
    ChangeHold hold(*this);
    // Outside the island in use the position is 0, which the scroll bar
    // raises to the island's first individual; beyond the end it lowers
    // it to the last.
    const int32_t position = ViewPosition(view_, individual);
    scrollBar_->setValue(std::clamp(position, scrollBar_->minimum(), scrollBar_->maximum()));
    if (back_.IsEmpty() || back_.Peek() != recorded_) back_.Push(recorded_);
    recorded_ = CurrentIndividual();
    historyPending_ = true;
    // Listeners hear of every request, even one for the individual shown.
    RaiseChanged();
}

void WIndScroll::GoToFather() {
    if (!collection_) return;
    if (const int32_t father = collection_->FatherOf(CurrentIndividual())) GoToIndividual(father);
}

void WIndScroll::GoToMother() {
    if (!collection_) return;
    if (const int32_t mother = collection_->MotherOf(CurrentIndividual())) GoToIndividual(mother);
}

void WIndScroll::GoBack() {
    if (back_.IsEmpty()) return;
    ChangeHold hold(*this);
    historyPending_ = true;
    if (back_.Peek() == CurrentIndividual()) back_.Pop();
    if (back_.IsEmpty()) return;
    forward_.Push(recorded_);
    const int32_t target = back_.Pop();
    recorded_ = target;
    // Going there pushes the target again (unless it is on top already);
    // that entry is taken off once more.
    GoToIndividual(target);
    back_.Pop();
}

void WIndScroll::GoForward() {
    if (forward_.IsEmpty()) return;
    ChangeHold hold(*this);
    historyPending_ = true;
    if (forward_.Peek() == CurrentIndividual()) forward_.Pop();
    if (forward_.IsEmpty()) return;
    back_.Push(recorded_);
    const int32_t target = forward_.Pop();
    recorded_ = target;
    GoToIndividual(target);
}

void WIndScroll::ScrollActionTriggered(int action) {
    if (action == QAbstractSlider::SliderNoAction) return;
    // While the thumb is dragged, the positions it passes are not history;
    // the end of the drag is (DragEnded). A wheel step moves without a drag.
    if (action == QAbstractSlider::SliderMove && scrollBar_->isSliderDown()) return;
    // The slider position already holds the destination; the value follows
    // right after this signal.
    RecordUserScroll(IndividualAt(scrollBar_->sliderPosition()));
}

void WIndScroll::DragEnded() {
    RecordUserScroll(CurrentIndividual());
}

void WIndScroll::RecordUserScroll(int32_t shown) {
    if (!collection_) return;
    if (back_.IsEmpty() || back_.Peek() != recorded_) back_.Push(recorded_);
    recorded_ = shown;
    forward_.Clear();
    if (holdDepth_ > 0)
        historyPending_ = true;
    else
        emit HistoryChanged();
}

void WIndScroll::NextHighlighted() {
    StepHighlighted(1);
}

void WIndScroll::PrevHighlighted() {
    StepHighlighted(-1);
}

// The next highlighted person may lie far away, and a test may walk a long
// line of ancestors, so the search runs under the wait dialog: it shows when
// the search takes long and its Cancel stops it where it is.
void WIndScroll::StepHighlighted(int direction) {
    if (!collection_ || !group_ || !scrollBar_->isEnabledTo(this) || stepping_) return;
    const WABSCollection* collection = collection_;
    WHLGroup* group = group_;
    // Messages run between tests: the file or the conditions may go meanwhile.
    auto stillCurrent = [&] { return collection_ == collection && group_ == group; };
    const QScopedValueRollback<bool> stepping(stepping_, true);
    BusyScope busy;
    WaitScope wait(kCalculatingMessage, false, true);
    CancelPoll poll;
    const int32_t count = ViewCount(view_, *collection);
    for (int32_t position = scrollBar_->value() + direction; position >= 1 && position <= count;
         position += direction) {
        if (poll.Cancelled() || !stillCurrent()) return;
        const int32_t individual = ViewIndividual(view_, position);
        const bool highlighted = group->IsHighlighted(individual);
        if (WorkCancelled()) {
            // A walk cut short may have left a wrong answer behind.
            if (stillCurrent()) group->Prepare();
            return;
        }
        if (highlighted) {
            GoToIndividual(individual);
            return;
        }
    }
}

void WIndScroll::FillSelectionItems() {
    familyList_.clear();
    const std::string items =
        collection_ ? SpouseAndChildrenItems(*collection_, CurrentIndividual(), familyList_)
                    : std::string();
    selectionButton_->SetItemString(ToQt(items));
}

void WIndScroll::SelectionChosen(int item) {
    if (item < 1 || item > static_cast<int>(familyList_.size())) return;
    // A family without another spouse has 0 there: nowhere to go.
    if (const int32_t individual = familyList_[static_cast<size_t>(item - 1)]; individual > 0)
        GoToIndividual(individual);
}

}  // namespace vx
