// The main window's commands: one table gives each command its menu entry,
// shortcut, toolbar button, hint, action and when it is enabled; the menus
// and the toolbar are built from it, and the commands run from it.
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
#include "dialogs/PrintDlg.h"
#include "dialogs/QuickFindDlg.h"
#include "gedcom/GEDCollection.h"
#include "highlight/HLGroup.h"
#include "ui/FamilyTab.h"
#include "ui/FindBox.h"
#include "ui/ListPage.h"
#include "ui/LogoMain.h"
#include "ui/MainDialogs.h"
#include "widgets/IndScroll.h"
#include "widgets/QtText.h"
#include "widgets/SelectionButton.h"

namespace vx {
namespace {

// The settings keys of the Quick Help entries that "Reset" offers again.
constexpr int kQuickHelpKeys = 16;

// When a command is enabled.
enum class Enabling {
    Always,
    WithFile,   // only while a file is loaded
    ByFindBox,  // while a file is loaded, as the find box's matches allow
};

using C = TLogoAppForm;

struct CommandRow {
    C::Command command;
    const char* menu;      // null: toolbar only
    const char* caption;   // the menu text
    const char* button;    // the toolbar caption (menu captions carry accelerators)
    const char* shortcut;  // null: none
    const char* toolName;  // null: menu only
    const char* hint;
    Enabling enabling;
    bool checkable;
    void (*run)(C& window);
    // A further condition of the command being enabled; null: none.
    bool (*allowed)(const C& window);
};

}  // namespace

// A friend of the window, so that each row can name its action.
struct MainCommandRows {
    static const CommandRow kRows[C::kCommandCount];
};

constexpr CommandRow MainCommandRows::kRows[C::kCommandCount] = {
    {C::kCmdPrint, "&File", "Print", "Print", "Ctrl+P", "sbPrint", "Print", Enabling::WithFile,
     false, [](C& w) { w.PrintReport(); }, nullptr},
    {C::kCmdExit, "&File", "E&xit", nullptr, nullptr, nullptr, "Exit", Enabling::Always, false,
     [](C& w) { w.close(); }, nullptr},
    {C::kCmdCopy, "&Edit", "Copy To Clipboard", "Copy", "Ctrl+C", "SpeedButton9",
     "Copy to Clipboard", Enabling::WithFile, false, [](C& w) { w.CopyToClipboard(); }, nullptr},
    {C::kCmdFindNext, "&Edit", "Find Next", "Next", "Ctrl+N", "butFindNext", "Find next item",
     Enabling::ByFindBox, false, [](C& w) { w.findBox_->FindNext(); }, nullptr},
    {C::kCmdFindPrevious, "&Edit", "Find Previous", "Prev", "Ctrl+Shift+N", "butFindPrevious",
     "Find previous item", Enabling::ByFindBox, false, [](C& w) { w.findBox_->FindPrevious(); },
     nullptr},
    {C::kCmdNextHighlighted, "&Edit", "Next Highlighted Individual", nullptr, "Ctrl+H", nullptr,
     "Next Highlighted Individual", Enabling::WithFile, false,
     [](C& w) { w.ui_.scroller->NextHighlighted(); },
     [](const C& w) { return w.HasHighlighting(); }},
    {C::kCmdPreviousHighlighted, "&Edit", "Previous Highlighted Individual", nullptr,
     "Ctrl+Shift+H", nullptr, "Previous Highlighted Individual", Enabling::WithFile, false,
     [](C& w) { w.ui_.scroller->PrevHighlighted(); },
     [](const C& w) { return w.HasHighlighting(); }},
    {C::kCmdQuickFind, "&Edit", "Quick Find...", "Quick", "Ctrl+Q", "SpeedButton8", "Quick Find",
     Enabling::WithFile, false, [](C& w) { w.FindIndividual(C::kCmdQuickFind); }, nullptr},
    {C::kCmdAdvancedFind, "&Edit", "Advanced Find ...", "Find", "Ctrl+F", "butAdvancedFind",
     "Advanced Find", Enabling::WithFile, false,
     [](C& w) { w.FindIndividual(C::kCmdAdvancedFind); }, nullptr},
    {C::kCmdHighlightingPanel, "&View", "Highlighting Panel", "HL", nullptr, "tbutHighLighting",
     "Highlighting Panel", Enabling::WithFile, true, [](C& w) { w.ToggleLeftPanel(1); }, nullptr},
    {C::kCmdIslandsPanel, "&View", "Islands Panel", "Isl", nullptr, "tbutIslands",
     "Islands Panel", Enabling::WithFile, true, [](C& w) { w.ToggleLeftPanel(0); }, nullptr},
    {C::kCmdRawData, nullptr, "RAW", "RAW", nullptr, "TButActualGEDData", "Show RAW GEDCOM data",
     Enabling::WithFile, true,
     [](C& w) {
         w.rawMode_ = w.ui_.commands[C::kCmdRawData]->isChecked();
         w.RepaintView();
     },
     nullptr},
    {C::kCmdGoBack, nullptr, "<", "<", nullptr, "SpeedButton10", "Go back to previous individual",
     Enabling::WithFile, false, [](C& w) { w.ui_.scroller->GoBack(); },
     [](const C& w) { return w.ui_.scroller->CanGoBack(); }},
    {C::kCmdGoForward, nullptr, ">", ">", nullptr, "SpeedButton12",
     "Go forward to previous individual", Enabling::WithFile, false,
     [](C& w) { w.ui_.scroller->GoForward(); },
     [](const C& w) { return w.ui_.scroller->CanGoForward(); }},
    {C::kCmdOptions, "&Tools", "Options...", nullptr, "Ctrl+J", nullptr, "Options",
     Enabling::Always, false, [](C& w) { w.ShowOptions(); }, nullptr},
    {C::kCmdResetQuickHelp, "&Help", "Reset Quick Help Dialog Boxes", nullptr,
     nullptr, nullptr, "Reset Quick Help Dialog Boxes",
     Enabling::Always, false,
     [](C& w) {
         for (int key = opt::kIH1; key < opt::kIH1 + kQuickHelpKeys; ++key)
             WOptions::SetFlag(key, true);
         WOptions::SetFlag(opt::kDispInitHelp, true);
         w.RefreshView();
     },
     nullptr},
    {C::kCmdAbout, "&Help", "&About...", nullptr, nullptr, nullptr, "About", Enabling::Always,
     false,
     [](C& w) {
         TVXAboutBox about(&w);
         about.exec();
     },
     nullptr},
};

namespace {

constexpr bool RowsFollowCommands() {
    for (int i = 0; i < C::kCommandCount; ++i)
        if (MainCommandRows::kRows[i].command != i) return false;
    return true;
}
static_assert(RowsFollowCommands(), "one row per command, in command order");

}  // namespace

void TLogoAppForm::BuildCommands() {
    QToolBar* toolbar = addToolBar("Tools");
    toolbar->setObjectName("panToolBar");
    toolbar->setMovable(false);
    std::map<QString, QMenu*> menus;
    for (const char* title : {"&File", "&Edit", "&View", "&Tools", "&Help"})
        menus[title] = menuBar()->addMenu(title);

    for (int tab = 0; tab < Tab::Count; ++tab) {
        // One item per tab in tab order, so F2 to F11 open them from Sender
        // to Sources.
        QAction* action = menus["&View"]->addAction(QString(TabCaption(tab)) + " Tab");
        action->setShortcut(QKeySequence(Qt::Key_F2 + tab));
        action->setData(tab + 1);
        connect(action, &QAction::triggered, this, [this, tab] { SelectTab(tab); });
        ui_.viewActions[static_cast<size_t>(tab)] = action;
    }
    menus["&View"]->addSeparator();

    for (const CommandRow& row : MainCommandRows::kRows) {
        auto* action = new QAction(row.caption, this);
        const QString hint = row.hint;
        action->setToolTip(hint);
        action->setStatusTip(hint);
        action->setCheckable(row.checkable);
        if (row.shortcut) action->setShortcut(QKeySequence(row.shortcut));
        if (row.menu) menus[row.menu]->addAction(action);
        if (row.toolName) {
            QAction* button = toolbar->addAction(row.button);
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
        ui_.commands[command] = action;
        if (!row.menu && !row.toolName) addAction(action);
    }
    // Shortcuts must work wherever the focus is inside the window.
    for (QAction* action : ui_.commands)
        action->setShortcutContext(Qt::WindowShortcut);

    toolbar->addSeparator();
    quickSelection_ = new WSelectionButton;
    quickSelection_->setObjectName("QuickSelectionButton");
    quickSelection_->SetUpdateCaption(true);
    quickSelection_->SetItemString("Find Index:;Find REF:;Find Surname:;Find Given:");
    toolbar->addWidget(quickSelection_);
    ui_.findText = new QLineEdit;
    ui_.findText->setObjectName("edFind");
    ui_.findText->setMaximumWidth(200);
    toolbar->addWidget(ui_.findText);
    UpdateCommands();
}

void TLogoAppForm::UpdateCommands() {
    const bool loaded = collection_ != nullptr && !loading_;
    for (const CommandRow& row : MainCommandRows::kRows) {
        if (row.enabling == Enabling::ByFindBox && loaded) continue;
        const bool enabled =
            (row.enabling == Enabling::Always || loaded) && (!row.allowed || row.allowed(*this));
        ui_.commands[row.command]->setEnabled(enabled);
    }
    for (QAction* action : ui_.viewActions)
        action->setEnabled(true);
    ui_.findText->setEnabled(loaded);
    quickSelection_->setEnabled(loaded);
}

void TLogoAppForm::RunCommand(Command command) {
    if (!ui_.commands[command]->isEnabled()) return;
    MainCommandRows::kRows[command].run(*this);
    UpdateCommands();
}

void TLogoAppForm::FindIndividual(Command command) {
    // The find box keeps the lists, so each is sorted once per file.
    const WFindLists lists{findBox_->List(WFindBox::kReference), findBox_->List(WFindBox::kGiven),
                           findBox_->List(WFindBox::kSurname), findBox_->DialogList(), view_.get()};
    int32_t chosen = 0;
    if (command == kCmdQuickFind) {
        TdlgQuickFind dialog(this, lists, group_.get(), collection_.get());
        dialog.SetSelected(ui_.scroller->CurrentIndividual());
        if (dialog.exec() == QDialog::Accepted) chosen = dialog.Selected();
    } else {
        TWFindDlg dialog(this, lists, group_.get(), collection_.get());
        dialog.SetPreselected(ui_.scroller->CurrentIndividual());
        if (dialog.exec() == QDialog::Accepted) chosen = dialog.Selected();
    }
    ui_.scroller->GoToIndividual(chosen);
}

// The print dialog opens on the report of the current tab, about the Active
// Individual and the marriage the Family tab shows.
void TLogoAppForm::PrintReport() {
    if (!collection_ || loading_) return;
    // The List report prints the columns as wide as the grid shows them.
    listTab_->StoreColumnWidths();
    const int32_t active = ui_.scroller->CurrentIndividual();
    const FamilyPage& family = pages_.family->Model();
    const int marriage = family.subject == active ? family.current : 0;
    const MainTab& tab = *tabs_[static_cast<size_t>(CurrentTab())];
    // The reports run with TMGTagSent off; the user's value comes back
    // however the dialog ends.
    struct TagSentOff {
        bool saved = WOptions::GetFlag(opt::kTMGTagSent);
        TagSentOff() { WOptions::SetFlag(opt::kTMGTagSent, false); }
        ~TagSentOff() { WOptions::SetFlag(opt::kTMGTagSent, saved); }
    } tagSentOff;
    reports::TPrintDlg dialog(this);
    dialog.SelectPage(tab.ReportPage());
    dialog.SetAnalysis(analysis_.get(), view_.get());
    dialog.SetSource(collection_.get(), active, marriage);
    // A list made before the file, the view or the highlighting changed is
    // out of date; the report then makes its own.
    dialog.SetIterators(highlightedTab_->UpToDateHighlightedList(), listTab_->UpToDateList());
    dialog.SetFileTitle(FileTitle());
    dialog.SetColumns(listColumns_.get(), desColumns_.get());
    dialog.SetHighlightGroup(group_.get());
    dialogs_->RunPrintDialog(dialog);
}

// On OK the settings are saved at once, the highlighting is worked out
// again (options such as the age rule change its answers), and every page
// shows the new names, sizes and colours.
void TLogoAppForm::ShowOptions() {
    TOptionsDlg dialog(this);
    if (!dialog.Execute()) return;
    WOptions::Save();
    if (group_) {
        WaitScope wait(kCalculatingMessage, false, false);
        group_->Prepare();
        ui_.scroller->SetGroup(HasHighlighting() ? group_.get() : nullptr);
    }
    ApplyOptions();
    ApplyDisplaySizes();
    RepaintView();
    ui_.scroller->RewriteLabel();
}

}  // namespace vx
