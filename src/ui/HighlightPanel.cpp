#include "ui/HighlightPanel.h"

#include <QToolButton>
#include <QVBoxLayout>

#include "ui/HLGuiColMan.h"
#include "ui/PanelTitleBar.h"

namespace vx {

THighlightPanel::THighlightPanel(QWidget* parent) : QWidget(parent), editor_(new WHLGuiColMan) {
    setObjectName("HighlightPanel");
    auto* titleBar =
        new TPanelTitleBar("Highlighting", "butCloseHighlighting", "Close the highlighting panel");
    titleBar->setObjectName("panHLTitle");
    close_ = titleBar->CloseButton();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(titleBar);
    layout->addWidget(editor_, 1);
    connect(close_, &QToolButton::clicked, this, &THighlightPanel::CloseRequested);
}

}  // namespace vx
