#include "dialogs/InitHelpDialog.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/Options.h"

namespace vx {
namespace {

constexpr int kEntryCount = 16;

struct HelpText {
    int entry;
    const char* text;
};

constexpr HelpText kTexts[] = {
    {1,
     "This program shows the genealogy file that was packed into it. You can browse every "
     "individual, family and source, print or save reports, and copy what you see to the "
     "clipboard.\n\n"
     "Nothing you do here changes any file: the genealogy file is only read, and your "
     "preferences are kept apart from it."},
    {2,
     "This tab displays the general information of the genealogy file: the header written by "
     "the program that created it, the submitter, and counts of the individuals, families, "
     "notes and sources it holds."},
    {3,
     "This tab displays the events and facts of the individual selected in the scrollbar, one "
     "per row.\n\n"
     "The \"N\" column shows an N when the row has notes and the \"S\" column an S when it has "
     "sources. Click a row to read its notes and sources in the boxes below the table."},
    {4,
     "This tab displays the family of the selected individual: the spouse of each marriage, "
     "the parents of both, and the children of the marriage shown. Children are sorted by "
     "birth date.\n\n"
     "Double click on any individual to move to that person."},
    {5,
     "This tab displays the pedigree of the selected individual: parents, grandparents and "
     "great-grandparents.\n\n"
     "Double click on any individual to move to that person."},
    {6,
     "This tab displays all descendants of the selected individual, each generation indented "
     "below its parents, with a line for each marriage.\n\n"
     "When an individual married more than once, \"[1 of x]\" after the spouse's name tells "
     "which of the x marriages the line shows."},
    {7,
     "This tab displays all individuals of the genealogy file in a list.\n\n"
     "Use the \"Columns\" button to choose which columns are displayed and in what order. "
     "Click on a column title to sort the list by that column; click it again to reverse the "
     "order."},
    {8,
     "This tab displays only the highlighted individuals, in the same columns as the List "
     "tab.\n\n"
     "Choose who is highlighted in the Highlighting Panel."},
    {9,
     "An island is a group of individuals that are connected to each other through families "
     "but not to anybody outside the group.\n\n"
     "This tab lists the islands sorted by their number of individuals, largest first. The "
     "first individual of an island is the first of its individuals found in the file. Select "
     "an island to list its individuals below."},
    {10,
     "This tab displays all of the general sources in your genealogy file.  The bottom half of "
     "the tab displays the detailed information of the selected source in the table."},
    {14,
     "The Highlighting Panel lets you choose conditions, for example born before 1850 and "
     "without a father. Individuals that meet them are highlighted.\n\n"
     "Highlighted individuals are shown in the highlighting colour (yellow unless changed in "
     "Options) everywhere except in the Highlighted tab, which lists only them."},
    {15,
     "The Islands Panel lists the islands of the file: groups of individuals connected to "
     "each other but not to anybody outside the group.\n\n"
     "Check \"Use Islands\" to limit the scrollbar and every tab to the island selected in the "
     "panel; uncheck it to see the whole file again."},
};

// Only one QuickHelp box shows at a time.
bool gShowing = false;

}  // namespace

QString QuickHelpText(int entry) {
    for (const HelpText& help : kTexts)
        if (help.entry == entry) return help.text;
    return {};
}

TInitHelpDialog::TInitHelpDialog(int entry, const QString& title, QWidget* parent)
    : QDialog(parent),
      title_(new QLabel(title)),
      description_(new QPlainTextEdit(QuickHelpText(entry))),
      notice_(new QLabel("This help dialog box for \"" + title + "\" is only displayed once.")),
      stop_(new QCheckBox("&Stop displaying these help dialog boxes")),
      close_(new QPushButton("Close")) {
    setObjectName("InitHelpDialog");
    setWindowTitle("Quick Help");
    title_->setObjectName("labTitle");
    QFont bold = title_->font();
    bold.setBold(true);
    bold.setPointSize(bold.pointSize() + 2);
    title_->setFont(bold);
    description_->setObjectName("memDescription");
    description_->setReadOnly(true);
    description_->setTabChangesFocus(true);
    description_->setMinimumSize(420, 150);
    notice_->setObjectName("labNotice");
    notice_->setWordWrap(true);
    stop_->setObjectName("cbStop");
    close_->setObjectName("butClose");
    close_->setDefault(true);
    connect(close_, &QPushButton::clicked, this, &QDialog::accept);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(stop_);
    bottom->addStretch(1);
    bottom->addWidget(close_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title_);
    layout->addWidget(description_, 1);
    layout->addWidget(notice_);
    layout->addLayout(bottom);
    // The reader starts on Close: Enter or Esc ends the box at once.
    close_->setFocus();
}

bool TInitHelpDialog::Execute() {
    exec();
    return StopRequested();
}

bool TInitHelpDialog::StopRequested() const {
    return stop_->isChecked();
}

void TInitHelpDialog::Offer(int entry, const QString& title, QWidget* parent) {
    if (gShowing || entry < 1 || entry > kEntryCount) return;
    gShowing = true;
    bool stopAll = false;
    {
        TInitHelpDialog dialog(entry, title, parent);
        stopAll = dialog.Execute();
    }
    gShowing = false;
    RecordSeen(entry, stopAll);
}

void TInitHelpDialog::RecordSeen(int entry, bool stopAll) {
    if (entry < 1 || entry > kEntryCount) return;
    WOptions::SetFlag(opt::kIH1 + entry - 1, false);
    WOptions::SetFlag(opt::kDispInitHelp, !stopAll);
}

}  // namespace vx
