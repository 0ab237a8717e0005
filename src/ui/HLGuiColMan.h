// The highlighting condition editor of the left panel: a column of up to
// ten condition rows (a sign, a kind and the kind's parameter editor)
// joined by And/Or rows, with "Add", "Delete" and, when changes are to be
// collected first, "Apply". It writes the condition string the highlight
// group reads, such as "+17:F;A;+44:5100".
#pragma once

#include <QWidget>
#include <string>
#include <vector>

#include "ui/HLOptions.h"

class QComboBox;
class QScrollArea;
class QToolButton;
class QVBoxLayout;

namespace vx {

// One condition: the sign button ("+" plain, "-" negated), the list of
// kinds and, for a kind with a parameter, its editor underneath.
class WHLGuiCond : public QWidget {
    Q_OBJECT

  public:
    // `kinds`: the kind numbers the list offers, in line order; the editor
    // panel owns them.
    explicit WHLGuiCond(const std::vector<int>& kinds, QWidget* parent = nullptr);

    // "+13", "-17:F", "+29:1SMITH".
    std::string HLCondStr() const;
    // Sets sign, kind and parameter from such a text; a kind the list does
    // not offer shows the first line. Raises no change. Errors:
    // EConvertError when the kind is not a number.
    void SetHLCondStr(const std::string& text);
    void SetContext(const WHLContext* context);

    bool IsNegated() const { return negated_; }
    int Kind() const;
    // What a click on the sign button does.
    void ToggleSign();
    // What choosing line `line` (from 0) of the list does.
    void ChooseLine(int line);

    QToolButton* SignButton() const { return sign_; }
    QComboBox* KindList() const { return kindList_; }
    WHLABSOption* Editor() const { return editor_; }

  signals:
    void Changed();

  private:
    void FillLines();
    void ShowSign();
    void ShowCaptionHint();
    // The editor of the kind in its initial state (none for most kinds).
    void CreateEditor(int kind);

    const std::vector<int>& kinds_;
    QToolButton* sign_;
    QComboBox* kindList_;
    WHLABSOption* editor_ = nullptr;
    const WHLContext* context_ = nullptr;
    bool negated_ = false;
};

// The operator between two conditions: a button reading "And" or "Or"
// between two lines.
class WHLGuiBool : public QWidget {
    Q_OBJECT

  public:
    explicit WHLGuiBool(QWidget* parent = nullptr);

    // True for AND. Setting it raises no change.
    bool BoolValue() const { return value_; }
    void SetBoolValue(bool value);
    QToolButton* Button() const { return button_; }

  signals:
    void Changed();

  private:
    bool value_ = true;
    QToolButton* button_;
};

// The editor panel over a fixed list of offered kinds.
class WHLGuiMan : public QWidget {
    Q_OBJECT

  public:
    static constexpr int kMaxConditions = 10;

    ~WHLGuiMan() override;

    // The condition string; empty while any row still shows the
    // placeholder "Select a Condition".
    std::string HLStrings() const;
    // Rebuilds the rows from a condition string: signs and kinds, the
    // parameters each editor can read, the operators. A string of more than
    // ten conditions is ignored. Raises no change and leaves nothing to
    // apply. Errors: EConvertError for an entry whose kind is not a number
    // (the rows then stay as they were).
    void SetHLStrings(const std::string& text);

    // The open file (or none) for every row; leaves nothing to apply.
    void SetContext(const WHLContext& context);
    const WHLContext& Context() const { return context_; }
    // Brackets an evaluation: changes made meanwhile are collected and
    // reported once more when it ends. Ignored in manual-apply mode.
    void SetUpdating(bool updating);
    // With manual apply on, changes wait for "Apply". Turning it off with
    // changes waiting reports them.
    void SetManualApply(bool manual);
    bool ManualApply() const { return manual_; }
    int ConditionCount() const { return static_cast<int>(rows_.size()); }
    bool HasUnappliedChanges() const { return manual_ && changed_; }

    // The three buttons.
    void Add();
    void Delete();
    void Apply();

    WHLGuiCond* Row(int i) const { return rows_.at(static_cast<size_t>(i)); }
    // The operator above row i (1 and up).
    WHLGuiBool* Operator(int i) const { return operators_.at(static_cast<size_t>(i - 1)); }
    QToolButton* AddButton() const { return add_; }
    QToolButton* DeleteButton() const { return delete_; }
    QToolButton* ApplyButton() const { return apply_; }

  signals:
    // The conditions changed and are to be evaluated now.
    void ConditionsChanged();
    // Something to show changed (changes waiting, or applied) without an
    // evaluation.
    void StateChanged();

  protected:
    explicit WHLGuiMan(std::vector<int> kinds, QWidget* parent = nullptr);

  private:
    void AddRow(bool takeFocus);
    void RemoveAllRows();
    void ReportChange();
    void UpdateButtons();
    void ScrollTo(WHLGuiCond* row);
    void RestoreTabOrder();

    std::vector<int> kinds_;
    WHLContext context_;
    std::vector<WHLGuiCond*> rows_;
    std::vector<WHLGuiBool*> operators_;
    QToolButton* add_;
    QToolButton* delete_;
    QToolButton* apply_;
    QScrollArea* scroll_;
    QVBoxLayout* rowLayout_;
    bool hold_ = false;
    bool changed_ = false;
    bool manual_ = false;
};

// The main window's editor: every condition kind but the one without a
// test, in a fixed order of lines.
class WHLGuiColMan : public WHLGuiMan {
    Q_OBJECT

  public:
    explicit WHLGuiColMan(QWidget* parent = nullptr);
};

}  // namespace vx
