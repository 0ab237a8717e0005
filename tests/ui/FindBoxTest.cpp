// The toolbar's find box over a small file: each mode's search, the steps
// through the matches with their wrap-around, and the box following the
// Active Individual.
#include <QAction>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QtTest>

#include "GedcomLoading.h"
#include "app/Options.h"
#include "gedcom/GEDCollection.h"
#include "ui/FindBox.h"
#include "widgets/IndScroll.h"
#include "widgets/SelectionButton.h"

namespace vx {
namespace {

// In "Surname, Given" order: Brown Jo (4), Smith Adam (3), Smith Joan (2),
// Smith Joe (6), Smith John (1), Smithers Bob (5).
const char* kPeople =
    "0 HEAD\n0 @I1@ INDI\n1 NAME John /Smith/\n0 @I2@ INDI\n1 NAME Joan /Smith/\n"
    "0 @I3@ INDI\n1 NAME Adam /Smith/\n0 @I4@ INDI\n1 NAME Jo /Brown/\n"
    "0 @I5@ INDI\n1 NAME Bob /Smithers/\n0 @I6@ INDI\n1 NAME Joe /Smith/\n0 TRLR\n";

}  // namespace

class FindBoxTest : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        WOptions::ResetToDefaults();
        QVERIFY(dir_.isValid());
        QVERIFY(
            test::LoadGedcomText(collection_, dir_.filePath("people.ged").toStdString(), kPeople));
        box_ = std::make_unique<QLineEdit>();
        modes_ = std::make_unique<WSelectionButton>();
        modes_->SetItemString("Find Index:;Find REF:;Find Surname:;Find Given:");
        scroller_ = std::make_unique<WIndScroll>();
        scroller_->SetCollection(collection_.get(), nullptr);
        find_ = std::make_unique<WFindBox>(*box_, *modes_, *scroller_, next_, previous_);
        find_->Attach(collection_.get(), nullptr);
        connect(scroller_.get(), &WIndScroll::Changed, find_.get(), &WFindBox::Fill);
    }
    void cleanup() {
        find_.reset();
        scroller_.reset();
        modes_.reset();
        box_.reset();
        collection_.reset();
    }

    void indexAndReferenceModesGoStraightThere() {
        find_->SetMode(WFindBox::kIndex);
        QCOMPARE(box_->text(), QString("1"));
        box_->setText("4");
        QCOMPARE(scroller_->CurrentIndividual(), 4);
        box_->setText("0");
        box_->setText("12a");
        QCOMPARE(scroller_->CurrentIndividual(), 4);
        find_->SetMode(WFindBox::kReference);
        QCOMPARE(WOptions::GetInt(opt::kQFind), 2);
        QCOMPARE(box_->text(), QString("4"));
        box_->setText("6");
        QCOMPARE(scroller_->CurrentIndividual(), 6);
        // Find Next means nothing here, and typing still works after it.
        find_->FindNext();
        QCOMPARE(scroller_->CurrentIndividual(), 6);
        box_->setText("2");
        QCOMPARE(scroller_->CurrentIndividual(), 2);
    }

    void surnameSearchStepsAndWraps() {
        find_->SetMode(WFindBox::kSurname);
        QCOMPARE(box_->text(), QString("Smith"));
        QVERIFY(next_.isEnabled());
        box_->setText("smith, jo");
        QCOMPARE(scroller_->CurrentIndividual(), 2);  // Smith, Joan
        // The box keeps what was typed while the find moves.
        QCOMPARE(box_->text(), QString("smith, jo"));
        find_->FindNext();
        QCOMPARE(scroller_->CurrentIndividual(), 6);
        find_->FindNext();
        QCOMPARE(scroller_->CurrentIndividual(), 1);
        find_->FindNext();  // Smithers, Bob does not match: back to the first
        QCOMPARE(scroller_->CurrentIndividual(), 2);
        find_->FindPrevious();  // before the first: on to the last match
        QCOMPARE(scroller_->CurrentIndividual(), 1);
        find_->FindPrevious();
        QCOMPARE(scroller_->CurrentIndividual(), 6);
    }

    void givenNameSearchStartsAtTheFirstMatch() {
        find_->SetMode(WFindBox::kGiven);
        box_->setText("jo");
        QCOMPARE(scroller_->CurrentIndividual(), 4);  // "Jo /Brown/" sorts first
        QCOMPARE(find_->Anchor(), 3);
        for (int32_t expected : {2, 6, 1, 4}) {
            find_->FindNext();
            QCOMPARE(scroller_->CurrentIndividual(), expected);
        }
        // A text that begins no name goes to the nearest entry, which past
        // the end is the last but one ("Joe /Smith/").
        box_->setText("zz");
        QCOMPARE(scroller_->CurrentIndividual(), 6);
    }

    void theBoxFollowsTheActiveIndividual() {
        find_->SetMode(WFindBox::kGiven);
        scroller_->GoToIndividual(5);
        QCOMPARE(box_->text(), QString("Bob"));
        QCOMPARE(find_->Anchor(), 0);
        box_->clear();
        QVERIFY(!next_.isEnabled());
        QVERIFY(!previous_.isEnabled());
        modes_->Choose(WFindBox::kSurname);
        QCOMPARE(find_->Mode(), int(WFindBox::kSurname));
        QCOMPARE(box_->text(), QString("Smithers"));
        find_->Reset();
        box_->setText("Smith");
        QCOMPARE(scroller_->CurrentIndividual(), 5);  // no file, no search
    }

    void namesInOtherScriptsAreFoundAndShown() {
        std::unique_ptr<WGEDCollection> scripts;
        QVERIFY(test::LoadGedcom(scripts, VELLACOR_TEST_DATA "/gedcom/scripts_utf8.ged"));
        find_->Attach(scripts.get(), nullptr);
        scroller_->SetCollection(scripts.get(), nullptr);
        collection_ = std::move(scripts);
        find_->SetMode(WFindBox::kSurname);
        box_->setText(QStringLiteral("петров"));  // typed in lower case
        QCOMPARE(scroller_->CurrentIndividual(), 3);
        box_->setText(QStringLiteral("ΠΑΠΑΔΟΠΟΎΛΟΥ, α"));
        QCOMPARE(scroller_->CurrentIndividual(), 2);
        find_->SetMode(WFindBox::kGiven);
        box_->setText(QStringLiteral("伟"));
        QCOMPARE(scroller_->CurrentIndividual(), 5);
        // Following the active individual, the box shows the name as written.
        scroller_->GoToIndividual(4);
        QCOMPARE(box_->text(), QStringLiteral("שרה"));
        modes_->Choose(WFindBox::kSurname);
        QCOMPARE(box_->text(), QStringLiteral("כהן"));
    }

  private:
    QTemporaryDir dir_;
    std::unique_ptr<WGEDCollection> collection_;
    std::unique_ptr<QLineEdit> box_;
    std::unique_ptr<WSelectionButton> modes_;
    std::unique_ptr<WIndScroll> scroller_;
    std::unique_ptr<WFindBox> find_;
    QAction next_;
    QAction previous_;
};

}  // namespace vx

QTEST_MAIN(vx::FindBoxTest)
#include "FindBoxTest.moc"
