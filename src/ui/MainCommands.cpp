// The main window's commands: one table gives each command its menu entry,
// shortcut, toolbar button and hint; the menus and the toolbar are built
// from it, and the commands are enabled from it.
#include <QAction>
#include <QLineEdit>
#include <QMenuBar>
#include <QToolBar>
#include <map>

#include "app/Options.h"
#include "app/Services.h"
#include "dialogs/AboutBox.h"
#include "dialogs/FindDlg.h"
#include "dialogs/OptionsDlg.h"
#include "dialogs/QuickFindDlg.h"
#include "dialogs/SelectionButton.h"
#include "gedcom/GEDCollection.h"
#include "highlight/HLGroup.h"
#include "reports/PrintDlg.h"
#include "ui/FamilyTab.h"
#include "ui/FindBox.h"
#include "ui/IndScroll.h"
#include "ui/ListPage.h"
#include "ui/LogoMain.h"
#include "ui/QtText.h"

namespace vx {
namespace {

struct CommandRow {
    TLogoAppForm::Command command;
    const char* menu;      // null: toolbar only
    const char* caption;   // the menu text
    const char* shortcut;  // null: none
    const char* toolName;  // null: menu only
    const char* hint;
    bool needsFile;  // enabled only while a file is loaded
    bool checkable;
};

using C = TLogoAppForm;
constexpr CommandRow kCommands[] = {
    {C::kCmdPrint, "&File", "Print", "Ctrl+P", "sbPrint", "Print", true, false},
    {C::kCmdExit, "&File", "E&xit", nullptr, nullptr, "Exit", false, false},
    {C::kCmdCopy, "&Edit", "Copy To Clipboard", "Ctrl+C", "SpeedButton9", "Copy to Clipboard", true,
     false},
    {C::kCmdFindNext, "&Edit", "Find Next", "Ctrl+N", "butFindNext", "Find next item", true, false},
    {C::kCmdFindPrevious, "&Edit", "Find Previous", "Ctrl+Shift+N", "butFindPrevious",
     "Find previous item", true, false},
    {C::kCmdNextHighlighted, "&Edit", "Next Highlighted Individual", "Ctrl+H", nullptr,
     "Next Highlighted Individual", true, false},
    {C::kCmdPreviousHighlighted, "&Edit", "Previous Highlighted Individual", "Ctrl+Shift+H",
     nullptr, "Previous Highlighted Individual", true, false},
    {C::kCmdQuickFind, "&Edit", "Quick Find...", "Ctrl+Q", "SpeedButton8", "Quick Find", true,
     false},
    {C::kCmdAdvancedFind, "&Edit", "Advanced Find ...", "Ctrl+F", "butAdvancedFind",
     "Advanced Find", true, false},
    {C::kCmdHighlightingPanel, "&View", "Highlighting Panel", nullptr, "tbutHighLighting",
     "Highlighting Panel", true, true},
    {C::kCmdIslandsPanel, "&View", "Islands Panel", nullptr, "tbutIslands", "Islands Panel", true,
     true},
    {C::kCmdRawData, nullptr, "RAW", nullptr, "TButActualGEDData", "Show RAW GEDCOM data", true,
     true},
    {C::kCmdGoBack, nullptr, "<", nullptr, "SpeedButton10", "Go back to previous individual", true,
     false},
    {C::kCmdGoForward, nullptr, ">", nullptr, "SpeedButton12", "Go forward to previous individual",
     true, false},
    {C::kCmdOptions, "&Tools", "Options...", "Ctrl+J", nullptr, "Options", false, false},
    {C::kCmdResetQuickHelp, "&Help", "Reset Quick Help Dialog Boxes", nullptr, nullptr,
     "Reset Quick Help Dialog Boxes", false, false},
    {C::kCmdAbout, "&Help", "&About...", nullptr, nullptr, "About", false, false},
};

// The View menu's items, one per tab in tab order, so F2 to F11 open them
// from Sender to Sources.
constexpr const char* kViewItems[Tab::Count] = {
    "Sender Tab",      "General Tab", "Individual Tab",  "Family Tab",  "Pedigree Tab",
    "Descendants Tab", "List Tab",    "Highlighted Tab", "Islands Tab", "Sources Tab"};

// Toolbar button captions; menu captions carry accelerators and dots.
QString ButtonText(const CommandRow& row) {
    switch (row.command) {
        case C::kCmdPrint:
            return "Print";
        case C::kCmdCopy:
            return "Copy";
        case C::kCmdFindNext:
            return "Next";
        case C::kCmdFindPrevious:
            return "Prev";
        case C::kCmdQuickFind:
            return "Quick";
        case C::kCmdAdvancedFind:
            return "Find";
        case C::kCmdHighlightingPanel:
            return "HL";
        case C::kCmdIslandsPanel:
            return "Isl";
        default:
            return row.caption;
    }
}

}  // namespace

void TLogoAppForm::BuildCommands() {
    QToolBar* toolbar = addToolBar("Tools");
    toolbar->setObjectName("panToolBar");
    toolbar->setMovable(false);
    std::map<QString, QMenu*> menus;
    for (const char* title : {"&File", "&Edit", "&View", "&Tools", "&Help"})
        menus[title] = menuBar()->addMenu(title);

    for (int tab = 0; tab < Tab::Count; ++tab) {
        QAction* action = menus["&View"]->addAction(kViewItems[tab]);
        action->setShortcut(QKeySequence(Qt::Key_F2 + tab));
        action->setData(tab + 1);
        connect(action, &QAction::triggered, this, [this, tab] { SelectTab(tab); });
        viewActions_[static_cast<size_t>(tab)] = action;
    }
    menus["&View"]->addSeparator();

    for (const CommandRow& row : kCommands) {
        auto* action = new QAction(row.caption, this);
        const QString hint = row.hint;
        action->setToolTip(hint);
        action->setStatusTip(hint);
        action->setCheckable(row.checkable);
        if (row.shortcut) action->setShortcut(QKeySequence(row.shortcut));
        if (row.menu) menus[row.menu]->addAction(action);
        if (row.toolName) {
            QAction* button = toolbar->addAction(ButtonText(row));
            button->setObjectName(row.toolName);
            button->setToolTip(hint);
            button->setCheckable(row.checkable);
            // The button and the menu entry are one command.
            connect(button, &QAction::triggered, action, &QAction::trigger);
            connect(action, &QAction::changed, button, [action, button] {
                button->setEnabled(action->isEnabled());
                button->setChecked(action->isChecked());
            });
        }
        const Command command = row.command;
        connect(action, &QAction::triggered, this, [this, command] { RunCommand(command); });
        actions_[command] = action;
        if (!row.menu && !row.toolName) addAction(action);
    }
    // Shortcuts must work wherever the focus is inside the window.
    for (QAction* action : actions_)
        action->setShortcutContext(Qt::WindowShortcut);

    toolbar->addSeparator();
    quickSelection_ = new WSelectionButton;
    quickSelection_->setObjectName("QuickSelectionButton");
    quickSelection_->SetUpdateCaption(true);
    quickSelection_->SetItemString("Find Index:;Find REF:;Find Surname:;Find Given:");
    toolbar->addWidget(quickSelection_);
    edFind_ = new QLineEdit;
    edFind_->setObjectName("edFind");
    edFind_->setMaximumWidth(200);
    toolbar->addWidget(edFind_);
    UpdateCommands();
}

void TLogoAppForm::UpdateCommands() {
    const bool loaded = collection_ != nullptr && !loading_;
    for (const CommandRow& row : kCommands) {
        bool enabled = !row.needsFile || loaded;
        switch (row.command) {
            case kCmdGoBack:
                enabled = enabled && scroller_->CanGoBack();
                break;
            case kCmdGoForward:
                enabled = enabled && scroller_->CanGoForward();
                break;
            case kCmdNextHighlighted:
            case kCmdPreviousHighlighted:
                enabled = enabled && HasHighlighting();
                break;
            case kCmdFindNext:
            case kCmdFindPrevious:
                // The find box enables them as its matches allow.
                if (enabled) continue;
                break;
            default:
                break;
        }
        actions_[row.command]->setEnabled(enabled);
    }
    for (QAction* action : viewActions_)
        action->setEnabled(true);
    edFind_->setEnabled(loaded);
    quickSelection_->setEnabled(loaded);
}

void TLogoAppForm::RunCommand(Command command) {
    if (!actions_[command]->isEnabled()) return;
    switch (command) {
        case kCmdPrint:
            PrintReport();
            break;
        case kCmdExit:
            close();
            break;
        case kCmdCopy:
            CopyToClipboard();
            break;
        case kCmdQuickFind:
        case kCmdAdvancedFind: {
            // The find box keeps the lists, so each is sorted once per file.
            const WFindLists lists{findBox_->List(WFindBox::kReference),
                                   findBox_->List(WFindBox::kGiven),
                                   findBox_->List(WFindBox::kSurname), findBox_->DialogList()};
            int32_t chosen = 0;
            if (command == kCmdQuickFind) {
                TdlgQuickFind dialog(this, lists, group_.get(), collection_.get());
                dialog.SetSelected(scroller_->CurrentIndividual());
                if (dialog.exec() == QDialog::Accepted) chosen = dialog.Selected();
            } else {
                TWFindDlg dialog(this, lists, group_.get(), collection_.get());
                dialog.SetPreselected(scroller_->CurrentIndividual());
                if (dialog.exec() == QDialog::Accepted) chosen = dialog.Selected();
            }
            scroller_->GoToIndividual(chosen);
            break;
        }
        case kCmdAbout: {
            TVXAboutBox about(this);
            about.exec();
            break;
        }
        case kCmdFindNext:
            findBox_->FindNext();
            break;
        case kCmdFindPrevious:
            findBox_->FindPrevious();
            break;
        case kCmdNextHighlighted:
            scroller_->NextHighlighted();
            break;
        case kCmdPreviousHighlighted:
            scroller_->PrevHighlighted();
            break;
        case kCmdGoBack:
            scroller_->GoBack();
            break;
        case kCmdGoForward:
            scroller_->GoForward();
            break;
        case kCmdHighlightingPanel:
            ToggleLeftPanel(1);
            break;
        case kCmdIslandsPanel:
            ToggleLeftPanel(0);
            break;
        case kCmdRawData:
            rawMode_ = actions_[kCmdRawData]->isChecked();
            RepaintView();
            break;
        case kCmdOptions:
            ShowOptions();
            break;
        case kCmdResetQuickHelp:
            for (int key = opt::kIH1; key < opt::kIH1 + 16; ++key)
                WOptions::SetFlag(key, true);
            WOptions::SetFlag(opt::kDispInitHelp, true);
            RefreshView();
            break;
        default:
            break;  // the windows of the other commands come later
    }
    UpdateCommands();
}

// The print dialog opens on the report of the current tab, about the Active
// Individual and the marriage the Family tab shows.
void TLogoAppForm::PrintReport() {
    if (!collection_ || loading_) return;
    // The List report prints the columns as wide as the grid shows them.
    listPage_->StoreColumnWidths();
    const int32_t active = scroller_->CurrentIndividual();
    const FamilyPage& family = familyPage_->Model();
    const int marriage = family.subject == active ? family.current : 0;
    const int tab = CurrentTab();
    // The reports run with TMGTagSent off; the user's value comes back
    // however the dialog ends.
    struct TagSentOff {
        bool saved = WOptions::GetFlag(opt::kTMGTagSent);
        TagSentOff() { WOptions::SetFlag(opt::kTMGTagSent, false); }
        ~TagSentOff() { WOptions::SetFlag(opt::kTMGTagSent, saved); }
    } tagSentOff;
    reports::TPrintDlg dialog(this);
    // The Sender and Sources tabs have no report of their own.
    dialog.SelectPage(tab >= Tab::General && tab <= Tab::Islands ? tab - Tab::General : -1);
    dialog.SetSource(collection_.get(), active, marriage);
    // A list made before the file, the view or the highlighting changed is
    // out of date; the report then makes its own.
    dialog.SetIterators(IsStale(kStaleHighlighted) ? nullptr : highlightedList_.get(),
                        IsStale(Tab::List) ? nullptr : sortedList_.get());
    dialog.SetFileTitle(FileTitle());
    dialog.SetColumns(listColumns_.get(), desColumns_.get());
    dialog.SetHighlightGroup(group_.get());
    if (printDialogRunner)
        printDialogRunner(dialog);
    else
        dialog.exec();
}

// On OK the settings are saved at once, the highlighting is worked out
// again (options such as the age rule change its answers), and every page
// shows the new names, sizes and colours.
void TLogoAppForm::ShowOptions() {
    TOptionsDlg dialog(this);
    if (!dialog.Execute()) return;
    WOptions::Save();
    if (group_) {
        WaitScope wait("Calculating.  Please Wait...", false, false);
        group_->Prepare();
        scroller_->SetGroup(HasHighlighting() ? group_.get() : nullptr);
    }
    ApplyOptions();
    ApplyDisplaySizes();
    RepaintView();
    scroller_->RewriteLabel();
}

}  // namespace vx
