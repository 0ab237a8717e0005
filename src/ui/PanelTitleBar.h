// The title bar the left panel's pages share: the page's name in bold on a
// darker strip, with a close button at its right end.
#pragma once

#include <QFrame>

class QToolButton;

namespace vx {

class TPanelTitleBar : public QFrame {
  public:
    // `closeName` names the close button; `closeHint` is its tooltip.
    TPanelTitleBar(const QString& title, const char* closeName, const QString& closeHint,
                   QWidget* parent = nullptr);

    QToolButton* CloseButton() const { return close_; }

  private:
    QToolButton* close_;
};

}  // namespace vx
