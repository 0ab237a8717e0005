// The options dialog, the column chooser and the Quick Help box: their
// fields and results on their own, then in the real main window, where
// options must reach every page and the chooser must reshape the lists.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>
#include <functional>

#include "app/Options.h"
#include "app/Settings.h"
#include "columns/ListColumns.h"
#include "dialogs/InitHelpDialog.h"
#include "dialogs/ListColumnsDlg.h"
#include "dialogs/OptionsDlg.h"
#include "ui/DescendantsTab.h"
#include "ui/FamilyTab.h"
#include "ui/HighlightStrip.h"
#include "ui/IndividualTab.h"
#include "ui/IslandsTab.h"
#include "ui/ListPage.h"
#include "ui/LogoMain.h"
#include "widgets/IndInfoPanel.h"
#include "widgets/IndScroll.h"

namespace vx {
namespace {

const char* kFamily =
    "0 HEAD\n1 CHAR ANSI\n"
    "0 @I1@ INDI\n1 NAME Jos\xE9 /Roi/\n1 SEX M\n1 BIRT\n2 DATE 1900\n1 FAMS @F1@\n"
    "0 @I2@ INDI\n1 NAME Ann /Lee/\n1 SEX F\n1 FAMS @F1@\n"
    "0 @I3@ INDI\n1 NAME Kim /Roi/\n1 SEX F\n1 BIRT\n2 DATE 1930\n1 FAMC @F1@\n"
    "0 @F1@ FAM\n1 HUSB @I1@\n1 WIFE @I2@\n1 CHIL @I3@\n0 TRLR\n";

// Acts on the next modal dialog of type T as soon as it shows, from
// inside its event loop; the action must close it.
template <typename T>
void WhenModal(std::function<void(T&)> act) {
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
        if (!dialog) return;
        timer->stop();
        timer->deleteLater();
        act(*dialog);
    });
    timer->start();
}

QStringList Items(const QListWidget& list) {
    QStringList items;
    for (int row = 0; row < list.count(); ++row)
        items << list.item(row)->text();
    return items;
}

QStringList Captions(const QAbstractItemModel& model) {
    QStringList captions;
    for (int column = 0; column < model.columnCount(); ++column)
        captions << model.headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
    return captions;
}

}  // namespace

class SmallDialogsTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        qputenv("TMPDIR", dir_.path().toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", (dir_.path() + "/config").toLocal8Bit());
        QFile file(dir_.filePath("family.ged"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(kFamily);
    }
    void init() {
        WOptions::ResetToDefaults();
        WOptions::SetFlag(opt::kDispInitHelp, false);
        // A window of an earlier test kept its list columns.
        WriteListColumnString("1,2,7,65,67,19,18");
    }

    void optionsDialogReadsAndWritesEverySetting() {
        WOptions::SetInt(opt::kFontSize, 11);  // neither 10 nor 12: "Small (8)"
        WOptions::SetFlag(opt::kFNValueFlag, false);
        WOptions::SetInt(opt::kFNValue, 3);
        WOptions::SetFlag(opt::kNameUpper, true);
        WOptions::SetInt(opt::kHLCol, 0x0000FF);  // red, as COLORREF
        WOptions::SetText(opt::kTMGEngage, "T");
        TOptionsDlg dialog;
        QCOMPARE(dialog.windowTitle(), QString("Options"));
        QCOMPARE(dialog.Pages()->currentIndex(), 0);
        QCOMPARE(dialog.Pages()->count(), 3);
        QVERIFY(dialog.CheckBox(opt::kNameUpper)->isChecked());
        QCOMPARE(dialog.CheckBox(opt::kNameSlash)->isChecked(), WOptions::GetFlag(opt::kNameSlash));
        QVERIFY(dialog.FontSizeButton(0)->isChecked());
        QVERIFY(dialog.NameValueButton(2)->isChecked());
        QVERIFY(!dialog.NameValueButton(2)->isEnabledTo(&dialog));
        QCOMPARE(dialog.HighlightBackground(), QColor(255, 0, 0));
        QCOMPARE(dialog.Sample()->palette().color(QPalette::Window), QColor(255, 0, 0));

        // The name choice follows its check box.
        dialog.CheckBox(opt::kFNValueFlag)->setChecked(true);
        QVERIFY(dialog.NameValueButton(1)->isEnabledTo(&dialog));
        // A colour dialog closed without a choice keeps the colour.
        dialog.colourChooser = [](const QColor&, const QString&) { return QColor(); };
        dialog.TextButton()->click();
        QCOMPARE(dialog.HighlightText(), QColor(0, 0, 0));

        // Cancel changes nothing, whatever the controls showed.
        WhenModal<TOptionsDlg>([](TOptionsDlg& shown) {
            QCOMPARE(shown.Pages()->currentIndex(), 0);
            shown.FontSizeButton(2)->setChecked(true);
            shown.CheckBox(opt::kNameUpper)->setChecked(false);
            shown.reject();
        });
        QVERIFY(!dialog.Execute());
        QCOMPARE(WOptions::GetInt(opt::kFontSize), 11);
        QVERIFY(WOptions::GetFlag(opt::kNameUpper));

        WhenModal<TOptionsDlg>([](TOptionsDlg& shown) {
            shown.CheckBox(opt::kFNValueFlag)->setChecked(true);
            shown.NameValueButton(1)->setChecked(true);
            shown.CheckBox(opt::kNameUpper)->setChecked(false);
            shown.FontSizeButton(2)->setChecked(true);
            shown.colourChooser = [](const QColor&, const QString&) {
                return QColor(0, 0x80, 0xFF);
            };
            shown.BackgroundButton()->click();
            QCOMPARE(shown.Sample()->palette().color(QPalette::Window), QColor(0, 0x80, 0xFF));
            QTest::keyClick(&shown, Qt::Key_Return);  // OK is the default button
        });
        QVERIFY(dialog.Execute());
        QCOMPARE(WOptions::GetInt(opt::kFontSize), 12);
        QCOMPARE(WOptions::GetInt(opt::kGridHeight), 18);
        QVERIFY(WOptions::GetFlag(opt::kFNValueFlag));
        QCOMPARE(WOptions::GetInt(opt::kFNValue), 2);
        QVERIFY(!WOptions::GetFlag(opt::kNameUpper));
        QCOMPARE(WOptions::GetInt(opt::kHLCol), 0xFF8000);
        QCOMPARE(WOptions::GetInt(opt::kHLTCol), 0);
        QCOMPARE(WOptions::GetText(opt::kTMGEngage), std::string("T"));
    }

    void columnChooserStartsFromTheSet() {
        TdlgListColumns dialog;
        // Repeats and numbers outside the catalogue drop out.
        dialog.SetColumnString("65,1,99,65,7", nullptr);
        QCOMPARE(dialog.windowTitle(), QString("List Columns"));
        QCOMPARE(Items(*dialog.DisplayedList()),
                 (QStringList{"Birth/[Christening] Date", "Index", "Surname, Given"}));
        QCOMPARE(dialog.MasterList()->count(), 65);
        // The rest in the chooser's order: 2, 3, 48, 4, ...
        QCOMPARE(dialog.MasterList()->item(0)->data(Qt::UserRole).toInt(), 2);
        QCOMPARE(dialog.MasterList()->item(2)->data(Qt::UserRole).toInt(), 48);
        QCOMPARE(dialog.MasterCount()->text(), QString("65 Items"));
        QCOMPARE(dialog.DisplayedCount()->text(), QString("3 Items"));
        QCOMPARE(dialog.MasterList()->currentRow(), 0);
        QCOMPARE(dialog.DisplayedList()->currentRow(), 0);
        QCOMPARE(dialog.ColumnString(), std::string("65,1,7"));
        // The first chosen item can go down and left, not up.
        QVERIFY(!dialog.UpButton()->isEnabled());
        QVERIFY(dialog.DownButton()->isEnabled());
        QVERIFY(dialog.LeftButton()->isEnabled() && dialog.RightButton()->isEnabled());
    }

    void columnChooserMovesAndOrders() {
        TdlgListColumns dialog;
        dialog.SetColumnString("1,2", nullptr);
        QListWidget* master = dialog.MasterList();
        QListWidget* shown = dialog.DisplayedList();
        // Right: appends; the master list keeps its row.
        master->setCurrentRow(1);  // 48, after 3
        dialog.RightButton()->click();
        QCOMPARE(dialog.ColumnString(), std::string("1,2,48"));
        QCOMPARE(master->currentRow(), 1);
        QCOMPARE(shown->currentRow(), 2);
        // Double-clicking moves too; the last item leaves its row one up.
        master->setCurrentRow(master->count() - 1);
        emit master->itemDoubleClicked(master->currentItem());
        QCOMPARE(dialog.ColumnString(), std::string("1,2,48,55"));
        QCOMPARE(master->currentRow(), master->count() - 1);
        // Up and down follow the moved item and stop at the ends.
        shown->setCurrentRow(3);
        dialog.UpButton()->click();
        dialog.UpButton()->click();
        QCOMPARE(dialog.ColumnString(), std::string("1,55,2,48"));
        QCOMPARE(shown->currentRow(), 1);
        dialog.UpButton()->click();
        QVERIFY(!dialog.UpButton()->isEnabled());
        shown->setCurrentRow(2);
        dialog.DownButton()->click();
        QCOMPARE(dialog.ColumnString(), std::string("55,1,48,2"));
        QVERIFY(!dialog.DownButton()->isEnabled());
        // Left: back to its place in the chooser's order.
        shown->setCurrentRow(1);
        dialog.LeftButton()->click();
        QCOMPARE(dialog.ColumnString(), std::string("55,48,2"));
        QCOMPARE(master->item(0)->data(Qt::UserRole).toInt(), 1);
        QCOMPARE(master->currentRow(), 0);
        QCOMPARE(shown->currentRow(), 1);

        // Everything chosen: nothing left to move right.
        dialog.AllRightButton()->click();
        QCOMPARE(shown->count(), 68);
        QCOMPARE(dialog.MasterCount()->text(), QString("0 Items"));
        QVERIFY(!dialog.RightButton()->isEnabled());
        QVERIFY(!dialog.AllRightButton()->isEnabled());
        QVERIFY(dialog.ColumnString().starts_with("55,48,2,1,3,4,"));
        // Nothing chosen: an empty column string.
        dialog.AllLeftButton()->click();
        QCOMPARE(dialog.ColumnString(), std::string());
        QCOMPARE(master->count(), 68);
        for (QPushButton* button :
             {dialog.LeftButton(), dialog.AllLeftButton(), dialog.UpButton(), dialog.DownButton()})
            QVERIFY(!button->isEnabled());
    }

    void quickHelpBoxShowsItsEntryAndRecordsIt() {
        TInitHelpDialog dialog(10, "Sources Tab");
        QCOMPARE(dialog.windowTitle(), QString("Quick Help"));
        QCOMPARE(dialog.TitleLabel()->text(), QString("Sources Tab"));
        QCOMPARE(dialog.Description()->toPlainText(),
                 QString("This tab displays all of the general sources in your genealogy file.  "
                         "The bottom half of the tab displays the detailed information of the "
                         "selected source in the table."));
        QVERIFY(dialog.Description()->isReadOnly());
        QCOMPARE(dialog.Notice()->text(),
                 QString("This help dialog box for \"Sources Tab\" is only displayed once."));
        for (int entry : {1, 2, 3, 4, 5, 6, 7, 8, 9, 14, 15})
            QVERIFY2(!QuickHelpText(entry).isEmpty(), qPrintable(QString::number(entry)));

        // Esc closes it; the entry is seen, the others stay on.
        WOptions::SetFlag(opt::kDispInitHelp, true);
        WhenModal<TInitHelpDialog>(
            [](TInitHelpDialog& shown) { QTest::keyClick(&shown, Qt::Key_Escape); });
        TInitHelpDialog::Offer(7, "List Tab", nullptr);
        QVERIFY(!WOptions::GetFlag(opt::kIH7));
        QVERIFY(WOptions::GetFlag(opt::kIH8));
        QVERIFY(WOptions::GetFlag(opt::kDispInitHelp));
        // "Stop displaying" turns every box off.
        WhenModal<TInitHelpDialog>([](TInitHelpDialog& shown) {
            shown.StopBox()->setChecked(true);
            shown.CloseButton()->click();
        });
        TInitHelpDialog::Offer(8, "Highlighted Tab", nullptr);
        QVERIFY(!WOptions::GetFlag(opt::kIH8));
        QVERIFY(!WOptions::GetFlag(opt::kDispInitHelp));
    }

    // End to end: the main window offers each tab's help once, in the
    // dialog, until the user stops them.
    void mainWindowShowsQuickHelpOnce() {
        WOptions::SetFlag(opt::kDispInitHelp, true);
        auto window = OpenWindow();
        QVERIFY(window);
        QStringList shown;
        const auto closeNext = [&shown](bool stop) {
            WhenModal<TInitHelpDialog>([&shown, stop](TInitHelpDialog& dialog) {
                shown << dialog.TitleLabel()->text();
                dialog.StopBox()->setChecked(stop);
                dialog.CloseButton()->click();
            });
        };
        closeNext(false);
        window->SelectTab(Tab::General);
        QCOMPARE(shown, QStringList{"General Tab"});
        window->SelectTab(Tab::Sender);
        window->SelectTab(Tab::General);  // seen: no box
        closeNext(true);
        window->SelectTab(Tab::List);
        window->SelectTab(Tab::Family);  // stopped: no box
        QCOMPARE(shown, (QStringList{"General Tab", "List Tab"}));
        QVERIFY(WOptions::GetFlag(opt::kIH4));
    }

    // End to end: OK in "Options..." shows the new names, sizes and
    // colours on the pages at once.
    void optionsReachEveryPage() {
        auto window = OpenWindow();
        QVERIFY(window);
        window->Ui().scroller->GoToIndividual(1);
        window->SelectTab(Tab::List);
        const TListPage& list = *window->Ui().listPage;
        const auto nameCell = [&] {
            return list.Grid()->model()->index(0, 2).data(Qt::DisplayRole).toString();
        };
        QCOMPARE(nameCell(), QString("Roi, Jos\u00e9"));
        QVERIFY(!window->Ui().scroller->Label()->text().contains("ROI"));

        WhenModal<TOptionsDlg>([](TOptionsDlg& dialog) {
            dialog.CheckBox(opt::kNameUpper)->setChecked(true);
            dialog.CheckBox(opt::kChrono)->setChecked(true);
            dialog.FontSizeButton(2)->setChecked(true);
            dialog.colourChooser = [](const QColor&, const QString&) { return QColor(Qt::cyan); };
            dialog.BackgroundButton()->click();
            dialog.accept();
        });
        window->Ui().commands[TLogoAppForm::kCmdOptions]->trigger();
        QCOMPARE(WOptions::GetInt(opt::kHLCol), 0xFFFF00);

        // Names: the current page and the scroller at once.
        QCOMPARE(nameCell(), QString("ROI, Jos\u00e9"));
        QVERIFY(window->Ui().scroller->Label()->text().contains("ROI"));
        // Sizes: the list grid and, once shown, the Family page.
        QCOMPARE(list.Grid()->font().pointSize(), 12);
        QVERIFY(list.Grid()->verticalHeader()->defaultSectionSize() >= 18);
        QCOMPARE(window->Ui().scroller->Label()->font().pointSize(), 12);
        window->SelectTab(Tab::Family);
        auto* family = qobject_cast<TFamilyPage*>(window->Ui().pages->currentWidget());
        QVERIFY(family);
        QCOMPARE(family->SubjectPanel()->FontSize(), 12);
        // Colours: the highlight strip.
        QCOMPARE(window->Ui().highlightStrip->palette().color(QPalette::Window), QColor(Qt::cyan));
        // The Individual tab's own box shows the new order setting.
        auto* individual =
            qobject_cast<TIndividualPage*>(window->Ui().pages->widget(Tab::Individual));
        QVERIFY(individual->ChronologicalBox()->isChecked());
    }

    // End to end: each "Columns" button opens the chooser on its own set,
    // and its grid follows the choice.
    void columnsButtonsReshapeTheirLists() {
        auto window = OpenWindow();
        QVERIFY(window);
        window->SelectTab(Tab::List);
        TListPage& list = *window->Ui().listPage;
        auto* button = list.findChild<QToolButton*>("sbListColumns");
        QVERIFY(button && button->isEnabled());
        WhenModal<TdlgListColumns>([](TdlgListColumns& dialog) {
            // Keep "Surname, Given" and put the birth date first.
            QCOMPARE(dialog.ColumnString(), std::string("1,2,7,65,67,19,18"));
            dialog.MoveAllLeft();
            for (int attribute : {65, 7}) {
                QListWidget* master = dialog.MasterList();
                for (int row = 0; row < master->count(); ++row)
                    if (master->item(row)->data(Qt::UserRole).toInt() == attribute)
                        master->setCurrentRow(row);
                dialog.MoveRight();
            }
            dialog.accept();
        });
        button->click();
        QCOMPARE(window->Ui().listColumns->ColumnString(), std::string("65,7"));
        QCOMPARE(Captions(list.Model()), (QStringList{"Birth/[C] Date", "Surname, Given"}));
        QCOMPARE(list.Model().rowCount(), 3);
        QCOMPARE(list.Model().data(list.Model().index(0, 1), Qt::DisplayRole).toString(),
                 QString("Roi, Jos\u00e9"));

        // Cancel leaves the Descendants set alone.
        window->SelectTab(Tab::Descendants);
        auto* descendants = qobject_cast<TDescendantsPage*>(window->Ui().pages->currentWidget());
        const std::string before = window->Ui().desColumns->ColumnString();
        WhenModal<TdlgListColumns>([](TdlgListColumns& dialog) { dialog.reject(); });
        descendants->findChild<QToolButton*>("SpeedButton14")->click();
        QCOMPARE(window->Ui().desColumns->ColumnString(), before);
        // OK: the tree column stays first, the chosen columns follow.
        WhenModal<TdlgListColumns>([](TdlgListColumns& dialog) {
            dialog.SetColumnString("1", nullptr);
            dialog.accept();
        });
        descendants->findChild<QToolButton*>("SpeedButton14")->click();
        QCOMPARE(descendants->Model().columnCount(), 2);

        window->SelectTab(Tab::Islands);
        auto* islands = qobject_cast<TIslandsPage*>(window->Ui().pages->currentWidget());
        WhenModal<TdlgListColumns>([](TdlgListColumns& dialog) {
            dialog.SetColumnString("7,1", nullptr);
            dialog.accept();
        });
        islands->findChild<QToolButton*>("SpeedButton15")->click();
        QCOMPARE(Captions(islands->MembersModel()), (QStringList{"Surname, Given", "Index"}));
    }

  private:
    // The main window on the family file, without the packed program.
    std::unique_ptr<TLogoAppForm> OpenWindow() {
        auto window = std::make_unique<TLogoAppForm>(dir_.filePath("no-program").toStdString());
        const bool loaded = window->LoadFile(dir_.filePath("family.ged").toStdString());
        return loaded ? std::move(window) : nullptr;
    }

    QTemporaryDir dir_;
};

}  // namespace vx

QTEST_MAIN(vx::SmallDialogsTest)
#include "SmallDialogsTest.moc"
