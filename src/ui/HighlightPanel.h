// The highlighting page of the main window's left panel: a title bar with
// a close button over the condition editor.
#pragma once

#include <QWidget>

class QToolButton;

namespace vx {

class WHLGuiColMan;

class THighlightPanel : public QWidget {
    Q_OBJECT

  public:
    explicit THighlightPanel(QWidget* parent = nullptr);

    WHLGuiColMan* Editor() const { return editor_; }
    QToolButton* CloseButton() const { return close_; }

  signals:
    // The title bar's close button: the left panel is to be hidden.
    void CloseRequested();

  private:
    WHLGuiColMan* editor_;
    QToolButton* close_ = nullptr;
};

}  // namespace vx
