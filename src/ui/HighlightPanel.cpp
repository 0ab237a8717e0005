#include "ui/HighlightPanel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include "ui/HLGuiColMan.h"

namespace vx {

THighlightPanel::THighlightPanel(QWidget* parent)
    : QWidget(parent), editor_(new WHLGuiColMan), close_(new QToolButton) {
    setObjectName("HighlightPanel");
    auto* title = new QLabel("Highlighting");
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    close_->setObjectName("butCloseHighlighting");
    close_->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton));
    close_->setAutoRaise(true);
    close_->setToolTip("Close the highlighting panel");

    auto* titleBar = new QFrame;
    titleBar->setObjectName("panHLTitle");
    titleBar->setFrameShape(QFrame::StyledPanel);
    titleBar->setAutoFillBackground(true);
    titleBar->setBackgroundRole(QPalette::Mid);
    auto* bar = new QHBoxLayout(titleBar);
    bar->setContentsMargins(4, 1, 1, 1);
    bar->addWidget(title, 1);
    bar->addWidget(close_);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(titleBar);
    layout->addWidget(editor_, 1);
    connect(close_, &QToolButton::clicked, this, &THighlightPanel::CloseRequested);
}

}  // namespace vx
