// Picking a date for a date condition: the compact day-month-year control
// that is stepped with the mouse (or the arrow keys), and the "Date Dialog
// Box" with a typed date, a month calendar, step buttons and a year scale.
#pragma once

#include <QDialog>
#include <QToolButton>
#include <QWidget>
#include <functional>
#include <string>
#include <string_view>

#include "records/Date.h"

class QCalendarWidget;
class QLabel;
class QLineEdit;
class QScrollBar;
class QFrame;

namespace vx {

// One part of WDateButtons. A left click (or Down / Minus) asks for a step
// back, a right click (or Up / Plus) for a step forward, Space for blanking
// or restoring the part. A left double click is reported on its own: its
// first click has already asked for a step back.
class WUpDownButton : public QToolButton {
    Q_OBJECT

  public:
    explicit WUpDownButton(QWidget* parent = nullptr);

  signals:
    void StepBack();
    void StepForward();
    void Toggle();
    void DoubleClicked();

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
};

// Day, month and year side by side, each stepped on its own. Starts on
// today's date.
class WDateButtons : public QWidget {
    Q_OBJECT

  public:
    explicit WDateButtons(QWidget* parent = nullptr);

    // Sets the date (0 for a part not given) and shows it.
    void SetDayMonthYear(int day, int month, int year);
    // Parses a date text (as WDate::SetText) and shows it.
    void SetText(std::string_view text);

    int Day() const { return date_.Day(); }
    int Month() const { return date_.Month(); }
    int Year() const { return date_.Year(); }
    // "12 May 1850", or fewer parts when day or month are blank.
    std::string DisplayText() const { return date_.DisplayText(); }
    const WDate& Date() const { return date_; }

    WUpDownButton* DayButton() const { return day_; }
    WUpDownButton* MonthButton() const { return month_; }
    WUpDownButton* YearButton() const { return year_; }

  signals:
    // After every step the user makes.
    void Changed();

  private:
    enum Part { kDay, kMonth, kYear };
    void Step(Part part, bool forward);
    void ToggleBlank(Part part);
    void DoubleClick(Part part);
    void Redisplay();
    void Connect(WUpDownButton* button, Part part);

    WDate date_;
    // The date before the last step back, so that the double click whose
    // first click made that step can take it back.
    WDate beforeStep_;
    int lastStepPart_ = -1;
    WUpDownButton* day_;
    WUpDownButton* month_;
    WUpDownButton* year_;
    int rememberedDay_ = 0;
    int rememberedMonth_ = 0;
};

// "Date Dialog Box". Typical use:
//
//     TdlgDatePick dialog(parent);
//     dialog.SetDayMonthYear(buttons->Day(), buttons->Month(), buttons->Year());
//     if (dialog.exec() == QDialog::Accepted)
//         buttons->SetDayMonthYear(dialog.Day(), dialog.Month(), dialog.Year());
//
// or the shorthand PickDate below. After OK the day and month are never 0.
class TdlgDatePick : public QDialog {
    Q_OBJECT

  public:
    explicit TdlgDatePick(QWidget* parent = nullptr);

    // Sets the date (0 for a part not given) and refreshes every control.
    void SetDayMonthYear(int day, int month, int year);
    // The same from a date text such as "12 MAY 1850".
    void SetText(std::string_view text);

    int Day() const { return date_.Day(); }
    int Month() const { return date_.Month(); }
    int Year() const { return date_.Year(); }
    // "12 May 1850".
    std::string DisplayText() const { return date_.DisplayText(); }
    const WDate& Date() const { return date_; }

    // OK: takes the typed date, or tells that it cannot be read and stays.
    void accept() override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void BuildUi();
    // Applies a change, keeps the date a real calendar day and refreshes.
    void ChangeDate(const std::function<void(WDate&)>& change);
    void Refresh();
    void RecentreYearScale();
    void LayOutYearScale();
    int ScalePositionX(int position) const;
    void PlaceMarker(int position);
    void ScrollYear(int action);
    void ScrollYearEnded();
    void SetYearFromScale(int position);
    // Takes the typed date when it is recognised and has a year.
    bool TakeTypedDate(bool refresh);

    WDate date_;
    bool dragging_ = false;
    int baseYear_ = 0;
    bool updatingCalendar_ = false;

    QLineEdit* edtDate_ = nullptr;
    QLabel* labDate_ = nullptr;
    QCalendarWidget* calendar_ = nullptr;
    QWidget* scaleArea_ = nullptr;
    QScrollBar* scrollYear_ = nullptr;
    QToolButton* prevCentury_ = nullptr;
    QToolButton* nextCentury_ = nullptr;
    QLabel* labMovingYear_ = nullptr;
    QFrame* yearLine_ = nullptr;
    QLabel* tickLabels_[5] = {};
};

// Opens the "Date Dialog Box" on day, month and year; on OK they receive the
// chosen date and true is returned. Tests replace the dialog's run through
// datePickRunner (it gets the prepared dialog and returns its result).
bool PickDate(QWidget* parent, int& day, int& month, int& year);
extern std::function<int(TdlgDatePick& dialog)> datePickRunner;

}  // namespace vx
