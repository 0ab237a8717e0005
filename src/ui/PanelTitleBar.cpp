#include "ui/PanelTitleBar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QStyle>
#include <QToolButton>

namespace vx {
namespace {

// Room round the caption and the button inside the strip.
constexpr int kCaptionInset = 4;
constexpr int kEdge = 1;

}  // namespace

TPanelTitleBar::TPanelTitleBar(const QString& title, const char* closeName,
                               const QString& closeHint, QWidget* parent)
    : QFrame(parent), close_(new QToolButton) {
    auto* caption = new QLabel(title);
    QFont bold = caption->font();
    bold.setBold(true);
    caption->setFont(bold);
    close_->setObjectName(closeName);
    close_->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton));
    close_->setAutoRaise(true);
    close_->setToolTip(closeHint);

    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Mid);
    auto* bar = new QHBoxLayout(this);
    bar->setContentsMargins(kCaptionInset, kEdge, kEdge, kEdge);
    bar->addWidget(caption, 1);
    bar->addWidget(close_);
}

}  // namespace vx
