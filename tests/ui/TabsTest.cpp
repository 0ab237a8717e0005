// The tabs keep their positions: the setting LastTab stores the position of
// the tab shown last, so a renumbering would reopen files on the wrong tab.
#include <QtTest>

#include "ui/Tabs.h"

namespace vx {

class TabsTest : public QObject {
    Q_OBJECT

  private slots:
    void StoredPositionsNeverChange() {
        QCOMPARE(int(Tab::Sender), 0);
        QCOMPARE(int(Tab::General), 1);
        QCOMPARE(int(Tab::Pedigree), 4);
        QCOMPARE(int(Tab::List), 6);
        QCOMPARE(int(Tab::Highlighted), 7);
        QCOMPARE(int(Tab::Sources), 9);
        QCOMPARE(int(Tab::Count), 10);
    }
};

}  // namespace vx

QTEST_APPLESS_MAIN(vx::TabsTest)
#include "TabsTest.moc"
