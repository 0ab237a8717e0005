#include "widgets/SelectionButton.h"

#include <QAction>
#include <QMenu>

namespace vx {

WSelectionButton::WSelectionButton(QWidget* parent) : QToolButton(parent), menu_(new QMenu(this)) {
    setAutoRaise(true);
    setCursor(Qt::PointingHandCursor);
    connect(this, &QToolButton::clicked, this, &WSelectionButton::OpenMenu);
}

void WSelectionButton::SetItemString(const QString& items) {
    itemString_ = items;
    menu_->clear();
    QStringList parts = items.split(';');
    // An empty remainder after a final ";" is no item.
    if (!parts.isEmpty() && parts.last().isEmpty()) parts.removeLast();
    int selectable = 0;
    for (const QString& part : parts) {
        if (part == "-") {
            menu_->addSeparator();
            continue;
        }
        const int number = ++selectable;
        // Names may hold "&", which menus would take for a shortcut mark.
        QAction* action = menu_->addAction(QString(part).replace('&', "&&"));
        action->setData(number);
        action->setProperty("itemText", part);
        connect(action, &QAction::triggered, this, [this, number] { Choose(number); });
    }
}

QString WSelectionButton::ItemText(int item) const {
    for (QAction* action : menu_->actions())
        if (!action->isSeparator() && action->data().toInt() == item)
            return action->property("itemText").toString();
    return {};
}

void WSelectionButton::SetItemSelected(int item) {
    itemSelected_ = item;
    if (updateCaption_) setText(ItemText(item));
}

void WSelectionButton::Choose(int item) {
    SetItemSelected(item);
    emit ItemChanged(item);
}

void WSelectionButton::OpenMenu() {
    emit BeforeShow();
    menu_->popup(mapToGlobal(QPoint(0, 0)));
}

}  // namespace vx
