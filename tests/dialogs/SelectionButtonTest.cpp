// The selection button: its menu from the item string, the chosen number
// over selectable items only, the caption that may follow the choice.
#include <QAction>
#include <QMenu>
#include <QSignalSpy>
#include <QtTest>

#include "widgets/SelectionButton.h"

namespace vx {

class SelectionButtonTest : public QObject {
    Q_OBJECT

  private slots:
    void separatorsAreNotCounted() {
        WSelectionButton button;
        button.SetItemString("A;-;B");
        const QList<QAction*> entries = button.Menu()->actions();
        QCOMPARE(entries.size(), 3);
        QVERIFY(entries[1]->isSeparator());
        QSignalSpy changed(&button, &WSelectionButton::ItemChanged);
        entries[2]->trigger();
        QCOMPARE(button.ItemSelected(), 2);
        QCOMPARE(changed.size(), 1);
        QCOMPARE(changed.front().front().toInt(), 2);
    }

    void emptyItemsCountButNotAFinalOne() {
        WSelectionButton button;
        button.SetItemString("A;;B;");
        QCOMPARE(button.Menu()->actions().size(), 3);
        QCOMPARE(button.ItemText(2), QString());
        QCOMPARE(button.ItemText(3), QString("B"));
        QCOMPARE(button.ItemText(4), QString());
    }

    void rebuildingKeepsTheChoiceAndTheCaptionFollowsOnlyWhenAsked() {
        WSelectionButton button;
        button.setText("Mode");
        button.SetItemString("Contains;Equals;Begins;Ends");
        button.Choose(3);
        QCOMPARE(button.text(), QString("Mode"));
        button.SetItemString("One;Two;Three");
        QCOMPARE(button.ItemSelected(), 3);
        button.SetUpdateCaption(true);
        button.Choose(2);
        QCOMPARE(button.text(), QString("Two"));
        button.SetItemSelected(1);
        QCOMPARE(button.text(), QString("One"));
    }

    void ownersFillTheItemsBeforeTheMenuOpens() {
        WSelectionButton button;
        connect(&button, &WSelectionButton::BeforeShow, &button,
                [&button] { button.SetItemString("Spouse: Ann & Bo;   1930 Kim"); });
        button.show();
        QTest::mouseClick(&button, Qt::LeftButton);
        QTRY_VERIFY(button.Menu()->isVisible());
        const QList<QAction*> entries = button.Menu()->actions();
        QCOMPARE(entries.size(), 2);
        // An "&" in a name is shown, not taken for a shortcut mark.
        QCOMPARE(entries[0]->text(), QString("Spouse: Ann && Bo"));
        QCOMPARE(button.ItemText(1), QString("Spouse: Ann & Bo"));
        button.Menu()->close();
    }
};

}  // namespace vx

QTEST_MAIN(vx::SelectionButtonTest)
#include "SelectionButtonTest.moc"
