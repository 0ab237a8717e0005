// The individual scroller and the individual panel over a small hand-made
// family: attaching, the label, father and mother, the spouse-and-children
// menu, back/forward history against user scrolling, highlighted stepping
// inside and outside an island view, the resize layout; panel heights, the
// fill routine's texts, flags and colours, painting and double-clicks.
#include <QAbstractSlider>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <memory>
#include <string>
#include <vector>

#include "GedcomLoading.h"
#include "analysis/FamilyAnalysis.h"
#include "analysis/IslandView.h"
#include "analysis/Islands.h"
#include "app/Options.h"
#include "gedcom/GEDCollection.h"
#include "highlight/HLGroup.h"
#include "records/Date.h"
#include "widgets/IndInfoPanel.h"
#include "widgets/IndScroll.h"
#include "widgets/SelectionButton.h"

namespace vx {
namespace {

// Adam and Beth (F1, sealed) have Carl (1930) and the undated Dora, listed
// in that order only after sorting; Adam also has Ivy (1950) in F3, which
// has no wife. Carl and Erin (F2) have Finn. Gus and Hana (F4) are a second
// island. Beth has a baptism and a sealing to parents, Erin an endowment.
// Dora has only a christening, a burial and a sealing to parents; Carl has
// a death place only.
const char* kFamily =
    "0 HEAD\n"
    "0 @I1@ INDI\n1 NAME Adam /Lee/\n1 SEX M\n1 BIRT\n2 DATE 1900\n2 PLAC Leeds\n"
    "1 FAMS @F1@\n1 FAMS @F3@\n"
    "0 @I2@ INDI\n1 NAME Beth /Lee/\n1 SEX F\n1 BIRT\n2 DATE 1905\n1 BAPL\n2 DATE 1913\n"
    "1 SLGC\n2 DATE 1914\n1 FAMS @F1@\n"
    "0 @I3@ INDI\n1 NAME Carl /Lee/\n1 SEX M\n1 BIRT\n2 DATE 5 MAR 1930\n2 PLAC York\n"
    "1 DEAT\n2 PLAC Hull\n1 FAMC @F1@\n1 FAMS @F2@\n"
    "0 @I4@ INDI\n1 NAME Dora /Lee/\n1 SEX F\n1 CHR\n2 DATE 1933\n2 PLAC York\n"
    "1 BURI\n2 DATE 2001\n1 SLGC\n2 DATE 1940\n1 FAMC @F1@\n"
    "0 @I5@ INDI\n1 NAME Erin /Ray/\n1 SEX F\n1 ENDL\n2 DATE 1950\n1 FAMS @F2@\n"
    "0 @I6@ INDI\n1 NAME Finn /Lee/\n1 SEX M\n1 BIRT\n2 DATE 1960\n1 FAMC @F2@\n"
    "0 @I7@ INDI\n1 NAME Gus /Roe/\n1 SEX M\n1 FAMS @F4@\n"
    "0 @I8@ INDI\n1 NAME Hana /Roe/\n1 SEX F\n1 FAMS @F4@\n"
    "0 @I9@ INDI\n1 NAME Ivy /Lee/\n1 SEX F\n1 BIRT\n2 DATE 1950\n1 FAMC @F3@\n"
    "0 @F1@ FAM\n1 HUSB @I1@\n1 WIFE @I2@\n1 SLGS\n2 DATE 1925\n1 CHIL @I4@\n1 CHIL @I3@\n"
    "0 @F2@ FAM\n1 HUSB @I3@\n1 WIFE @I5@\n1 CHIL @I6@\n"
    "0 @F3@ FAM\n1 HUSB @I1@\n1 CHIL @I9@\n"
    "0 @F4@ FAM\n1 HUSB @I7@\n1 WIFE @I8@\n"
    "0 TRLR\n";

// The system's button face, the plain label and cleared-panel colour.
QColor ButtonFace() {
    return QGuiApplication::palette().color(QPalette::Button);
}

}  // namespace

class IndScrollTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<WGEDCollection> Load(const std::string& text,
                                         const QString& name = QStringLiteral("family.ged")) {
        std::unique_ptr<WGEDCollection> collection;
        if (!test::LoadGedcomText(collection, dir_.filePath(name).toStdString(), text))
            return nullptr;
        return collection;
    }
    // A scroller attached to a fresh copy of the family, through a view of
    // its own.
    bool Attach(WIndScroll& scroller) {
        view_.reset();
        analysis_.reset();
        family_ = Load(kFamily);
        if (!family_) return false;
        analysis_ = std::make_unique<FamilyAnalysis>(*family_);
        view_ = std::make_unique<IslandView>(*family_);
        scroller.SetCollection(family_.get(), view_.get());
        return true;
    }
    // What a click does before the menu pops up: the items are rebuilt.
    static void Open(WSelectionButton* button) {
        QVERIFY(button->isEnabled());
        emit button->BeforeShow();
    }
    std::unique_ptr<WHLGroup> Group(const char* conditions) {
        auto group = std::make_unique<WHLGroup>(analysis_.get());
        group->SetConditionString(conditions);
        group->Refresh();
        return group;
    }

    QTemporaryDir dir_;
    std::unique_ptr<WGEDCollection> family_;
    std::unique_ptr<FamilyAnalysis> analysis_;
    std::unique_ptr<IslandView> view_;

  private slots:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        qputenv("TMPDIR", QFile::encodeName(dir_.path()));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir_.path() + "/config"));
        SetTodayProvider([] { return CivilDate{15, 6, 2026}; });
    }
    void cleanupTestCase() { SetTodayProvider({}); }
    void init() {
        WOptions::ResetToDefaults();
        // Names without the record identifier keep the expected texts short.
        WOptions::SetFlag(opt::kFNValueFlag, false);
    }
    void cleanup() {
        view_.reset();
        analysis_.reset();
        family_.reset();
    }

    void attachingShowsTheFirstIndividual() {
        WIndScroll scroller;
        QSignalSpy changed(&scroller, &WIndScroll::Changed);
        QVERIFY(Attach(scroller));
        QCOMPARE(changed.count(), 1);
        QCOMPARE(scroller.CurrentIndividual(), 1);
        QCOMPARE(scroller.Label()->text(), QStringLiteral(" 1 - Adam /Lee/, 1900, Leeds"));
        QCOMPARE(scroller.Label()->toolTip(), HintText(family_->PersonSummary(1)));
        QVERIFY(scroller.Label()->toolTip().startsWith(QStringLiteral("Name :Adam /Lee/\n")));
        QCOMPARE(scroller.ScrollBar()->minimum(), 1);
        QCOMPARE(scroller.ScrollBar()->maximum(), 9);
        QCOMPARE(scroller.ScrollBar()->pageStep(), 1);  // 9 div 100, at least 1
        QVERIFY(scroller.ScrollBar()->isEnabled());
        QVERIFY(scroller.SelectionButton()->isEnabled());  // Adam has families
        QVERIFY(!scroller.FatherButton()->isEnabled());
        QVERIFY(!scroller.MotherButton()->isEnabled());
        // Without a group there is nothing to step to.
        QVERIFY(!scroller.NextHighlightedButton()->isEnabled());
        QVERIFY(!scroller.PrevHighlightedButton()->isEnabled());

        // Going back right after attaching does nothing.
        QVERIFY(!scroller.CanGoBack());
        scroller.GoBack();
        QCOMPARE(scroller.CurrentIndividual(), 1);
        QCOMPARE(changed.count(), 1);

        // Missing parts leave their separators.
        scroller.GoToIndividual(2);
        QCOMPARE(scroller.Label()->text(), QStringLiteral(" 2 - Beth /Lee/, 1905, "));
        scroller.GoToIndividual(5);
        QCOMPARE(scroller.Label()->text(), QStringLiteral(" 5 - Erin /Ray/, , "));

        // The same collection again changes nothing; another one starts over.
        changed.clear();
        scroller.SetCollection(family_.get(), view_.get());
        QCOMPARE(changed.count(), 0);
        QCOMPARE(scroller.CurrentIndividual(), 5);
        QVERIFY(scroller.CanGoBack());
        auto other = Load(kFamily, QStringLiteral("other.ged"));
        QVERIFY(other);
        scroller.SetCollection(other.get(), nullptr);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(scroller.CurrentIndividual(), 1);
        QVERIFY(!scroller.CanGoBack());
        QVERIFY(!scroller.CanGoForward());

        // Detaching empties the label and disables the six controls.
        scroller.SetCollection(nullptr, nullptr);
        QVERIFY(scroller.Label()->text().isEmpty());
        for (QWidget* control : {static_cast<QWidget*>(scroller.PrevHighlightedButton()),
                                 static_cast<QWidget*>(scroller.NextHighlightedButton()),
                                 static_cast<QWidget*>(scroller.ScrollBar()),
                                 static_cast<QWidget*>(scroller.FatherButton()),
                                 static_cast<QWidget*>(scroller.MotherButton()),
                                 static_cast<QWidget*>(scroller.SelectionButton())})
            QVERIFY(!control->isEnabled());
        // Nothing to show while detached.
        scroller.GoToIndividual(3);
        QVERIFY(scroller.Label()->text().isEmpty());
    }

    void fatherAndMotherButtons() {
        WIndScroll scroller;
        QVERIFY(Attach(scroller));
        scroller.GoToIndividual(3);
        QVERIFY(scroller.FatherButton()->isEnabled());
        QCOMPARE(scroller.FatherButton()->toolTip(), QStringLiteral("Adam /Lee/"));
        QVERIFY(scroller.MotherButton()->isEnabled());
        QCOMPARE(scroller.MotherButton()->toolTip(), QStringLiteral("Beth /Lee/"));
        scroller.MotherButton()->click();
        QCOMPARE(scroller.CurrentIndividual(), 2);

        // Ivy's family has no wife.
        scroller.GoToIndividual(9);
        QVERIFY(scroller.FatherButton()->isEnabled());
        QVERIFY(!scroller.MotherButton()->isEnabled());
        QVERIFY(scroller.MotherButton()->toolTip().isEmpty());
        QVERIFY(!scroller.SelectionButton()->isEnabled());  // no family of her own
        scroller.GoToMother();
        QCOMPARE(scroller.CurrentIndividual(), 9);
        scroller.FatherButton()->click();
        QCOMPARE(scroller.CurrentIndividual(), 1);
        // Father and mother moves are history like any other.
        scroller.GoBack();
        QCOMPARE(scroller.CurrentIndividual(), 9);
    }

    void backAndForwardRetraceVisits() {
        WIndScroll scroller;
        QVERIFY(Attach(scroller));
        // Listeners must see the history as it is once the move is done.
        std::vector<bool> backAtChange;
        connect(&scroller, &WIndScroll::Changed, this,
                [&] { backAtChange.push_back(scroller.CanGoBack()); });
        scroller.GoToIndividual(3);
        scroller.GoToIndividual(5);
        scroller.GoToIndividual(7);
        QCOMPARE(backAtChange.size(), size_t{3});

        scroller.GoBack();
        QCOMPARE(scroller.CurrentIndividual(), 5);
        scroller.GoBack();
        QCOMPARE(scroller.CurrentIndividual(), 3);
        scroller.GoForward();
        QCOMPARE(scroller.CurrentIndividual(), 5);
        QVERIFY(scroller.CanGoForward());
        scroller.GoForward();
        QCOMPARE(scroller.CurrentIndividual(), 7);
        QVERIFY(!scroller.CanGoForward());
        scroller.GoForward();  // nothing ahead
        QCOMPARE(scroller.CurrentIndividual(), 7);
        QCOMPARE(backAtChange.size(), size_t{7});

        scroller.GoBack();
        QCOMPARE(scroller.CurrentIndividual(), 5);
        scroller.GoBack();
        QCOMPARE(scroller.CurrentIndividual(), 3);
        scroller.GoBack();
        QCOMPARE(scroller.CurrentIndividual(), 1);  // where attaching started
        QVERIFY(!scroller.CanGoBack());
        QCOMPARE(backAtChange.back(), false);
        scroller.GoBack();
        QCOMPARE(scroller.CurrentIndividual(), 1);
        QCOMPARE(backAtChange.size(), size_t{10});  // one change per move, none for no move

        // The forward history survives a return to the start.
        scroller.GoForward();
        QCOMPARE(scroller.CurrentIndividual(), 3);
        scroller.GoForward();
        QCOMPARE(scroller.CurrentIndividual(), 5);

        // Going somewhere leaves the forward history alone; going to the
        // individual shown still tells the listeners.
        scroller.GoToIndividual(8);
        QVERIFY(scroller.CanGoForward());
        size_t before = backAtChange.size();
        scroller.GoToIndividual(8);
        QCOMPARE(backAtChange.size(), before + 1);

        // Reaching the next forward entry by other means uses it up.
        scroller.GoToIndividual(7);
        before = backAtChange.size();
        scroller.GoForward();
        QCOMPARE(scroller.CurrentIndividual(), 7);
        QVERIFY(!scroller.CanGoForward());
        QCOMPARE(backAtChange.size(), before);
    }

    void userScrollingIsHistoryButDraggingIsNot() {
        WIndScroll scroller;
        QVERIFY(Attach(scroller));
        QScrollBar* bar = scroller.ScrollBar();
        QSignalSpy changed(&scroller, &WIndScroll::Changed);

        scroller.GoToIndividual(3);
        scroller.GoToIndividual(5);
        scroller.GoBack();
        QVERIFY(scroller.CanGoForward());
        bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        QCOMPARE(scroller.CurrentIndividual(), 4);
        QVERIFY(!scroller.CanGoForward());
        QCOMPARE(scroller.Label()->text(), QStringLiteral(" 4 - Dora /Lee/, , "));
        // The scrolled-to individual is recorded: back and forward again.
        scroller.GoBack();
        QCOMPARE(scroller.CurrentIndividual(), 3);
        scroller.GoForward();
        QCOMPARE(scroller.CurrentIndividual(), 4);

        // A drag: the individuals passed are shown but only the end counts.
        scroller.GoToIndividual(2);
        changed.clear();
        bar->setSliderDown(true);
        bar->setSliderPosition(5);
        bar->setSliderPosition(7);
        bar->setSliderDown(false);
        QCOMPARE(scroller.CurrentIndividual(), 7);
        QCOMPARE(changed.count(), 2);
        scroller.GoBack();
        QCOMPARE(scroller.CurrentIndividual(), 2);
        scroller.GoForward();
        QCOMPARE(scroller.CurrentIndividual(), 7);

        // Keys move the scroll bar and are recorded like clicks.
        QTest::keyClick(bar, Qt::Key_End);
        QCOMPARE(scroller.CurrentIndividual(), 9);
        QTest::keyClick(bar, Qt::Key_Home);
        QCOMPARE(scroller.CurrentIndividual(), 1);
        QTest::keyClick(bar, Qt::Key_PageDown);
        QCOMPARE(scroller.CurrentIndividual(), 2);
        QTest::keyClick(bar, Qt::Key_Down);
        QCOMPARE(scroller.CurrentIndividual(), 3);
        QTest::keyClick(bar, Qt::Key_Up);
        QCOMPARE(scroller.CurrentIndividual(), 2);
        scroller.GoBack();
        QCOMPARE(scroller.CurrentIndividual(), 3);
        scroller.GoBack();
        QCOMPARE(scroller.CurrentIndividual(), 2);
        scroller.GoBack();
        QCOMPARE(scroller.CurrentIndividual(), 1);
        scroller.GoBack();
        QCOMPARE(scroller.CurrentIndividual(), 9);
    }

    void goingBeyondTheEndOrOutsideTheIsland() {
        WIndScroll scroller;
        QVERIFY(Attach(scroller));
        QSignalSpy changed(&scroller, &WIndScroll::Changed);
        scroller.GoToIndividual(99);
        QCOMPARE(scroller.CurrentIndividual(), 9);
        QCOMPARE(scroller.ScrollBar()->value(), 9);
        scroller.GoToIndividual(0);
        scroller.GoToIndividual(-4);
        QCOMPARE(scroller.CurrentIndividual(), 9);
        QCOMPARE(changed.count(), 1);

        // Island 2 holds Gus and Hana only.
        scroller.SetCollection(nullptr, nullptr);
        view_->Use(analysis_->Islands(), 2);
        scroller.SetCollection(family_.get(), view_.get());
        QCOMPARE(scroller.ScrollBar()->maximum(), 2);
        QCOMPARE(scroller.CurrentIndividual(), 7);
        QCOMPARE(scroller.Label()->text(), QStringLiteral(" 7 - Gus /Roe/, , "));
        scroller.GoToIndividual(8);
        QCOMPARE(scroller.CurrentIndividual(), 8);
        QCOMPARE(scroller.ScrollBar()->value(), 2);
        scroller.GoToIndividual(3);
        QCOMPARE(scroller.CurrentIndividual(), 7);
        // The history starts at the island's first individual.
        scroller.GoBack();
        QCOMPARE(scroller.CurrentIndividual(), 8);
        scroller.GoBack();
        QCOMPARE(scroller.CurrentIndividual(), 7);
        QVERIFY(!scroller.CanGoBack());
    }

    void highlightedStepsAndLabelColours() {
        WIndScroll scroller;
        QVERIFY(Attach(scroller));
        // Surnames containing R: Erin Ray, Gus and Hana Roe.
        auto group = Group("+29:1R");
        scroller.SetGroup(group.get());
        QVERIFY(scroller.NextHighlightedButton()->isEnabled());
        QVERIFY(scroller.PrevHighlightedButton()->isEnabled());
        QCOMPARE(scroller.NextHighlightedButton()->toolTip(),
                 QStringLiteral("Next Highlighted Individual"));
        QCOMPARE(scroller.PrevHighlightedButton()->toolTip(),
                 QStringLiteral("Previous Highlighted Individual"));
        QCOMPARE(scroller.Label()->palette().color(QPalette::Window), ButtonFace());

        scroller.NextHighlightedButton()->click();
        QCOMPARE(scroller.CurrentIndividual(), 5);
        // The default highlight colour 65535 is yellow (COLORREF 0x00BBGGRR).
        QCOMPARE(scroller.Label()->palette().color(QPalette::Window), QColor(255, 255, 0));
        QCOMPARE(scroller.Label()->palette().color(QPalette::WindowText), QColor(Qt::black));
        scroller.NextHighlighted();
        QCOMPARE(scroller.CurrentIndividual(), 7);
        scroller.NextHighlighted();
        QCOMPARE(scroller.CurrentIndividual(), 8);
        // From the last highlighted individual nothing changes.
        QSignalSpy changed(&scroller, &WIndScroll::Changed);
        scroller.NextHighlighted();
        QCOMPARE(scroller.CurrentIndividual(), 8);
        QCOMPARE(changed.count(), 0);
        scroller.PrevHighlightedButton()->click();
        QCOMPARE(scroller.CurrentIndividual(), 7);
        scroller.GoToIndividual(4);
        scroller.PrevHighlighted();
        QCOMPARE(scroller.CurrentIndividual(), 4);  // nobody before Erin

        // New colours reach the label when it is rewritten.
        scroller.GoToIndividual(5);
        WOptions::SetInt(opt::kHLCol, 0x00FF00);
        WOptions::SetInt(opt::kHLTCol, 0x0000FF);
        QCOMPARE(scroller.Label()->palette().color(QPalette::Window), QColor(255, 255, 0));
        scroller.RewriteLabel();
        QCOMPARE(scroller.Label()->palette().color(QPalette::Window), QColor(0, 255, 0));
        QCOMPARE(scroller.Label()->palette().color(QPalette::WindowText), QColor(255, 0, 0));
        scroller.SetGroup(nullptr);
        QVERIFY(!scroller.NextHighlightedButton()->isEnabled());
        QCOMPARE(scroller.Label()->palette().color(QPalette::Window), ButtonFace());
        scroller.NextHighlighted();
        QCOMPARE(scroller.CurrentIndividual(), 5);

        // In island 1 (everyone but Gus and Hana) Erin is the only one.
        scroller.SetCollection(nullptr, nullptr);
        view_->Use(analysis_->Islands(), 1);
        scroller.SetCollection(family_.get(), view_.get());
        scroller.SetGroup(group.get());
        QCOMPARE(scroller.ScrollBar()->maximum(), 7);
        scroller.NextHighlighted();
        QCOMPARE(scroller.CurrentIndividual(), 5);
        scroller.NextHighlighted();
        QCOMPARE(scroller.CurrentIndividual(), 5);
        scroller.GoToIndividual(9);
        QCOMPARE(scroller.ScrollBar()->value(), 7);
        scroller.PrevHighlighted();
        QCOMPARE(scroller.CurrentIndividual(), 5);
    }

    void spousesAndChildrenMenu() {
        WIndScroll scroller;
        QVERIFY(Attach(scroller));
        WSelectionButton* button = scroller.SelectionButton();
        // Adam's families: F3 first (both undated, and the missing wife's
        // empty name sorts first), then F1 with Carl (who has a child) before
        // the undated Dora.
        Open(button);
        QCOMPARE(button->ItemString(), QStringLiteral("Spouse: <No Given Name>;"
                                                      "      1950 Ivy /Lee/;"
                                                      "Spouse: Beth /Lee/;"
                                                      "   < 1930 Carl /Lee/;"
                                                      "              Dora /Lee/ "));
        QCOMPARE(scroller.FamilyList(), (std::vector<int32_t>{0, 9, 2, 3, 4}));
        button->Choose(1);  // the missing wife: nowhere to go
        QCOMPARE(scroller.CurrentIndividual(), 1);
        button->Choose(4);
        QCOMPARE(scroller.CurrentIndividual(), 3);

        // Carl: the list follows the individual shown when it opens.
        Open(button);
        QCOMPARE(button->ItemString(), QStringLiteral("Spouse: Erin /Ray/;      1960 Finn /Lee/ "));
        button->Choose(2);
        QCOMPARE(scroller.CurrentIndividual(), 6);
        button->Choose(7);  // beyond the list
        QCOMPARE(scroller.CurrentIndividual(), 6);

        // The wife's menu names the husband.
        scroller.GoToIndividual(8);
        Open(button);
        QCOMPARE(button->ItemString(), QStringLiteral("Spouse: Gus /Roe/ "));
        button->Choose(1);
        QCOMPARE(scroller.CurrentIndividual(), 7);

        // A ";" in a name must not split an item and shift the entries.
        auto semicolon = Load(
            "0 HEAD\n0 @I1@ INDI\n1 NAME Ann /Semi;colon/\n1 FAMS @F1@\n"
            "0 @I2@ INDI\n1 NAME Bob /Lee/\n1 FAMS @F1@\n0 @I3@ INDI\n1 NAME Cy /Lee/\n"
            "1 FAMC @F1@\n0 @F1@ FAM\n1 HUSB @I2@\n1 WIFE @I1@\n1 CHIL @I3@\n0 TRLR\n",
            QStringLiteral("semicolon.ged"));
        QVERIFY(semicolon);
        scroller.SetCollection(semicolon.get(), nullptr);
        scroller.GoToIndividual(2);
        Open(button);
        QCOMPARE(button->ItemString(), QStringLiteral("Spouse: Ann /Semi,colon/;"
                                                      "              Cy /Lee/ "));
        button->Choose(2);
        QCOMPARE(scroller.CurrentIndividual(), 3);
        scroller.SetCollection(nullptr, nullptr);
    }

    void largeFileSteps() {
        // One couple with 600 children: a page is 6 individuals, and the
        // menu stops at 500 entries (the spouse and 499 children).
        std::string text = "0 HEAD\n0 @P1@ INDI\n1 NAME Pa /Big/\n0 @P2@ INDI\n1 NAME Ma /Big/\n";
        std::string family = "0 @F1@ FAM\n1 HUSB @P1@\n1 WIFE @P2@\n";
        for (int i = 1; i <= 598; ++i) {
            text += "0 @C" + std::to_string(i) + "@ INDI\n1 NAME C" + std::to_string(i) + "\n";
            family += "1 CHIL @C" + std::to_string(i) + "@\n";
        }
        // Undated children would be reordered; keep the loaded order.
        WOptions::SetFlag(opt::kSortChildren, false);
        auto big = Load(text + family + "0 TRLR\n", QStringLiteral("big.ged"));
        QVERIFY(big);
        WIndScroll scroller;
        scroller.SetCollection(big.get(), nullptr);
        QCOMPARE(scroller.ScrollBar()->maximum(), 600);
        QCOMPARE(scroller.ScrollBar()->pageStep(), 6);
        scroller.ScrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
        QCOMPARE(scroller.CurrentIndividual(), 7);

        scroller.GoToIndividual(1);
        Open(scroller.SelectionButton());
        QCOMPARE(scroller.FamilyList().size(), size_t{WIndScroll::kMaxFamilyList});
        QCOMPARE(scroller.SelectionButton()->Menu()->actions().size(),
                 qsizetype{WIndScroll::kMaxFamilyList});
        QCOMPARE(scroller.FamilyList().back(), 501);  // child 499 is individual 501
        scroller.SelectionButton()->Choose(WIndScroll::kMaxFamilyList);
        QCOMPARE(scroller.CurrentIndividual(), 501);
        scroller.SetCollection(nullptr, nullptr);
    }

    void fileWithoutIndividuals() {
        auto empty = Load("0 HEAD\n0 TRLR\n", QStringLiteral("empty.ged"));
        QVERIFY(empty);
        WIndScroll scroller;
        QSignalSpy changed(&scroller, &WIndScroll::Changed);
        scroller.SetCollection(empty.get(), nullptr);
        QCOMPARE(changed.count(), 1);  // the pages are shown blank
        QVERIFY(!scroller.ScrollBar()->isEnabled());
        QVERIFY(scroller.Label()->text().isEmpty());
        QCOMPARE(scroller.CurrentIndividual(), 0);
        QVERIFY(!scroller.FatherButton()->isEnabled());
        QVERIFY(!scroller.MotherButton()->isEnabled());
        QVERIFY(!scroller.SelectionButton()->isEnabled());

        FamilyAnalysis analysis(*empty);
        WHLGroup group(&analysis);
        group.SetConditionString("-29:1X");  // would highlight anyone
        group.Refresh();
        scroller.SetGroup(&group);
        scroller.NextHighlighted();
        scroller.PrevHighlighted();
        scroller.GoToIndividual(1);
        QVERIFY(!scroller.CanGoBack());  // there was nowhere to go
        QCOMPARE(scroller.CurrentIndividual(), 0);
        QVERIFY(scroller.Label()->text().isEmpty());
        emit scroller.SelectionButton()->BeforeShow();
        QVERIFY(scroller.SelectionButton()->ItemString().isEmpty());
        scroller.SetCollection(nullptr, nullptr);
    }

    void layoutFollowsTheWidth() {
        WIndScroll scroller;
        scroller.show();
        QCOMPARE(scroller.height(), 41);
        scroller.resize(400, 41);
        QCOMPARE(scroller.ScrollBar()->x(), 21);
        QCOMPARE(scroller.ScrollBar()->y(), 20);
        QCOMPARE(scroller.ScrollBar()->width(), 358);
        QCOMPARE(scroller.PrevHighlightedButton()->pos(), QPoint(3, 20));
        QCOMPARE(scroller.NextHighlightedButton()->pos(), QPoint(381, 20));
        QCOMPARE(scroller.PrevHighlightedButton()->size(), QSize(16, 16));
        QCOMPARE(scroller.FatherButton()->x(), 349);
        QCOMPARE(scroller.MotherButton()->x(), 365);
        QCOMPARE(scroller.SelectionButton()->x(), 381);
        QCOMPARE(scroller.FatherButton()->size(), QSize(16, 17));
        QCOMPARE(scroller.Label()->geometry(), QRect(3, 1, 343, 14));
        QVERIFY(!scroller.ScrollBar()->isHidden());

        // Too narrow for the scroll row.
        scroller.resize(8, 41);
        QVERIFY(scroller.ScrollBar()->isHidden());
        QVERIFY(scroller.PrevHighlightedButton()->isHidden());
        QVERIFY(scroller.NextHighlightedButton()->isHidden());
        QCOMPARE(scroller.ScrollBar()->width(), 1);
        scroller.resize(300, 41);
        QVERIFY(!scroller.ScrollBar()->isHidden());
        QVERIFY(!scroller.NextHighlightedButton()->isHidden());
        QCOMPARE(scroller.ScrollBar()->width(), 258);
        QCOMPARE(scroller.Label()->width(), 243);

        QCOMPARE(scroller.Label()->font().family(), QStringLiteral("Arial"));
        scroller.SetLabelFontSize(12);
        QCOMPARE(scroller.Label()->font().pointSize(), 12);
        QCOMPARE(scroller.Label()->height(), 18);
        QCOMPARE(scroller.Label()->width(), 243);
    }

    void panelHeightFollowsLinesAndFont() {
        TIndInfoPanel panel;
        // Created with an 8-point font: lines 13 pixels high.
        QCOMPARE(panel.LinesToShow(), 3);
        QCOMPARE(panel.height(), 43);
        panel.SetLinesToShow(1);
        QCOMPARE(panel.height(), 15);
        panel.SetLinesToShow(2);
        QCOMPARE(panel.height(), 29);
        panel.SetLinesToShow(0);
        QCOMPARE(panel.LinesToShow(), 2);
        panel.SetLinesToShow(4);
        QCOMPARE(panel.LinesToShow(), 2);
        QCOMPARE(panel.height(), 29);

        // After a font change lines are the size plus 6.
        panel.SetFontSize(10);
        QCOMPARE(panel.LineHeight(), 16);
        QCOMPARE(panel.height(), 35);
        panel.SetLinesToShow(3);
        QCOMPARE(panel.height(), 52);
        panel.SetLinesToShow(1);
        QCOMPARE(panel.height(), 18);
        panel.SetFontSize(8);
        QCOMPARE(panel.height(), 16);
    }

    void panelPaintsFrameAndLdsBox() {
        TIndInfoPanel panel;
        panel.resize(100, panel.height());
        panel.SetPanelColor(Qt::white);
        panel.SetUseLDS(true);
        const int cell = panel.LDSCellWidth();
        QCOMPARE(cell, 7);  // the offscreen screen has 96 dpi
        const int left = 100 - 4 * cell - 5;
        const int bottom = panel.LineHeight();  // last row of the name line

        QImage image = panel.grab().toImage();
        const QColor black(Qt::black);
        QCOMPARE(image.pixelColor(0, 20), black);
        QCOMPARE(image.pixelColor(99, 20), black);
        QCOMPARE(image.pixelColor(50, 0), black);
        QCOMPARE(image.pixelColor(50, panel.height() - 1), black);
        QCOMPARE(image.pixelColor(50, 20), QColor(Qt::white));
        QCOMPARE(image.pixelColor(left, 5), black);
        QCOMPARE(image.pixelColor(left - 1, 5), QColor(Qt::white));
        QCOMPARE(image.pixelColor(left + 10, bottom), black);  // bottom edge under the box
        QCOMPARE(image.pixelColor(left - 10, bottom), QColor(Qt::white));

        // One line: the frame closes the box, its left edge reaches it.
        panel.SetLinesToShow(1);
        image = panel.grab().toImage();
        QCOMPARE(image.pixelColor(left + 10, bottom), QColor(Qt::white));
        QCOMPARE(image.pixelColor(left, bottom), black);
        QCOMPARE(image.pixelColor(left + 10, bottom + 1), black);

        // Without LDS there is no box.
        panel.SetUseLDS(false);
        image = panel.grab().toImage();
        QCOMPARE(image.pixelColor(left, 5), QColor(Qt::white));
    }

    void fillWritesTextsFlagsAndColours() {
        family_ = Load(kFamily);
        QVERIFY(family_);
        analysis_ = std::make_unique<FamilyAnalysis>(*family_);
        TIndInfoPanel panel;
        WOptions::SetFlag(opt::kUseLDS, true);

        FillIndividualPanel(panel, family_.get(), nullptr, 2);
        QCOMPARE(panel.NameString(), QStringLiteral("Beth /Lee/"));
        QCOMPARE(panel.BirthString(), QStringLiteral("1905"));
        QCOMPARE(panel.DeathString(), QString());
        QVERIFY(panel.UseLDS());
        QVERIFY(panel.LDSBap());
        QVERIFY(!panel.LDSEnd());
        QVERIFY(panel.LDSSP());
        QVERIFY(panel.LDSSS());  // F1 is sealed
        QCOMPARE(panel.PanelColor(), QColor(Qt::white));
        QCOMPARE(panel.FontColor(), QColor(Qt::black));
        QCOMPARE(panel.Individual(), 2);
        QCOMPARE(panel.toolTip(), HintText(family_->PersonSummary(2)));
        QVERIFY(panel.toolTip().startsWith(QStringLiteral("Name :Beth /Lee/\n")));

        // Adam shares the sealed family.
        FillIndividualPanel(panel, family_.get(), nullptr, 1);
        QCOMPARE(panel.BirthString(), QStringLiteral("1900, Leeds"));
        QVERIFY(!panel.LDSBap());
        QVERIFY(!panel.LDSSP());
        QVERIFY(panel.LDSSS());

        FillIndividualPanel(panel, family_.get(), nullptr, 5);
        QVERIFY(!panel.LDSBap());
        QVERIFY(panel.LDSEnd());
        QVERIFY(!panel.LDSSS());

        // A place without a date stands alone.
        FillIndividualPanel(panel, family_.get(), nullptr, 3);
        QCOMPARE(panel.BirthString(), QStringLiteral("5 Mar 1930, York"));
        QCOMPARE(panel.DeathString(), QStringLiteral("Hull"));

        // Christening and burial stand in, in brackets, when FamBirChr is on.
        FillIndividualPanel(panel, family_.get(), nullptr, 4);
        QCOMPARE(panel.BirthString(), QStringLiteral("[1933, York]"));
        QCOMPARE(panel.DeathString(), QStringLiteral("[2001]"));
        QVERIFY(!panel.LDSBap());
        QVERIFY(panel.LDSSP());
        WOptions::SetFlag(opt::kFamBirChr, false);
        FillIndividualPanel(panel, family_.get(), nullptr, 4);
        QCOMPARE(panel.BirthString(), QString());
        QCOMPARE(panel.DeathString(), QString());

        // Highlight colours come from the group.
        WOptions::SetInt(opt::kHLTCol, 0x0000FF);
        auto group = Group("+29:1LEE");
        FillIndividualPanel(panel, family_.get(), group.get(), 3);
        QCOMPARE(panel.PanelColor(), QColor(255, 255, 0));
        QCOMPARE(panel.FontColor(), QColor(255, 0, 0));
        FillIndividualPanel(panel, family_.get(), group.get(), 5);
        QCOMPARE(panel.PanelColor(), QColor(Qt::white));
        QCOMPARE(panel.FontColor(), QColor(Qt::black));

        // Settings off: no LDS letters, no hint.
        WOptions::SetFlag(opt::kUseLDS, false);
        WOptions::SetFlag(opt::kShowIndHint, false);
        FillIndividualPanel(panel, family_.get(), nullptr, 2);
        QVERIFY(!panel.UseLDS());
        QVERIFY(!panel.LDSBap());
        QVERIFY(panel.toolTip().isEmpty());

        // With one line only the name is written.
        TIndInfoPanel single;
        single.SetLinesToShow(1);
        FillIndividualPanel(single, family_.get(), nullptr, 3);
        QCOMPARE(single.NameString(), QStringLiteral("Carl /Lee/"));
        QVERIFY(single.BirthString().isEmpty());
        QVERIFY(single.DeathString().isEmpty());

        // Nobody (0, or a number beyond the file) clears the panel.
        for (int32_t nobody : {0, 99}) {
            FillIndividualPanel(panel, family_.get(), nullptr, 3);
            FillIndividualPanel(panel, family_.get(), nullptr, nobody);
            QVERIFY(panel.NameString().isEmpty());
            QVERIFY(panel.BirthString().isEmpty());
            QVERIFY(panel.DeathString().isEmpty());
            QCOMPARE(panel.PanelColor(), ButtonFace());
            QCOMPARE(panel.Individual(), 0);
        }
    }

    void doubleClickNamesTheIndividual() {
        TIndInfoPanel panel;
        panel.resize(120, panel.height());
        panel.show();
        QSignalSpy clicked(&panel, &TIndInfoPanel::DoubleClicked);
        QTest::mouseDClick(&panel, Qt::LeftButton);
        QCOMPARE(clicked.count(), 0);  // nobody shown
        panel.SetIndividual(3);
        QTest::mouseDClick(&panel, Qt::LeftButton);
        QCOMPARE(clicked.count(), 1);
        QCOMPARE(clicked.at(0).at(0).value<int32_t>(), 3);

        // Through the scroller, as the pages use it.
        WIndScroll scroller;
        QVERIFY(Attach(scroller));
        connect(&panel, &TIndInfoPanel::DoubleClicked, &scroller, &WIndScroll::GoToIndividual);
        QTest::mouseDClick(&panel, Qt::LeftButton);
        QCOMPARE(scroller.CurrentIndividual(), 3);
    }
};

}  // namespace vx

QTEST_MAIN(vx::IndScrollTest)
#include "IndScrollTest.moc"
