// The window's highlighting: the conditions the user sets, the strip that
// describes them and the choice of an individual a condition names.
#include <QApplication>
#include <QPointer>
#include <QStackedWidget>

#include "app/Services.h"
#include "dialogs/QuickFindDlg.h"
#include "gedcom/GEDCollection.h"
#include "highlight/HLGroup.h"
#include "ui/FindBox.h"
#include "ui/HLGuiColMan.h"
#include "ui/HighlightPanel.h"
#include "ui/HighlightStrip.h"
#include "ui/LogoMain.h"
#include "widgets/IndScroll.h"
#include "widgets/QtText.h"

namespace vx {

bool TLogoAppForm::HasHighlighting() const {
    return group_ && group_->ConditionCount() > 0;
}

void TLogoAppForm::ShowHighlightingPage() {
    if (ui_.leftPanel->isHidden() || leftPages_->currentIndex() != 1) ToggleLeftPanel(1);
}

void TLogoAppForm::HighlightingChanged() {
    if (!collection_ || loading_) return;
    WHLGuiColMan& editor = *ui_.highlightPanel->Editor();
    // The pages redraw with the left panel disabled; the user's place in
    // the editor comes back afterwards.
    const QPointer<QWidget> focus = QApplication::focusWidget();
    editor.SetUpdating(true);
    SetConditions(editor.HLStrings());
    if (focus && focus->isVisible()) focus->setFocus();
    editor.SetUpdating(false);
}

void TLogoAppForm::SetConditions(const std::string& conditions) {
    if (!collection_ || loading_) return;
    if (!group_) group_ = std::make_unique<WHLGroup>(analysis_.get());
    try {
        group_->SetConditionString(conditions);
        BusyScope busy;
        WaitScope wait(kCalculatingMessage, false, false);
        group_->Refresh();
    } catch (const VxError& error) {
        group_->ClearConditions();
        group_->Refresh();
        ShowMessage(error.what());
    }
    ui_.scroller->SetGroup(HasHighlighting() ? group_.get() : nullptr);
    UpdateHighlightStrip();
    RepaintView();
}

void TLogoAppForm::UpdateHighlightStrip() {
    const WHLGuiColMan& editor = *ui_.highlightPanel->Editor();
    ui_.highlightStrip->ShowText(THighlightStrip::StripText(editor.HasUnappliedChanges(),
                                                            group_.get(), editor.ConditionCount()));
}

bool TLogoAppForm::FindIndividualForCondition(QWidget* parent, int32_t& individual) {
    if (!collection_ || loading_) return false;
    const WFindLists lists{findBox_->List(WFindBox::kReference), findBox_->List(WFindBox::kGiven),
                           findBox_->List(WFindBox::kSurname), findBox_->DialogList(), view_.get()};
    // No group: a condition's individual is chosen without highlight colours.
    TdlgQuickFind dialog(parent ? parent->window() : this, lists, nullptr, collection_.get());
    dialog.SetSelected(individual);
    if (dialog.exec() != QDialog::Accepted || dialog.Selected() < 1) return false;
    individual = dialog.Selected();
    return true;
}

}  // namespace vx
