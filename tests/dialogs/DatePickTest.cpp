// The date picker: the stepped day-month-year control and the "Date Dialog
// Box" with its typed date, calendar, buttons and year scale.
#include <QCalendarWidget>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QToolButton>
#include <QtTest>

#include "QtTestSupport.h"
#include "app/Services.h"
#include "dialogs/DatePick.h"

namespace vx {
namespace {

using test::RecordingServices;

QString Shown(const TdlgDatePick& dialog) {
    return dialog.findChild<QLabel*>("labDate")->text();
}

void Press(TdlgDatePick& dialog, const char* name) {
    dialog.findChild<QToolButton*>(name)->click();
}

QStringList Ticks(const TdlgDatePick& dialog) {
    QStringList texts;
    for (const char* name : {"labMinYear", "labq1Year", "labMidYear", "LabQ3Year", "labMaxYear"})
        texts << dialog.findChild<QLabel*>(name)->text();
    return texts;
}

}  // namespace

class DatePickTest : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        SetTodayProvider([] { return CivilDate{15, 6, 2001}; });
        services_.messages.clear();
        SetUiServices(&services_);
    }
    void cleanup() {
        SetUiServices(nullptr);
        SetTodayProvider({});
        datePickRunner = nullptr;
    }

    void typedDatesAreTakenOnOkOrRefused() {
        const std::pair<const char*, QString> accepted[] = {{"1850", "1 Jan 1850"},
                                                            {"ABT 1850", "1 Jan 1850"},
                                                            {"may 1850", "1 May 1850"},
                                                            {" 29 FEB 2000 ", "29 Feb 2000"}};
        for (const auto& [typed, expected] : accepted) {
            TdlgDatePick dialog;
            dialog.findChild<QLineEdit*>("edtDate")->setText(typed);
            dialog.accept();
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
            QCOMPARE(QString::fromStdString(dialog.DisplayText()), expected);
        }
        QVERIFY(services_.messages.empty());
        for (const char* typed : {"spring", "", "12 MAY", "29 FEB 1900", "31 APR 1850"}) {
            TdlgDatePick dialog;
            dialog.SetDayMonthYear(3, 4, 1700);
            dialog.findChild<QLineEdit*>("edtDate")->setText(typed);
            dialog.accept();
            QCOMPARE(dialog.result(), int(QDialog::Rejected));
            QCOMPARE(dialog.Year(), 1700);
        }
        QCOMPARE(services_.messages.size(), size_t{5});
        QCOMPARE(services_.messages.front(), std::string("Invalid date format.  please try again"));
    }

    void leavingTheTextBoxTakesOnlyAValidDate() {
        TdlgDatePick dialog;
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        auto* edit = dialog.findChild<QLineEdit*>("edtDate");
        edit->setFocus();
        edit->setText("bef 12 mar 1850");
        dialog.findChild<QCalendarWidget*>("Calendar")->setFocus();
        QCOMPARE(Shown(dialog), QString("12 Mar 1850"));
        QCOMPARE(edit->text(), QString("12 Mar 1850"));
        QCOMPARE(dialog.findChild<QCalendarWidget*>("Calendar")->selectedDate(),
                 QDate(1850, 3, 12));
        edit->setFocus();
        edit->setText("spring");
        dialog.findChild<QCalendarWidget*>("Calendar")->setFocus();
        QCOMPARE(Shown(dialog), QString("12 Mar 1850"));
        QVERIFY(services_.messages.empty());
    }

    void stepAndMonthButtonsKeepARealDay() {
        TdlgDatePick dialog;
        QCOMPARE(Shown(dialog), QString("15 Jun 2001"));  // today
        dialog.SetDayMonthYear(28, 2, 1900);
        Press(dialog, "sbNextDay");
        QCOMPARE(Shown(dialog), QString("1 Mar 1900"));
        dialog.SetDayMonthYear(28, 2, 2000);
        Press(dialog, "sbNextDay");
        QCOMPARE(Shown(dialog), QString("29 Feb 2000"));
        Press(dialog, "sbNextYear");
        QCOMPARE(Shown(dialog), QString("28 Feb 2001"));
        dialog.SetDayMonthYear(31, 1, 1850);
        Press(dialog, "sbNextMonth");
        QCOMPARE(Shown(dialog), QString("28 Feb 1850"));
        dialog.SetDayMonthYear(31, 1, 1850);
        Press(dialog, "sbApr");
        QCOMPARE(Shown(dialog), QString("30 Apr 1850"));
        dialog.SetDayMonthYear(29, 2, 2000);
        Press(dialog, "SpeedButton2");
        QCOMPARE(Shown(dialog), QString("28 Feb 2100"));
        dialog.SetDayMonthYear(1, 1, 50);
        Press(dialog, "SpeedButton1");
        QCOMPARE(Shown(dialog), QString("1 Jan 1"));
        Press(dialog, "sbPreDay");  // nothing before the first day
        QCOMPARE(Shown(dialog), QString("1 Jan 1"));
        dialog.findChild<QPushButton*>("SpeedButton3")->click();
        QCOMPARE(Shown(dialog), QString("15 Jun 2001"));
        // A blank day, month or year arrives as the first day or this year.
        dialog.SetDayMonthYear(0, 0, 0);
        QCOMPARE(Shown(dialog), QString("1 Jan 2001"));
    }

    void calendarPicksTheDay() {
        TdlgDatePick dialog;
        dialog.SetDayMonthYear(10, 5, 1850);
        auto* calendar = dialog.findChild<QCalendarWidget*>("Calendar");
        QCOMPARE(calendar->selectedDate(), QDate(1850, 5, 10));
        QCOMPARE(calendar->firstDayOfWeek(), Qt::Sunday);
        calendar->setSelectedDate(QDate(1850, 5, 21));
        QCOMPARE(dialog.Day(), 21);
        calendar->setSelectedDate(QDate(1850, 6, 1));  // walked over the month's end by key
        QCOMPARE(Shown(dialog), QString("1 Jun 1850"));
    }

    void yearScaleMovesFromItsBaseAndRecentresWhenLetGo() {
        TdlgDatePick dialog;
        dialog.SetDayMonthYear(29, 2, 1904);
        auto* scale = dialog.findChild<QScrollBar*>("ScrollYear");
        QCOMPARE(scale->value(), 100);
        QCOMPARE(Ticks(dialog), (QStringList{"1804", "1854", "1904", "1954", "2004"}));
        scale->setSliderDown(true);
        scale->setSliderPosition(170);
        QCOMPARE(dialog.Year(), 1974);
        scale->setSliderPosition(200);
        QCOMPARE(Shown(dialog), QString("28 Feb 2004"));
        QCOMPARE(Ticks(dialog)[2], QString("1904"));  // not rebuilt while dragging
        QCOMPARE(dialog.findChild<QLabel*>("labMovingYear")->text(), QString("2004"));
        scale->setSliderDown(false);
        QCOMPARE(scale->value(), 100);
        QCOMPARE(Ticks(dialog), (QStringList{"1904", "1954", "2004", "2054", "2104"}));
        dialog.show();  // a click on the page area left of the handle, and its release
        QTest::mouseClick(scale, Qt::LeftButton, {},
                          QPoint(scale->width() / 4, scale->height() / 2));
        QCOMPARE(dialog.Year(), 1994);
        QTRY_COMPARE(Ticks(dialog)[2], QString("1994"));
        QCOMPARE(scale->value(), 100);

        dialog.SetDayMonthYear(1, 1, 60);
        QCOMPARE(Ticks(dialog), (QStringList{"", "10", "60", "110", "160"}));
        scale->triggerAction(QAbstractSlider::SliderToMinimum);
        scale->setSliderDown(false);
        QCOMPARE(dialog.Year(), 1);
    }

    void keyboardAloneCompletesTheDialog() {
        int day = 12, month = 5, year = 1850;
        datePickRunner = [](TdlgDatePick& dialog) {
            dialog.show();
            QApplication::setActiveWindow(&dialog);
            auto* edit = dialog.findChild<QLineEdit*>("edtDate");
            [&] { QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(edit)); }();
            edit->selectAll();
            QTest::keyClicks(edit, "3 mar 1860");
            QTest::keyClick(edit, Qt::Key_Tab);  // to the calendar: the typed date is taken
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);  // to the year scale
            QWidget* scale = QApplication::focusWidget();
            QTest::keyClick(scale, Qt::Key_PageDown);
            QTest::keyClick(scale, Qt::Key_Left);
            QTest::keyClick(scale, Qt::Key_Backtab);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);  // on the calendar
            return dialog.result();
        };
        QVERIFY(PickDate(nullptr, day, month, year));
        QCOMPARE(day, 4);
        QCOMPARE(month, 3);
        QCOMPARE(year, 1849);

        datePickRunner = [](TdlgDatePick& dialog) {
            dialog.show();
            QTest::keyClick(&dialog, Qt::Key_Escape);
            return dialog.result();
        };
        QVERIFY(!PickDate(nullptr, day, month, year));
        QCOMPARE(year, 1849);
    }

    void dateButtonsStepBlankAndRestore() {
        WDateButtons buttons;
        QCOMPARE(QString::fromStdString(buttons.DisplayText()), QString("15 Jun 2001"));
        QSignalSpy changed(&buttons, &WDateButtons::Changed);
        buttons.SetDayMonthYear(1, 3, 2000);
        QTest::mouseClick(buttons.DayButton(), Qt::LeftButton);
        QCOMPARE(QString::fromStdString(buttons.DisplayText()), QString("29 Feb 2000"));
        QTest::mouseClick(buttons.YearButton(), Qt::RightButton);
        QCOMPARE(QString::fromStdString(buttons.DisplayText()), QString("28 Feb 2001"));
        QCOMPARE(changed.size(), 2);

        // A double click blanks the day as it was before its first click.
        QTest::mouseDClick(buttons.DayButton(), Qt::LeftButton);
        QCOMPARE(buttons.DayButton()->text(), QString("__"));
        QTest::mouseClick(buttons.DayButton(), Qt::LeftButton);  // nothing to step
        QCOMPARE(buttons.Day(), 0);
        QTest::mouseDClick(buttons.DayButton(), Qt::LeftButton);
        QCOMPARE(buttons.Day(), 28);

        // Without a month the day goes round by itself; the month comes back
        // with a day that fits it.
        QTest::mouseDClick(buttons.MonthButton(), Qt::LeftButton);
        QCOMPARE(buttons.MonthButton()->text(), QString("___"));
        for (int step = 0; step < 3; ++step)
            QTest::mouseClick(buttons.DayButton(), Qt::RightButton);
        QCOMPARE(buttons.Day(), 31);
        QTest::mouseClick(buttons.DayButton(), Qt::RightButton);
        QCOMPARE(buttons.Day(), 1);
        QTest::mouseClick(buttons.DayButton(), Qt::LeftButton);
        QCOMPARE(QString::fromStdString(buttons.DisplayText()), QString("31 2001"));
        QTest::mouseDClick(buttons.MonthButton(), Qt::LeftButton);
        QCOMPARE(QString::fromStdString(buttons.DisplayText()), QString("28 Feb 2001"));

        // The keys do what the mouse does.
        QTest::keyClick(buttons.MonthButton(), Qt::Key_Up);
        QCOMPARE(buttons.Month(), 3);
        QTest::keyClick(buttons.YearButton(), Qt::Key_Down);
        QCOMPARE(buttons.Year(), 2000);
        QTest::keyClick(buttons.DayButton(), Qt::Key_Space);
        QCOMPARE(buttons.Day(), 0);
    }

  private:
    RecordingServices services_;
};

}  // namespace vx

QTEST_MAIN(vx::DatePickTest)
#include "DatePickTest.moc"
