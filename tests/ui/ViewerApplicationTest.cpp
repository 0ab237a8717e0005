// The viewer's application object turns an exception that escapes an event
// handler into a message, and the program goes on handling events.
#include <QTimer>
#include <QtTest>
#include <stdexcept>

#include "QtTestSupport.h"
#include "app/Services.h"
#include "ui/ViewerApplication.h"

namespace vx {
namespace {

// Throws from its event handler, as a slot or a paint might.
class Thrower : public QObject {
  public:
    bool event(QEvent* event) override {
        if (event->type() == QEvent::User) throw std::runtime_error("no room in the folder");
        return QObject::event(event);
    }
};

}  // namespace

class ViewerApplicationTest : public QObject {
    Q_OBJECT

  private slots:
    void escapedErrorsBecomeMessages() {
        int argc = 1;
        char name[] = "viewer";
        char* argv[] = {name, nullptr};
        ViewerApplication application(argc, argv);
        test::RecordingServices services;
        SetUiServices(&services);

        Thrower thrower;
        QEvent event(QEvent::User);
        QVERIFY(!QCoreApplication::sendEvent(&thrower, &event));
        QCOMPARE(services.messages, std::vector<std::string>{"no room in the folder"});

        // From a timer inside the event loop, and something that is no
        // standard exception at all; later events still arrive.
        bool later = false;
        QTimer::singleShot(0, [] { throw 42; });
        QTimer::singleShot(0, [] { throw std::bad_alloc(); });
        QTimer::singleShot(0, [&] { later = true; });
        QTRY_VERIFY(later);
        QCOMPARE(services.messages.size(), size_t{3});
        QCOMPARE(services.messages[1], std::string("An unexpected error occurred."));
        QCOMPARE(services.messages[2], std::string(std::bad_alloc().what()));
        SetUiServices(nullptr);
    }
};

}  // namespace vx

QTEST_APPLESS_MAIN(vx::ViewerApplicationTest)
#include "ViewerApplicationTest.moc"
