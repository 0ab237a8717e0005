// The Pedigree tab: five generations of ancestors of the Active Individual
// as 31 staggered panels joined by lines, the spouse of the family shown at
// the bottom, and on the left the lists of siblings and children. The
// content comes from PedigreePage; this file only shows it and passes
// double-clicks on.
#pragma once

#include <QWidget>
#include <array>
#include <cstdint>

#include "exports/PedigreePage.h"

class QLabel;
class QListWidget;
class QToolButton;

namespace vx {

class WABSCollection;
class WHLGroup;
class TIndInfoPanel;
class TPedigreeListDelegate;
struct PageContext;

// The chart area: the ancestor panels, the spouse panel with its button,
// the "+" buttons, and the lines between the generations.
class TPedigreeChart : public QWidget {
    Q_OBJECT

  public:
    static constexpr int kPlusButtons = 16;

    explicit TPedigreeChart(QWidget* parent = nullptr);

    // Panel k of the chart, 1 to 31.
    TIndInfoPanel* Panel(int k) const { return panels_[static_cast<size_t>(k)]; }
    TIndInfoPanel* SpousePanel() const { return spouse_; }
    QToolButton* SpouseButton() const { return spouseButton_; }
    // The "+" beside panel 15 + k, k from 1 to 16.
    QToolButton* PlusButton(int k) const { return plus_[static_cast<size_t>(k)]; }
    QLabel* SpousePlus() const { return spousePlus_; }
    // Places every control for the chart's present size.
    void LayOut();

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    std::array<TIndInfoPanel*, kPedigreePanels + 1> panels_{};
    TIndInfoPanel* spouse_;
    QToolButton* spouseButton_;
    std::array<QToolButton*, kPlusButtons + 1> plus_{};
    QLabel* spousePlus_;
};

class TPedigreePage : public QWidget {
    Q_OBJECT

  public:
    explicit TPedigreePage(QWidget* parent = nullptr);

    // Shows the ancestors of the Active Individual. The spouse shown stays
    // the same while the subject does; a new subject starts at its first
    // family. Without a file the panels and lists are cleared; without an
    // Active Individual nothing changes.
    void Refresh(const PageContext& context);
    // The spouse button: the next family, after the last the first.
    void NextSpouse();
    // Hides or shows the column of siblings and children.
    void SetLeftColumnVisible(bool visible);

    const PedigreePage& Model() const { return page_; }
    TPedigreeChart* Chart() const { return chart_; }
    TIndInfoPanel* Panel(int k) const { return chart_->Panel(k); }
    TIndInfoPanel* SpousePanel() const { return chart_->SpousePanel(); }
    QToolButton* SpouseButton() const { return chart_->SpouseButton(); }
    QToolButton* PlusButton(int k) const { return chart_->PlusButton(k); }
    QListWidget* SiblingsList() const { return siblings_; }
    QListWidget* ChildrenList() const { return children_; }
    QLabel* SiblingsCaption() const { return siblingsCaption_; }
    QLabel* ChildrenCaption() const { return childrenCaption_; }
    QWidget* LeftColumn() const { return left_; }

  signals:
    // A panel, a "+" button or a list item asked for this individual.
    void IndividualChosen(int32_t individual);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void ShowPage();
    void ClearPage();
    void FillList(QListWidget* list, const std::vector<int32_t>& people);
    void LayOutLeftColumn();

    PedigreePage page_;
    const WABSCollection* collection_ = nullptr;
    WHLGroup* group_ = nullptr;
    int fontSize_ = 8;

    QWidget* left_;
    QLabel* siblingsCaption_;
    QListWidget* siblings_;
    QLabel* childrenCaption_;
    QListWidget* children_;
    TPedigreeListDelegate* delegate_;
    QToolButton* hideLeft_;
    QToolButton* showLeft_;
    TPedigreeChart* chart_;
};

}  // namespace vx
