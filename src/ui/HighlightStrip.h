// The strip under the tab pages that says in words who is highlighted:
// "Highlight Individuals: " and the conditions, in the highlight colours.
#pragma once

#include <QFrame>
#include <string>

class QLabel;

namespace vx {

class WHLGroup;

class THighlightStrip : public QFrame {
    Q_OBJECT

  public:
    static constexpr const char* kPrefix = "Highlight Individuals: ";

    explicit THighlightStrip(QWidget* parent = nullptr);

    // What the strip says: a reminder while changes wait for "Apply", else
    // the group's conditions in words (a reminder to choose one when rows
    // exist but none has been chosen yet); empty without a group.
    static std::string StripText(bool unappliedChanges, const WHLGroup* group, int conditionRows);
    // Shows the text after the prefix; hidden when the text is empty or the
    // settings turn the strip off.
    void ShowText(const std::string& text);
    // The highlight colours from the settings.
    void ApplyColours();
    QLabel* Memo() const { return memo_; }

  private:
    QLabel* memo_;
};

}  // namespace vx
