// A small flat button that opens a drop-down menu of text items and
// remembers the chosen one: the find-mode button, the scroller's spouse and
// children button, the condition editors' match modes.
#pragma once

#include <QString>
#include <QToolButton>

class QMenu;

namespace vx {

class WSelectionButton : public QToolButton {
    Q_OBJECT

  public:
    explicit WSelectionButton(QWidget* parent = nullptr);

    // Items separated by ";"; an item that is exactly "-" is a separator.
    // Rebuilding keeps the chosen number.
    void SetItemString(const QString& items);
    const QString& ItemString() const { return itemString_; }
    // The chosen item, counted from 1 over selectable items; 0 for none.
    int ItemSelected() const { return itemSelected_; }
    void SetItemSelected(int item);
    // Whether the caption follows the chosen item.
    void SetUpdateCaption(bool update) { updateCaption_ = update; }
    bool UpdateCaption() const { return updateCaption_; }
    // The text of selectable item n, or empty.
    QString ItemText(int item) const;
    QMenu* Menu() const { return menu_; }
    // Chooses selectable item n as if picked from the menu.
    void Choose(int item);

  signals:
    // Before the menu opens: owners fill the items that depend on the moment.
    void BeforeShow();
    void ItemChanged(int item);

  private:
    void OpenMenu();

    QMenu* menu_;
    QString itemString_;
    int itemSelected_ = 0;
    bool updateCaption_ = false;
};

}  // namespace vx
