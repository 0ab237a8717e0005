// The main window's tabs behind one interface. The window refreshes the
// current tab, asks it for its clipboard text and its report, hands every
// tab the display sizes and lets every tab let go of a file that closes; it
// never needs to know which tab is which. Each tab draws on a page widget
// (the List and Highlighted tabs share one).
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "exports/TextFields.h"

class QFont;

namespace vx {

class TDescendantsPage;
class TFamilyPage;
class TGeneralPage;
class TIndividualPage;
class TIslandsPage;
class TListPage;
class TPedigreePage;
class TSourcesPage;
class WColHLIterator;
class WColSortIterator;
class WListColumns;
struct PageContext;

class MainTab {
  public:
    explicit MainTab(int tab) : tab_(tab) {}
    virtual ~MainTab() = default;
    MainTab(const MainTab&) = delete;
    MainTab& operator=(const MainTab&) = delete;

    // Shows the open file; a context without a collection shows none.
    virtual void Refresh(const PageContext& context) = 0;
    // Forgets every list and record of the file, which is about to close.
    virtual void Free() { Refresh(NoFile()); }
    // The file, the view or the highlighting changed: lists the tab keeps
    // are made again on its next refresh.
    virtual void MarkStale() {}
    // Whether "Copy to Clipboard" asks for the list format first.
    virtual bool CopiesList() const { return false; }
    // The text "Copy to Clipboard" takes; empty when the tab copies nothing.
    virtual std::string ClipboardText(const PageContext& context, ListFormat format);
    // The font and row height of the tab's grids and texts.
    virtual void ApplyDisplaySizes(const QFont& font, int rowHeight);
    // Keeps the widths of the tab's columns in the settings.
    virtual void StoreColumnWidths() {}

    // The tab's caption, its Quick Help entry (0: none) and the print
    // dialog's page of its report (-1: none).
    const char* Caption() const;
    int QuickHelpEntry() const;
    int ReportPage() const;

  protected:
    static const PageContext& NoFile();

  private:
    int tab_;
};

// The List and Highlighted tabs: one page, each tab with its own list,
// made when the tab is shown after the file, the view or the highlighting
// changed.
class ListTab final : public MainTab {
  public:
    struct Hooks {
        std::function<void()> beforeRefresh;   // the Highlighted tab's panel
        std::function<void()> startBusyTimer;  // the count of a long calculation
    };
    ListTab(int tab, TListPage& page, WListColumns& columns, bool highlighted, Hooks hooks);
    ~ListTab() override;

    void Refresh(const PageContext& context) override;
    void Free() override;
    void MarkStale() override { stale_ = true; }
    bool CopiesList() const override { return true; }
    std::string ClipboardText(const PageContext& context, ListFormat format) override;
    void ApplyDisplaySizes(const QFont& font, int rowHeight) override;
    void StoreColumnWidths() override;

    // The list as last made, or null when it is out of date (a report then
    // makes its own).
    WColSortIterator* UpToDateList() const { return stale_ ? nullptr : list_.get(); }
    // The same for the Highlighted tab, whose list also knows the colours.
    WColHLIterator* UpToDateHighlightedList() const { return stale_ ? nullptr : highlighted_; }

  private:
    TListPage& page_;
    WListColumns& columns_;
    bool highlightedTab_;
    Hooks hooks_;
    std::unique_ptr<WColSortIterator> list_;
    WColHLIterator* highlighted_ = nullptr;  // list_, on the Highlighted tab
    bool stale_ = true;
};

// The page widgets of the tabs, as the window builds them.
struct MainPages {
    TGeneralPage* general = nullptr;
    TIndividualPage* individual = nullptr;
    TFamilyPage* family = nullptr;
    TPedigreePage* pedigree = nullptr;
    TDescendantsPage* descendants = nullptr;
    TListPage* list = nullptr;
    TIslandsPage* islands = nullptr;
    TSourcesPage* sources = nullptr;
};

// The tabs in tab order, drawing on `pages`; the two list tabs are made
// by the caller and take their places in the order.
std::vector<std::unique_ptr<MainTab>> MakeMainTabs(const MainPages& pages,
                                                   std::unique_ptr<ListTab> list,
                                                   std::unique_ptr<ListTab> highlighted);

// A tab's caption before the tabs are made (the tab bar and the View menu).
const char* TabCaption(int tab);

}  // namespace vx
