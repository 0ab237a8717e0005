// The viewer's application object. An exception that escapes an event
// handler (a slot, a timer, a paint) would end the program inside Qt's
// event loop; here it becomes a message and the program goes on. Code that
// can fail still catches its errors where it can put things right (a file
// that fails to load leaves an empty window): this is the last line.
#pragma once

#include <QApplication>

namespace vx {

class ViewerApplication : public QApplication {
    Q_OBJECT

  public:
    ViewerApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace vx
