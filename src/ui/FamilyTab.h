// The Family tab: the Active Individual with one spouse at a time, the
// marriage date and place, the parents of both partners, and a grid of the
// couple's children with their own first spouses. The content comes from
// FamilyPage; this file only shows it and passes double-clicks on.
#pragma once

#include <QAbstractTableModel>
#include <QWidget>
#include <array>
#include <cstdint>

#include "exports/FamilyPage.h"

class QFrame;
class QLabel;
class QTableView;
class QToolButton;

namespace vx {

class WABSCollection;
class WHLGroup;
class TGridWidths;
class TIndInfoPanel;
struct PageContext;

// The children grid: captions and cells from the page, names of children
// and their spouses in their highlight colours, everything else on white.
class WFamilyGridModel : public QAbstractTableModel {
    Q_OBJECT

  public:
    explicit WFamilyGridModel(QObject* parent = nullptr);

    // Shows `page` (kept by reference) of `collection`; a null collection
    // empties the grid.
    void SetPage(const WABSCollection* collection, WHLGroup* group, const FamilyPage* page);
    // The child of a row (from 0) and that child's first spouse; 0 outside.
    int32_t ChildAt(int row) const;
    int32_t SpouseAt(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    const FamilyChildRow* Row(int row) const;

    const WABSCollection* collection_ = nullptr;
    WHLGroup* group_ = nullptr;
    const FamilyPage* page_ = nullptr;
};

class TFamilyPage : public QWidget {
    Q_OBJECT

  public:
    // The four parent panels, in the order of FamilyPage::parentHasParents.
    enum Parent { kSubjectFather, kSubjectMother, kSpouseFather, kSpouseMother };

    explicit TFamilyPage(QWidget* parent = nullptr);

    // Shows the family of the Active Individual. The spouse shown stays
    // the same while the subject does; a new subject starts at its first
    // family. Without a file every panel is cleared and the grid emptied;
    // without an Active Individual nothing changes.
    void Refresh(const PageContext& context);
    // "Next Spouse": the subject's next family, after the last the first.
    void NextSpouse();

    // The grid's column widths from the settings, and back.
    void ApplyColumnWidths();
    void StoreColumnWidths();

    const FamilyPage& Model() const { return page_; }
    QTableView* Grid() const { return grid_; }
    WFamilyGridModel& GridModel() { return gridModel_; }
    TIndInfoPanel* SubjectPanel() const { return subject_; }
    TIndInfoPanel* SpousePanel() const { return spouse_; }
    TIndInfoPanel* ParentPanel(Parent which) const { return parents_[which]; }
    QToolButton* ParentPlusButton(Parent which) const { return plus_[which]; }
    QToolButton* NextSpouseButton() const { return nextSpouse_; }
    QLabel* MarriageInfo() const { return marriageInfo_; }
    QLabel* SpouseCounter() const { return counter_; }

  signals:
    // A panel, a "+" button or a child row asked for this individual.
    void IndividualChosen(int32_t individual);

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void ShowPage();
    void ClearPage();
    void LayOut();
    TIndInfoPanel* NewPanel(const char* name);

    FamilyPage page_;
    const WABSCollection* collection_ = nullptr;
    WHLGroup* group_ = nullptr;
    int fontSize_ = 8;

    WFamilyGridModel gridModel_;
    QLabel* subjectCaption_;
    TIndInfoPanel* subject_;
    QLabel* marriageInfo_;
    QFrame* upperBevel_;
    QLabel* spouseCaption_;
    QLabel* counter_;
    QToolButton* nextSpouse_;
    TIndInfoPanel* spouse_;
    std::array<TIndInfoPanel*, 4> parents_{};
    std::array<QToolButton*, 4> plus_{};
    QFrame* lowerBevel_;
    QTableView* grid_;
    TGridWidths* widths_ = nullptr;
};

}  // namespace vx
