#include "dialogs/DatePick.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QContextMenuEvent>
#include <QDate>
#include <QDialogButtonBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "app/Services.h"
#include "widgets/QtText.h"

namespace vx {

std::function<int(TdlgDatePick& dialog)> datePickRunner;

namespace {

// The year scale runs from 100 years before to 100 years after the year it
// is centred on.
constexpr int kScaleMax = 200;
constexpr int kScaleCentre = 100;
constexpr int kScalePage = 10;
constexpr int kLineHeight = 6;

int ClampYear(int64_t year) {
    return static_cast<int>(std::clamp<int64_t>(year, 1, kMaxDateYear));
}

// "12 May 1850"; a part that is 0 is left out.
QString DateCaption(const WDate& date) {
    QStringList parts;
    if (date.Day() != 0) parts << QString::number(date.Day());
    if (date.Month() >= 1 && date.Month() <= 12) parts << ToQt(MonthDisplayName(date.Month()));
    if (date.Year() != 0) parts << QString::number(date.Year());
    return parts.join(' ');
}

QLabel* BoldLabel(QWidget* parent) {
    auto* label = new QLabel(parent);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

}  // namespace

// ---------------------------------------------------------------- buttons

WUpDownButton::WUpDownButton(QWidget* parent) : QToolButton(parent) {
    setAutoRaise(true);
    setFocusPolicy(Qt::TabFocus);
    setCursor(Qt::SizeVerCursor);
    setToolButtonStyle(Qt::ToolButtonTextOnly);
}

void WUpDownButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        QToolButton::mousePressEvent(event);
        emit StepBack();
    } else if (event->button() == Qt::RightButton) {
        event->accept();
        emit StepForward();
    } else {
        QToolButton::mousePressEvent(event);
    }
}

void WUpDownButton::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        event->accept();
        return;
    }
    QToolButton::mouseReleaseEvent(event);
}

void WUpDownButton::mouseDoubleClickEvent(QMouseEvent* event) {
    event->accept();
    if (event->button() == Qt::LeftButton)
        emit DoubleClicked();
    else if (event->button() == Qt::RightButton)
        emit StepForward();  // the second click of a quick pair is a step of its own
}

void WUpDownButton::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Up:
        case Qt::Key_Plus:
            emit StepForward();
            break;
        case Qt::Key_Down:
        case Qt::Key_Minus:
            emit StepBack();
            break;
        case Qt::Key_Space:
            if (!event->isAutoRepeat()) emit Toggle();
            break;
        default:
            QToolButton::keyPressEvent(event);
            return;
    }
    event->accept();
}

void WUpDownButton::keyReleaseEvent(QKeyEvent* event) {
    // Space is taken by keyPressEvent; the button must not click on release.
    if (event->key() == Qt::Key_Space) {
        event->accept();
        return;
    }
    QToolButton::keyReleaseEvent(event);
}

void WUpDownButton::contextMenuEvent(QContextMenuEvent* event) {
    event->accept();  // the right button steps forward instead
}

WDateButtons::WDateButtons(QWidget* parent)
    : QWidget(parent),
      date_("TODAY"),
      day_(new WUpDownButton(this)),
      month_(new WUpDownButton(this)),
      year_(new WUpDownButton(this)) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    const std::pair<WUpDownButton*, const char*> parts[] = {
        {day_, "day"}, {month_, "month"}, {year_, "year"}};
    for (const auto& [button, name] : parts) {
        button->setObjectName(QString(name) + "Button");
        layout->addWidget(button);
    }
    day_->setToolTip(
        "Click for an earlier day, right-click for a later one; double-click leaves the day "
        "out or brings it back");
    month_->setToolTip(
        "Click for an earlier month, right-click for a later one; double-click leaves the "
        "month out or brings it back");
    year_->setToolTip("Click for an earlier year, right-click for a later one");
    Connect(day_, kDay);
    Connect(month_, kMonth);
    Connect(year_, kYear);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    Redisplay();
}

void WDateButtons::Connect(WUpDownButton* button, Part part) {
    connect(button, &WUpDownButton::StepBack, this, [this, part] { Step(part, false); });
    connect(button, &WUpDownButton::StepForward, this, [this, part] { Step(part, true); });
    connect(button, &WUpDownButton::Toggle, this, [this, part] { ToggleBlank(part); });
    connect(button, &WUpDownButton::DoubleClicked, this, [this, part] { DoubleClick(part); });
}

void WDateButtons::SetDayMonthYear(int day, int month, int year) {
    date_.SetDayMonthYear(day, month, year);
    lastStepPart_ = -1;
    Redisplay();
}

void WDateButtons::SetText(std::string_view text) {
    date_.SetText(text);
    lastStepPart_ = -1;
    Redisplay();
}

void WDateButtons::Step(Part part, bool forward) {
    const WDate before = date_;
    bool stepped = false;
    if (part == kDay && date_.Month() == 0 && date_.Day() != 0) {
        // Without a month the day has no month to run into: it goes round
        // 1..31 and leaves month and year alone, whichever way it steps.
        const int day = (date_.Day() - 1 + (forward ? 1 : 30)) % 31 + 1;
        date_.SetDay(day);
        stepped = true;
    } else {
        switch (part) {
            case kDay:
                stepped = forward ? date_.IncDays(1) : date_.DecDays(1);
                break;
            case kMonth:
                stepped = forward ? date_.IncMonths(1) : date_.DecMonths(1);
                break;
            case kYear:
                stepped = forward ? date_.IncYears(1) : date_.DecYears(1);
                break;
        }
    }
    lastStepPart_ = -1;
    if (!stepped) return;
    if (!forward) {
        beforeStep_ = before;
        lastStepPart_ = part;
    }
    Redisplay();
    emit Changed();
}

void WDateButtons::ToggleBlank(Part part) {
    lastStepPart_ = -1;
    if (part == kDay) {
        if (date_.Day() != 0) {
            rememberedDay_ = date_.Day();
            date_.SetDay(0);
        } else {
            date_.SetDay(rememberedDay_);
        }
    } else if (part == kMonth) {
        if (date_.Month() != 0) {
            rememberedMonth_ = date_.Month();
            date_.SetMonth(0);
        } else {
            date_.SetMonth(rememberedMonth_);
            // The day may have run past the end of the month meanwhile.
            const int last = DaysInMonth(date_.Month(), date_.Year());
            if (last != 0 && date_.Day() > last) date_.SetDay(last);
        }
    } else {
        return;
    }
    Redisplay();
    emit Changed();
}

void WDateButtons::DoubleClick(Part part) {
    if (part == kYear) {
        Step(kYear, false);  // the year has nothing to blank: two clicks, two steps
        return;
    }
    // Blanking should act on the part as it was before the double click
    // began, so the step its first click made is taken back.
    if (lastStepPart_ == part) date_ = beforeStep_;
    ToggleBlank(part);
}

void WDateButtons::Redisplay() {
    day_->setText(date_.Day() != 0 ? QString::number(date_.Day()) : "__");
    // A thirteenth month (Hebrew and French calendars) has no short name.
    const std::string monthName = date_.MonthName();
    month_->setText(date_.Month() == 0  ? QString("___")
                    : monthName.empty() ? QString::number(date_.Month())
                                        : ToQt(monthName));
    year_->setText(QString::number(date_.Year()));
    // Wide enough for any value, so that the control keeps its size while
    // the user steps; a year beyond four digits widens it.
    const QFontMetrics metrics(font());
    const int padding = 8;
    day_->setFixedWidth(metrics.horizontalAdvance("00") + padding);
    int monthWidth = metrics.horizontalAdvance("___");
    for (int month = 1; month <= 12; ++month)
        monthWidth = std::max(monthWidth, metrics.horizontalAdvance(ToQt(MonthDisplayName(month))));
    month_->setFixedWidth(monthWidth + padding);
    year_->setFixedWidth(
        std::max(metrics.horizontalAdvance("0000"), metrics.horizontalAdvance(year_->text())) +
        padding);
    for (WUpDownButton* button : {day_, month_, year_})
        button->setFixedHeight(std::max(22, metrics.height() + 6));
    setAccessibleName(ToQt(date_.DisplayText()));
}

// ----------------------------------------------------------------- dialog

TdlgDatePick::TdlgDatePick(QWidget* parent) : QDialog(parent), date_("TODAY") {
    setObjectName("dlgDatePick");
    setWindowTitle("Date Dialog Box");
    BuildUi();
    SetDayMonthYear(date_.Day(), date_.Month(), date_.Year());
}

void TdlgDatePick::BuildUi() {
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // The typed date.
    edtDate_ = new QLineEdit(this);
    edtDate_->setObjectName("edtDate");
    edtDate_->setToolTip("Enter the date here");
    edtDate_->installEventFilter(this);
    auto* caption = new QLabel("&Date (DD MMM YYYY)", this);
    caption->setBuddy(edtDate_);
    layout->addWidget(caption);
    layout->addWidget(edtDate_);

    // Step buttons around the current date.
    auto makeButton = [this](const char* name, const QString& text, const QString& hint) {
        auto* button = new QToolButton(this);
        button->setObjectName(name);
        button->setText(text);
        button->setToolTip(hint);
        button->setAccessibleName(hint);
        button->setAutoRaise(true);
        // The typed date, the calendar and the year scale serve the
        // keyboard; these buttons are short cuts for the mouse.
        button->setFocusPolicy(Qt::NoFocus);
        return button;
    };
    struct StepButton {
        const char* name;
        const char* text;
        const char* hint;
        std::function<void(WDate&)> step;
    };
    const StepButton before[] = {
        {"sbPreYear", "<<<", "Previous Year", [](WDate& d) { d.DecYears(1); }},
        {"sbPreMonth", "<<", "Previous Month", [](WDate& d) { d.DecMonths(1); }},
        {"sbPreDay", "<", "Previous Day", [](WDate& d) { d.DecDays(1); }},
    };
    const StepButton after[] = {
        {"sbNextDay", ">", "Next Day", [](WDate& d) { d.IncDays(1); }},
        {"sbNextMonth", ">>", "Next Month", [](WDate& d) { d.IncMonths(1); }},
        {"sbNextYear", ">>>", "Next Year", [](WDate& d) { d.IncYears(1); }},
    };
    auto* stepRow = new QHBoxLayout;
    auto addSteps = [&](const StepButton(&buttons)[3]) {
        for (const StepButton& entry : buttons) {
            QToolButton* button = makeButton(entry.name, entry.text, entry.hint);
            connect(button, &QToolButton::clicked, this,
                    [this, step = entry.step] { ChangeDate(step); });
            stepRow->addWidget(button);
        }
    };
    addSteps(before);
    labDate_ = BoldLabel(this);
    labDate_->setObjectName("labDate");
    labDate_->setToolTip("Current Date");
    labDate_->setAlignment(Qt::AlignCenter);
    labDate_->setMinimumWidth(labDate_->fontMetrics().horizontalAdvance("30 May 99999") + 8);
    stepRow->addWidget(labDate_, 1);
    addSteps(after);
    layout->addLayout(stepRow);

    // The calendar between the month buttons.
    calendar_ = new QCalendarWidget(this);
    calendar_->setObjectName("Calendar");
    calendar_->setFirstDayOfWeek(Qt::Sunday);
    calendar_->setNavigationBarVisible(false);
    calendar_->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    calendar_->setGridVisible(true);
    calendar_->setDateRange(QDate(1, 1, 1), QDate(kMaxDateYear, 12, 31));
    calendar_->setToolTip("Arrow keys: day; Page Up and Page Down: month");
    connect(calendar_, &QCalendarWidget::selectionChanged, this, [this] {
        if (updatingCalendar_) return;
        // A day picked in the shown month sets the day; the keys may also
        // walk into the next or previous month, which then comes along.
        const QDate picked = calendar_->selectedDate();
        ChangeDate([&picked](WDate& d) {
            d.SetDayMonthYear(picked.day(), picked.month(), picked.year());
        });
    });
    // Return or a double click on a day picks it and closes the dialog.
    connect(calendar_, &QCalendarWidget::activated, this, &TdlgDatePick::accept);
    auto* calendarRow = new QHBoxLayout;
    for (int column = 0; column < 2; ++column) {
        auto* months = new QVBoxLayout;
        months->setSpacing(2);
        for (int month = column * 6 + 1; month <= column * 6 + 6; ++month) {
            const QString name = ToQt(MonthDisplayName(month));
            QToolButton* button = makeButton(("sb" + name).toLatin1().constData(), name,
                                             "Select this month for the date");
            button->setProperty("tag", month);
            button->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
            connect(button, &QToolButton::clicked, this, [this, month] {
                ChangeDate([month](WDate& d) { d.SetDayMonthYear(d.Day(), month, d.Year()); });
            });
            months->addWidget(button);
        }
        if (column == 1) calendarRow->addWidget(calendar_, 1);
        calendarRow->addLayout(months);
    }
    layout->addLayout(calendarRow);

    // The year scale: the scroll bar between its century buttons, the
    // moving year with its marker above and the tick years below.
    scaleArea_ = new QWidget(this);
    scaleArea_->setObjectName("yearScale");
    scaleArea_->installEventFilter(this);
    prevCentury_ = makeButton("SpeedButton1", "-100", "Previous Century");
    nextCentury_ = makeButton("SpeedButton2", "+100", "Next Century");
    for (QToolButton* button : {prevCentury_, nextCentury_}) {
        button->setParent(scaleArea_);
        const int delta = button == prevCentury_ ? -100 : 100;
        connect(button, &QToolButton::clicked, this, [this, delta] {
            ChangeDate([delta](WDate& d) {
                d.SetDayMonthYear(d.Day(), d.Month(), ClampYear(int64_t{d.Year()} + delta));
            });
        });
    }
    scrollYear_ = new QScrollBar(Qt::Horizontal, scaleArea_);
    scrollYear_->setObjectName("ScrollYear");
    scrollYear_->setRange(0, kScaleMax);
    scrollYear_->setSingleStep(1);
    scrollYear_->setPageStep(kScalePage);
    scrollYear_->setToolTip("Select the year of the date");
    scrollYear_->setAccessibleName("Year");
    scrollYear_->setFocusPolicy(Qt::StrongFocus);
    scrollYear_->installEventFilter(this);
    connect(scrollYear_, &QScrollBar::actionTriggered, this, &TdlgDatePick::ScrollYear);
    connect(scrollYear_, &QScrollBar::sliderReleased, this, &TdlgDatePick::ScrollYearEnded);
    labMovingYear_ = BoldLabel(scaleArea_);
    labMovingYear_->setObjectName("labMovingYear");
    yearLine_ = new QFrame(scaleArea_);
    yearLine_->setObjectName("YearLine");
    yearLine_->setAutoFillBackground(true);
    QPalette lineColours = yearLine_->palette();
    lineColours.setColor(QPalette::Window, lineColours.color(QPalette::WindowText));
    yearLine_->setPalette(lineColours);
    yearLine_->setFixedSize(2, kLineHeight);
    const char* tickNames[] = {"labMinYear", "labq1Year", "labMidYear", "LabQ3Year", "labMaxYear"};
    for (int tick = 0; tick < 5; ++tick) {
        tickLabels_[tick] = new QLabel(scaleArea_);
        tickLabels_[tick]->setObjectName(tickNames[tick]);
    }
    const QFontMetrics metrics(labMovingYear_->font());
    scaleArea_->setMinimumSize(metrics.horizontalAdvance("0000000") * 6,
                               metrics.height() + kLineHeight + scrollYear_->sizeHint().height() +
                                   fontMetrics().height() + 4);
    layout->addWidget(scaleArea_);

    // Today, OK and Cancel.
    auto* today = new QPushButton("Go to &today", this);
    today->setObjectName("SpeedButton3");
    today->setToolTip("Go to today's date");
    today->setAutoDefault(false);
    connect(today, &QPushButton::clicked, this,
            [this] { ChangeDate([](WDate& d) { d.SetText("TODAY"); }); });
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
    ok->setObjectName("butOK");
    ok->setDefault(true);
    buttons->button(QDialogButtonBox::Cancel)->setObjectName("butCancel");
    connect(buttons, &QDialogButtonBox::accepted, this, &TdlgDatePick::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &TdlgDatePick::reject);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(today);
    bottom->addStretch(1);
    bottom->addWidget(buttons);
    layout->addLayout(bottom);

    setTabOrder(edtDate_, calendar_);
    setTabOrder(calendar_, scrollYear_);
    setTabOrder(scrollYear_, today);
    setTabOrder(today, ok);
    setTabOrder(ok, buttons->button(QDialogButtonBox::Cancel));
    edtDate_->setFocus();
}

void TdlgDatePick::SetDayMonthYear(int day, int month, int year) {
    // The calendar can show neither a missing year nor a missing day or
    // month: a date without a year starts in the current one, and OK would
    // turn a missing day or month into 1 anyway, so it is shown as such.
    if (year < 1) year = Today().Year;
    dragging_ = false;
    date_.SetDayMonthYear(std::max(day, 1), std::clamp(month, 1, 12), ClampYear(year));
    ChangeDate([](WDate&) {});
}

void TdlgDatePick::SetText(std::string_view text) {
    const WDate parsed(text);
    if (parsed.IsRecognised() && parsed.Year() != 0)
        SetDayMonthYear(parsed.Day(), parsed.Month(), parsed.Year());
}

void TdlgDatePick::ChangeDate(const std::function<void(WDate&)>& change) {
    change(date_);
    // Rebuilt from its parts, with the day kept inside its month (a month
    // button or a century away from 29 February may leave it outside).
    const int month = std::clamp(date_.Month(), 1, 12);
    const int year = ClampYear(date_.Year());
    const int day = std::clamp(date_.Day(), 1, DaysInMonth(month, year));
    date_.SetDayMonthYear(day, month, year);
    Refresh();
}

void TdlgDatePick::Refresh() {
    updatingCalendar_ = true;
    calendar_->setSelectedDate(QDate(date_.Year(), date_.Month(), date_.Day()));
    updatingCalendar_ = false;
    const QString caption = DateCaption(date_);
    labDate_->setText(caption);
    edtDate_->setText(caption);
    RecentreYearScale();
}

void TdlgDatePick::RecentreYearScale() {
    if (dragging_) return;
    for (int tick = 0; tick < 5; ++tick) {
        const int64_t year = int64_t{date_.Year()} + (tick - 2) * 50;
        // No tick for years the scale cannot reach.
        tickLabels_[tick]->setText(year >= 1 && year <= kMaxDateYear ? QString::number(year)
                                                                     : QString());
        tickLabels_[tick]->adjustSize();
    }
    const QSignalBlocker blocker(scrollYear_);
    scrollYear_->setValue(kScaleCentre);
    baseYear_ = date_.Year();
    LayOutYearScale();
}

int TdlgDatePick::ScalePositionX(int position) const {
    // Where the scroll bar's handle stands for this position, so that the
    // marker and the ticks sit over the handle in any style.
    QStyleOptionSlider option;
    option.initFrom(scrollYear_);
    option.orientation = Qt::Horizontal;
    option.state |= QStyle::State_Horizontal;
    option.minimum = 0;
    option.maximum = kScaleMax;
    option.sliderPosition = position;
    option.sliderValue = position;
    option.singleStep = 1;
    option.pageStep = kScalePage;
    option.subControls = QStyle::SC_All;
    const QRect handle = scrollYear_->style()->subControlRect(
        QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, scrollYear_);
    return scrollYear_->x() + handle.center().x();
}

void TdlgDatePick::LayOutYearScale() {
    const int width = scaleArea_->width();
    const int top = labMovingYear_->fontMetrics().height() + kLineHeight;
    const int barHeight = scrollYear_->sizeHint().height();
    const int buttonWidth =
        std::max(prevCentury_->sizeHint().width(), nextCentury_->sizeHint().width());
    prevCentury_->setGeometry(0, top, buttonWidth, barHeight);
    nextCentury_->setGeometry(width - buttonWidth, top, buttonWidth, barHeight);
    scrollYear_->setGeometry(buttonWidth, top, width - 2 * buttonWidth, barHeight);
    for (int tick = 0; tick < 5; ++tick) {
        QLabel* label = tickLabels_[tick];
        const int x = ScalePositionX(tick * kScaleMax / 4) - label->width() / 2;
        label->move(std::clamp(x, 0, std::max(0, width - label->width())), top + barHeight + 2);
    }
    PlaceMarker(scrollYear_->sliderPosition());
}

void TdlgDatePick::PlaceMarker(int position) {
    const int x = ScalePositionX(position);
    const int top = labMovingYear_->fontMetrics().height();
    yearLine_->move(x - yearLine_->width() / 2, top);
    labMovingYear_->setText(QString::number(date_.Year()));
    labMovingYear_->adjustSize();
    const int left = x - labMovingYear_->width() / 2;
    labMovingYear_->move(
        std::clamp(left, 0, std::max(0, scaleArea_->width() - labMovingYear_->width())), 0);
}

void TdlgDatePick::SetYearFromScale(int position) {
    const int year = ClampYear(int64_t{baseYear_} + position - kScaleCentre);
    ChangeDate([year](WDate& d) { d.SetDayMonthYear(d.Day(), d.Month(), year); });
}

void TdlgDatePick::ScrollYear(int action) {
    if (action == QAbstractSlider::SliderNoAction) return;
    dragging_ = true;
    const int position = scrollYear_->sliderPosition();
    SetYearFromScale(position);
    PlaceMarker(position);
}

void TdlgDatePick::ScrollYearEnded() {
    if (!dragging_) return;
    dragging_ = false;
    SetYearFromScale(scrollYear_->sliderPosition());
}

bool TdlgDatePick::TakeTypedDate(bool refresh) {
    const WDate typed(FromQt(edtDate_->text().trimmed()));
    if (!typed.IsRecognised() || typed.Year() == 0) return false;
    const int day = std::max(typed.Day(), 1);
    const int month = std::max(typed.Month(), 1);
    // A day the month does not have, or a thirteenth month, is no date the
    // calendar can show.
    if (month > 12 || day > DaysInMonth(month, typed.Year())) return false;
    date_.SetDayMonthYear(day, month, typed.Year());
    if (refresh) Refresh();
    return true;
}

void TdlgDatePick::accept() {
    if (!TakeTypedDate(false)) {
        ShowMessage("Invalid date format.  please try again");
        edtDate_->setFocus();
        edtDate_->selectAll();
        return;
    }
    QDialog::accept();
}

bool TdlgDatePick::eventFilter(QObject* watched, QEvent* event) {
    if (watched == edtDate_ && event->type() == QEvent::FocusOut) {
        TakeTypedDate(true);
    } else if (watched == scaleArea_ && event->type() == QEvent::Resize) {
        LayOutYearScale();
    } else if (watched == scrollYear_ && event->type() == QEvent::KeyPress) {
        // Earlier years to the left and down, later ones to the right and
        // up, whatever the style makes of a horizontal scroll bar's keys.
        static const std::pair<int, QAbstractSlider::SliderAction> kKeys[] = {
            {Qt::Key_Left, QAbstractSlider::SliderSingleStepSub},
            {Qt::Key_Down, QAbstractSlider::SliderSingleStepSub},
            {Qt::Key_Right, QAbstractSlider::SliderSingleStepAdd},
            {Qt::Key_Up, QAbstractSlider::SliderSingleStepAdd},
            {Qt::Key_PageDown, QAbstractSlider::SliderPageStepSub},
            {Qt::Key_PageUp, QAbstractSlider::SliderPageStepAdd},
            {Qt::Key_Home, QAbstractSlider::SliderToMinimum},
            {Qt::Key_End, QAbstractSlider::SliderToMaximum}};
        const auto* key = static_cast<QKeyEvent*>(event);
        for (const auto& [code, action] : kKeys) {
            if (key->key() == code && key->modifiers() == Qt::NoModifier) {
                scrollYear_->triggerAction(action);
                return true;
            }
        }
    } else if (watched == scrollYear_ && event->type() == QEvent::KeyRelease) {
        // A scroll ends when the key or button that drove it is let go.
        if (!static_cast<QKeyEvent*>(event)->isAutoRepeat()) ScrollYearEnded();
    } else if (watched == scrollYear_ &&
               (event->type() == QEvent::MouseButtonRelease || event->type() == QEvent::Wheel)) {
        // The scroll bar handles the release (or the wheel step) first.
        QTimer::singleShot(0, this, &TdlgDatePick::ScrollYearEnded);
    }
    return QDialog::eventFilter(watched, event);
}

bool PickDate(QWidget* parent, int& day, int& month, int& year) {
    TdlgDatePick dialog(parent);
    dialog.SetDayMonthYear(day, month, year);
    const int result = datePickRunner ? datePickRunner(dialog) : dialog.exec();
    if (result != QDialog::Accepted) return false;
    day = dialog.Day();
    month = dialog.Month();
    year = dialog.Year();
    return true;
}

}  // namespace vx
