// The highlighting condition editor: the parameter each editor writes, the
// condition string of signs, kinds and operators, manual apply, and the
// main window following every change (group, Highlighted list, strip,
// commands), with unreadable conditions told rather than fatal.
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

#include "GedcomLoading.h"
#include "QtTestSupport.h"
#include "app/Errors.h"
#include "app/Options.h"
#include "app/Services.h"
#include "dialogs/DatePick.h"
#include "gedcom/GEDCollection.h"
#include "highlight/Catalogue.h"
#include "highlight/HLGroup.h"
#include "ui/HLGuiColMan.h"
#include "ui/HighlightPanel.h"
#include "ui/HighlightStrip.h"
#include "ui/ListPage.h"
#include "ui/LogoMain.h"
#include "widgets/IndScroll.h"
#include "widgets/QtText.h"
#include "widgets/SelectionButton.h"

namespace vx {
namespace {

using test::RecordingServices;

// John and Mary Smith's daughter Anna; Lone stands apart.
const char* kFile =
    "0 HEAD\n1 CHAR ANSI\n"
    "0 @I1@ INDI\n1 NAME John /Smith/\n1 SEX M\n1 BIRT\n2 DATE 1850\n1 FAMS @F1@\n"
    "0 @I2@ INDI\n1 NAME Mary /Jones/\n1 SEX F\n1 FAMS @F1@\n"
    "0 @I3@ INDI\n1 NAME Anna /Smith/\n1 SEX F\n1 FAMC @F1@\n"
    "0 @I4@ INDI\n1 NAME Lone /Wolf/\n"
    "0 @F1@ FAM\n1 HUSB @I1@\n1 WIFE @I2@\n1 CHIL @I3@\n0 TRLR\n";

// Chooses a kind from the row's list as the user would.
void ChooseKind(WHLGuiCond& row, int kind) {
    const int line = row.KindList()->findText(ToQt(KindCaption(kind, row.IsNegated())));
    QVERIFY2(line >= 0, "kind not offered");
    row.KindList()->setCurrentIndex(line);
}

template <class Editor>
Editor& EditorOf(WHLGuiCond& row) {
    auto* editor = qobject_cast<Editor*>(row.Editor());
    if (!editor) qFatal("the row has another editor");
    return *editor;
}

}  // namespace

class ConditionEditorTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        qputenv("TMPDIR", dir_.path().toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", (dir_.path() + "/config").toLocal8Bit());
        gedcom_ = dir_.filePath("family.ged").toStdString();
        QVERIFY(test::LoadGedcomText(collection_, gedcom_, kFile));
        context_.collection = collection_.get();
    }
    void init() {
        WOptions::ResetToDefaults();
        WOptions::SetFlag(opt::kDispInitHelp, false);
        services_.messages.clear();
        SetUiServices(&services_);
    }
    void cleanup() {
        datePickRunner = nullptr;
        SetUiServices(nullptr);
    }

    void editorsWriteTheirParameters() {
        WHLGuiColMan editor;
        editor.SetContext(context_);
        editor.SetHLStrings("1");
        WHLGuiCond& row = *editor.Row(0);
        QSignalSpy changes(&row, &WHLGuiCond::Changed);

        ChooseKind(row, 13);
        QVERIFY(!row.Editor());
        QCOMPARE(ToQt(row.HLCondStr()), QString("+13"));

        ChooseKind(row, 17);
        EditorOf<WHLOptSex>(row).List()->setCurrentIndex(1);
        QCOMPARE(ToQt(row.HLCondStr()), QString("+17:F"));

        ChooseKind(row, 47);
        auto& count = EditorOf<WHLOptInt>(row);
        QCOMPARE(count.Value()->maximum(), 65535);
        count.Operator()->Choose(5);
        count.Value()->setValue(10);
        QCOMPARE(ToQt(row.HLCondStr()), QString("+47:510"));

        // Ancestors of: individual 1 and all generations to begin with.
        ChooseKind(row, 21);
        auto& ancestors = EditorOf<WHLOptInd>(row);
        QCOMPARE(ToQt(row.HLCondStr()), QString("+21:1^0"));
        ancestors.NextButton()->click();
        ancestors.Generations()->setValue(4);
        QCOMPARE(ToQt(row.HLCondStr()), QString("+21:2^4"));
        QCOMPARE(ancestors.FindButton()->text(), QString("#2"));
        QCOMPARE(ancestors.FindButton()->toolTip(), ToQt(collection_->DisplayNameWithBirth(2)));

        ChooseKind(row, 39);
        auto& date = EditorOf<WHLOptDate>(row);
        date.Date()->SetDayMonthYear(12, 5, 1850);
        date.Qualifier()->Choose(3);
        QCOMPARE(ToQt(row.HLCondStr()), QString("+39:ABT 12 May 1850"));
        date.Qualifier()->Choose(1);
        QCOMPARE(ToQt(row.HLCondStr()), QString("+39:12 May 1850"));
        // The calendar button: the dialog opens on the shown date.
        datePickRunner = [](TdlgDatePick& dialog) {
            if (dialog.Year() != 1850) return int(QDialog::Rejected);
            dialog.SetDayMonthYear(1, 2, 1900);
            return int(QDialog::Accepted);
        };
        const auto before = changes.count();
        date.CalendarButton()->click();
        QCOMPARE(ToQt(row.HLCondStr()), QString("+39:1 Feb 1900"));
        QCOMPARE(changes.count(), before + 1);

        // Text boxes take no ":" or ";", which would break the string.
        ChooseKind(row, 57);
        auto& soundex = EditorOf<WHLOptString>(row);
        soundex.Mode()->Choose(2);
        QTest::keyClicks(soundex.Text(), " S5:3;0 ");
        QCOMPARE(ToQt(row.HLCondStr()), QString("+57:2S530"));

        ChooseKind(row, 87);
        auto& lds = EditorOf<WHLOptLDSDate>(row);
        QCOMPARE(lds.List()->itemText(0), QString("A Date"));
        QCOMPARE(lds.List()->count(), 11);
        lds.List()->setCurrentIndex(2);
        QCOMPARE(ToQt(row.HLCondStr()), QString("+87:3"));

        ChooseKind(row, 65);
        QCOMPARE(ToQt(row.HLCondStr()), QString("+65:110"));

        ChooseKind(row, 62);
        QCOMPARE(EditorOf<WHLOptIndNoGen>(row).NameLabel()->text(),
                 "1 - " + ToQt(collection_->DisplayNameOf(1)));
        QCOMPARE(ToQt(row.HLCondStr()), QString("+62:1"));

        // Every kind chosen and every edit made was reported.
        QVERIFY(changes.count() >= 20);
    }

    void signsPlaceholdersAndOperators() {
        WHLGuiColMan editor;
        editor.SetContext(context_);
        editor.SetHLStrings("1");
        ChooseKind(*editor.Row(0), 29);
        EditorOf<WHLOptString>(*editor.Row(0)).Text()->setText("SMITH");
        editor.Add();
        ChooseKind(*editor.Row(1), 30);
        auto& given = EditorOf<WHLOptString>(*editor.Row(1));
        given.Mode()->Choose(2);
        given.Text()->setText("JOHN");
        editor.Operator(1)->Button()->click();
        QCOMPARE(ToQt(editor.HLStrings()), QString("+29:1SMITH;O;+30:2JOHN"));

        // Tab runs from the buttons down through the rows and their editors.
        editor.show();
        QVERIFY(QTest::qWaitForWindowActive(&editor));
        editor.DeleteButton()->setFocus();
        const QWidget* expected[] = {editor.Row(0)->SignButton(),
                                     editor.Row(0)->KindList(),
                                     EditorOf<WHLOptString>(*editor.Row(0)).Mode(),
                                     EditorOf<WHLOptString>(*editor.Row(0)).Text(),
                                     editor.Operator(1)->Button(),
                                     editor.Row(1)->SignButton()};
        for (const QWidget* widget : expected) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), widget);
        }

        // A row still without a kind, with either sign, empties the string.
        editor.Add();
        QCOMPARE(ToQt(editor.Row(2)->HLCondStr()), QString("+1"));
        QCOMPARE(ToQt(editor.HLStrings()), QString(""));
        editor.Row(2)->ToggleSign();
        QCOMPARE(ToQt(editor.HLStrings()), QString(""));
        editor.Delete();
        QCOMPARE(ToQt(editor.HLStrings()), QString("+29:1SMITH;O;+30:2JOHN"));

        WHLGuiCond& row = *editor.Row(1);
        ChooseKind(row, 2);
        row.SignButton()->click();
        QCOMPARE(row.SignButton()->text(), QString("-"));
        QCOMPARE(row.KindList()->currentText(), QString("Has a Birth Date"));
        QCOMPARE(ToQt(row.HLCondStr()), QString("-2"));
    }

    void writingTheStringRebuildsTheRows() {
        WHLGuiColMan editor;
        editor.SetContext(context_);
        QSignalSpy evaluations(&editor, &WHLGuiMan::ConditionsChanged);
        const std::string text = "-2;O;+17:F;A;+44:5100";
        editor.SetHLStrings(text);
        QCOMPARE(editor.ConditionCount(), 3);
        QVERIFY(editor.Row(0)->IsNegated());
        QVERIFY(!editor.Operator(1)->BoolValue());
        QVERIFY(editor.Operator(2)->BoolValue());
        QCOMPARE(ToQt(editor.HLStrings()), ToQt(text));

        // Eleven conditions, or a kind that is no number, change nothing.
        std::string eleven = "+13";
        for (int i = 0; i < 10; ++i)
            eleven += ";A;+13";
        editor.SetHLStrings(eleven);
        QVERIFY_THROWS_EXCEPTION(EConvertError, editor.SetHLStrings("+x"));
        QCOMPARE(ToQt(editor.HLStrings()), ToQt(text));

        // After a load: one row waiting for a kind, nothing to apply.
        editor.SetManualApply(true);
        editor.SetHLStrings("1");
        QCOMPARE(editor.ConditionCount(), 1);
        QCOMPARE(ToQt(editor.HLStrings()), QString(""));
        QVERIFY(!editor.HasUnappliedChanges());
        QCOMPARE(evaluations.count(), 0);
    }

    void individualEditorsStayWithinTheFile() {
        WHLContext context = context_;
        int32_t offered = 0;
        context.findIndividual = [&](QWidget*, int32_t& individual) {
            offered = individual;
            individual = 3;
            return true;
        };
        WHLGuiColMan editor;
        editor.SetContext(context);
        editor.SetHLStrings("+63");
        auto& child = EditorOf<WHLOptIndNoGen>(*editor.Row(0));
        QSignalSpy changes(&child, &WHLABSOption::Changed);
        child.PreviousButton()->click();
        QCOMPARE(child.Individual(), 1);
        for (int i = 0; i < 6; ++i)
            child.NextButton()->click();
        QCOMPARE(child.Individual(), collection_->IndividualCount());
        QCOMPARE(changes.count(), collection_->IndividualCount() - 1);

        child.FindButton()->click();
        QCOMPARE(offered, 4);
        QCOMPARE(ToQt(editor.HLStrings()), QString("+63:3"));

        // Without a file there is nobody to choose.
        editor.SetContext(WHLContext());
        QCOMPARE(child.NameLabel()->text(), QString("None Selected"));
        child.NextButton()->click();
        child.FindButton()->click();
        QCOMPARE(ToQt(editor.HLStrings()), QString("+63:0"));
    }

    void manualApplyWaitsForApply() {
        WHLGuiColMan editor;
        editor.SetContext(context_);
        editor.SetHLStrings("1");
        editor.SetManualApply(true);
        QSignalSpy evaluations(&editor, &WHLGuiMan::ConditionsChanged);
        QToolButton* apply = editor.ApplyButton();
        QVERIFY(apply->isVisibleTo(&editor));
        QVERIFY(!apply->isEnabled());

        ChooseKind(*editor.Row(0), 13);
        QCOMPARE(evaluations.count(), 0);
        QVERIFY(editor.HasUnappliedChanges());
        QVERIFY(apply->isEnabled());
        QCOMPARE(apply->palette().color(QPalette::Active, QPalette::ButtonText), QColor(Qt::red));

        apply->click();
        QCOMPARE(evaluations.count(), 1);
        QVERIFY(!editor.HasUnappliedChanges());
        QVERIFY(!apply->isEnabled());
        QVERIFY(apply->palette().color(QPalette::Active, QPalette::ButtonText) != Qt::red);

        // Leaving manual mode evaluates what was waiting.
        editor.Row(0)->ToggleSign();
        QCOMPARE(evaluations.count(), 1);
        editor.SetManualApply(false);
        QCOMPARE(evaluations.count(), 2);
        QVERIFY(!apply->isVisibleTo(&editor));
    }

    void changesDuringAnEvaluationAreReportedOnceMore() {
        WHLGuiColMan editor;
        editor.SetContext(context_);
        editor.SetHLStrings("+13;A;+14");
        int evaluations = 0;
        connect(&editor, &WHLGuiMan::ConditionsChanged, this, [&] {
            editor.SetUpdating(true);
            if (++evaluations == 1) {
                editor.Operator(1)->Button()->click();
                editor.Row(0)->ToggleSign();
            }
            editor.SetUpdating(false);
        });
        editor.Row(1)->ToggleSign();
        QCOMPARE(evaluations, 2);
        QCOMPARE(ToQt(editor.HLStrings()), QString("-13;O;-14"));
    }

    void rowLimitsAreTold() {
        WHLGuiColMan editor;
        for (int i = 0; i < 10; ++i)
            editor.Add();
        QVERIFY(!editor.AddButton()->isEnabled());
        editor.Add();
        QCOMPARE(editor.ConditionCount(), 10);
        for (int i = 0; i < 10; ++i)
            editor.Delete();
        QVERIFY(!editor.DeleteButton()->isEnabled());
        editor.Delete();
        QCOMPARE(services_.messages, (std::vector<std::string>{"Too many conditions.  Max = 10",
                                                               "No more conditions."}));
    }

    void mainWindowFollowsTheConditions() {
        TLogoAppForm window("no-program-file");
        QVERIFY(window.LoadFile(gedcom_));
        WHLGuiColMan& editor = *window.Ui().highlightPanel->Editor();
        QAction* next = window.Ui().commands[TLogoAppForm::kCmdNextHighlighted];
        QCOMPARE(editor.ConditionCount(), 1);
        QVERIFY(!window.Group());
        QVERIFY(window.Ui().highlightStrip->isHidden());
        QVERIFY(!next->isEnabled());

        // The Highlighted tab brings the highlighting page along.
        window.SelectTab(Tab::Highlighted);
        QVERIFY(!window.Ui().leftPanel->isHidden());
        QCOMPARE(window.Ui().leftPanel->findChild<QStackedWidget*>()->currentWidget(),
                 static_cast<QWidget*>(window.Ui().highlightPanel));

        WHLGuiCond& row = *editor.Row(0);
        ChooseKind(row, 29);
        QTest::keyClicks(EditorOf<WHLOptString>(row).Text(), "Smith");
        QVERIFY(window.Group());
        QCOMPARE(ToQt(window.Group()->ConditionString()), QString("+29:1Smith"));
        QCOMPARE(window.Ui().listPage->Model().rowCount(), 2);
        QCOMPARE(window.Ui().listPage->Model().IndividualAt(1), 3);
        QVERIFY(!window.Ui().highlightStrip->isHidden());
        QCOMPARE(window.Ui().highlightStrip->Memo()->text(),
                 THighlightStrip::kPrefix + ToQt(window.Group()->Describe()));
        QVERIFY(next->isEnabled());
        QVERIFY(window.Ui().scroller->Group() == window.Group());

        // Negated, the others; with HLText off the strip stays hidden.
        WOptions::SetFlag(opt::kHLText, false);
        row.SignButton()->click();
        QCOMPARE(window.Ui().listPage->Model().rowCount(), 2);
        QCOMPARE(window.Ui().listPage->Model().IndividualAt(0), 2);
        QVERIFY(window.Ui().highlightStrip->isHidden());

        // A second row without a kind yet: nobody, and the strip asks for one.
        WOptions::SetFlag(opt::kHLText, true);
        editor.Add();
        editor.Operator(1)->Button()->click();
        QCOMPARE(window.Ui().listPage->Model().rowCount(), 0);
        QCOMPARE(window.Ui().highlightStrip->Memo()->text(),
                 QString(THighlightStrip::kPrefix) + "Please select a condition");
        QVERIFY(!next->isEnabled());
    }

    void manualApplyInTheMainWindow() {
        WOptions::SetFlag(opt::kHLManual, true);
        TLogoAppForm window("no-program-file");
        QVERIFY(window.LoadFile(gedcom_));
        WHLGuiColMan& editor = *window.Ui().highlightPanel->Editor();
        QVERIFY(editor.ManualApply());
        QVERIFY(window.Ui().highlightStrip->isHidden());

        ChooseKind(*editor.Row(0), 15);
        QVERIFY(!window.Group());
        QCOMPARE(window.Ui().highlightStrip->Memo()->text(),
                 QString(THighlightStrip::kPrefix) + "Please press the Apply button");
        editor.ApplyButton()->click();
        QVERIFY(window.Group());
        QCOMPARE(ToQt(window.Group()->ConditionString()), QString("+15"));
        QCOMPARE(window.Ui().highlightStrip->Memo()->text(),
                 THighlightStrip::kPrefix + ToQt(window.Group()->Describe()));
    }

    void unreadableConditionsAreToldNotFatal() {
        TLogoAppForm window("no-program-file");
        QVERIFY(window.LoadFile(gedcom_));
        window.SelectTab(Tab::Highlighted);
        // "Ancestors of" without generations, and a kind that is no number.
        for (const char* conditions : {"+21:2", "+x;A;+13"}) {
            services_.messages.clear();
            window.SetConditions(conditions);
            QCOMPARE(services_.messages.size(), size_t(1));
            QCOMPARE(window.Group()->ConditionCount(), 0);
            QCOMPARE(window.Ui().listPage->Model().rowCount(), 0);
            QVERIFY(!window.Ui().commands[TLogoAppForm::kCmdNextHighlighted]->isEnabled());
        }
        window.SetConditions("+16");
        QCOMPARE(window.Ui().listPage->Model().rowCount(), 3);
    }

  private:
    QTemporaryDir dir_;
    std::string gedcom_;
    std::unique_ptr<WGEDCollection> collection_;
    WHLContext context_;
    RecordingServices services_;
};

}  // namespace vx

QTEST_MAIN(vx::ConditionEditorTest)
#include "ConditionEditorTest.moc"
