#include "ui/MainTabs.h"

#include <QFont>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTableView>
#include <initializer_list>
#include <iterator>

#include "app/Options.h"
#include "app/Services.h"
#include "columns/ListColumns.h"
#include "exports/DescendantsText.h"
#include "exports/FamilyPage.h"
#include "exports/GeneralPage.h"
#include "exports/IndividualPage.h"
#include "exports/IslandsText.h"
#include "exports/ListText.h"
#include "exports/PedigreePage.h"
#include "gedcom/GEDCollection.h"
#include "highlight/ColHLIterator.h"
#include "ui/DescendantsTab.h"
#include "ui/FamilyTab.h"
#include "ui/GeneralTab.h"
#include "ui/IndividualTab.h"
#include "ui/IslandsTab.h"
#include "ui/ListPage.h"
#include "ui/LogoMain.h"
#include "ui/PageContext.h"
#include "ui/PedigreeTab.h"
#include "ui/SourcesTab.h"

namespace vx {
namespace {

using Form = TLogoAppForm;

struct TabRow {
    const char* caption;
    int quickHelp;   // the entry offered when the tab is refreshed; 0: none
    int reportPage;  // the print dialog's page; -1: the tab has no report
};

constexpr TabRow kTabRows[Tab::Count] = {
    {"Sender", 0, -1},  {"General", 2, 0},     {"Individual", 3, 1}, {"Family", 4, 2},
    {"Pedigree", 5, 3}, {"Descendants", 6, 4}, {"List", 7, 5},       {"Highlighted", 8, 6},
    {"Islands", 9, 7},  {"Sources", 10, -1},
};

void SetFonts(const QFont& font, std::initializer_list<QWidget*> texts) {
    for (QWidget* text : texts)
        text->setFont(font);
}

// The Sender tab: its page is filled when a file is opened, not refreshed.
class SenderTab final : public MainTab {
  public:
    using MainTab::MainTab;
    void Refresh(const PageContext&) override {}
};

class GeneralTab final : public MainTab {
  public:
    GeneralTab(int tab, TGeneralPage& page) : MainTab(tab), page_(page) {}
    void Refresh(const PageContext& context) override { page_.Refresh(context); }
    std::string ClipboardText(const PageContext& context, ListFormat) override {
        return GeneralText(*context.collection, context.fileName, context.raw);
    }

  private:
    TGeneralPage& page_;
};

class IndividualTab final : public MainTab {
  public:
    IndividualTab(int tab, TIndividualPage& page) : MainTab(tab), page_(page) {}
    void Refresh(const PageContext& context) override { page_.Refresh(context); }
    std::string ClipboardText(const PageContext& context, ListFormat) override {
        return IndividualText(*context.collection, context.active, context.raw);
    }

  private:
    TIndividualPage& page_;
};

class FamilyTab final : public MainTab {
  public:
    FamilyTab(int tab, TFamilyPage& page) : MainTab(tab), page_(page) {}
    void Refresh(const PageContext& context) override { page_.Refresh(context); }
    std::string ClipboardText(const PageContext& context, ListFormat) override {
        return FamilyText(*context.collection, page_.Model());
    }
    void StoreColumnWidths() override { page_.StoreColumnWidths(); }

  private:
    TFamilyPage& page_;
};

class PedigreeTab final : public MainTab {
  public:
    PedigreeTab(int tab, TPedigreePage& page) : MainTab(tab), page_(page) {}
    void Refresh(const PageContext& context) override { page_.Refresh(context); }
    std::string ClipboardText(const PageContext& context, ListFormat) override {
        return PedigreeText(*context.collection, page_.Model());
    }

  private:
    TPedigreePage& page_;
};

class DescendantsTab final : public MainTab {
  public:
    DescendantsTab(int tab, TDescendantsPage& page) : MainTab(tab), page_(page) {}
    void Refresh(const PageContext& context) override { page_.Refresh(context); }
    std::string ClipboardText(const PageContext& context, ListFormat) override {
        const WDesIterator* list = page_.Model().List();
        return list ? DescendantsText(*context.collection, *list) : std::string();
    }
    void ApplyDisplaySizes(const QFont& font, int rowHeight) override {
        SetGridSizes(*page_.Grid(), font, rowHeight);
        page_.ApplyColumnWidths();
    }

  private:
    TDescendantsPage& page_;
};

class IslandsTab final : public MainTab {
  public:
    IslandsTab(int tab, TIslandsPage& page) : MainTab(tab), page_(page) {}
    void Refresh(const PageContext& context) override { page_.Refresh(context); }
    bool CopiesList() const override { return true; }
    std::string ClipboardText(const PageContext& context, ListFormat format) override {
        return IslandsText(*context.analysis, format);
    }
    void ApplyDisplaySizes(const QFont& font, int rowHeight) override {
        SetGridSizes(*page_.IslandGrid(), font, rowHeight);
        SetGridSizes(*page_.MemberGrid(), font, rowHeight);
        page_.ApplyColumnWidths();
        SetFonts(font, {page_.FoundLabel(), page_.MembersLabel()});
    }

  private:
    TIslandsPage& page_;
};

// The Sources tab copies nothing.
class SourcesTab final : public MainTab {
  public:
    SourcesTab(int tab, TSourcesPage& page) : MainTab(tab), page_(page) {}
    void Refresh(const PageContext& context) override { page_.Refresh(context); }
    void ApplyDisplaySizes(const QFont& font, int rowHeight) override {
        SetGridSizes(*page_.Grid(), font, rowHeight);
        page_.ApplyColumnWidths();
        SetFonts(font,
                 {page_.FoundLabel(), page_.NoteMemo(), page_.TextMemo(), page_.RepositoryMemo()});
    }

  private:
    TSourcesPage& page_;
};

}  // namespace

std::string MainTab::ClipboardText(const PageContext&, ListFormat) {
    return {};
}

void MainTab::ApplyDisplaySizes(const QFont&, int) {}

const char* MainTab::Caption() const {
    return TabCaption(tab_);
}

int MainTab::QuickHelpEntry() const {
    return kTabRows[tab_].quickHelp;
}

int MainTab::ReportPage() const {
    return kTabRows[tab_].reportPage;
}

const PageContext& MainTab::NoFile() {
    static const PageContext none;
    return none;
}

const char* TabCaption(int tab) {
    return kTabRows[tab].caption;
}

ListTab::ListTab(int tab, TListPage& page, WListColumns& columns, bool highlighted, Hooks hooks)
    : MainTab(tab),
      page_(page),
      columns_(columns),
      highlightedTab_(highlighted),
      hooks_(std::move(hooks)) {}

ListTab::~ListTab() = default;

void ListTab::Refresh(const PageContext& context) {
    if (hooks_.beforeRefresh) hooks_.beforeRefresh();
    if (!context.collection) {
        page_.ShowList(nullptr, nullptr, highlightedTab_, 0);
        return;
    }
    columns_.SetBasePerson(context.active);
    if (stale_) {
        page_.ShowList(nullptr, nullptr, highlightedTab_, context.active);
        columns_.SetSortIterator(nullptr);
        if (!highlightedTab_ && WOptions::GetFlag(opt::kSortFirstColumn) &&
            columns_.ColumnCount() > 0)
            columns_.SortByColumn(1);
        BusyScope busy;
        if (highlightedTab_) {
            list_.reset();
            highlighted_ = nullptr;
            if (context.group) {
                if (hooks_.startBusyTimer) hooks_.startBusyTimer();
                WaitScope wait(kCalculatingMessage, false, true);
                auto made = std::make_unique<WColHLIterator>(*context.group, context.collection,
                                                             context.view);
                if (made->Cancelled()) {
                    // Nothing half-found is shown; the list stays stale, so
                    // the next visit works it out again.
                    page_.ShowCancelled();
                    return;
                }
                highlighted_ = made.get();
                list_ = std::move(made);
            }
        } else {
            list_ = std::make_unique<WColSortIterator>(context.collection, context.view);
        }
        stale_ = false;
    }
    columns_.SetSortIterator(list_.get());
    page_.ShowList(list_.get(), context.group, highlightedTab_, context.active);
}

void ListTab::Free() {
    page_.ShowList(nullptr, nullptr, false, 0);
    columns_.SetSortIterator(nullptr);
    list_.reset();
    highlighted_ = nullptr;
}

std::string ListTab::ClipboardText(const PageContext&, ListFormat format) {
    WColSortIterator* list = page_.Model().List();
    if (!list) return {};
    page_.StoreColumnWidths();
    return ListText(columns_, *list, format);
}

// The page is sized once, by the List tab.
void ListTab::ApplyDisplaySizes(const QFont& font, int rowHeight) {
    if (highlightedTab_) return;
    SetGridSizes(*page_.Grid(), font, rowHeight);
    page_.ApplyColumnWidths();
    page_.CountLabel()->setFont(font);
}

void ListTab::StoreColumnWidths() {
    if (!highlightedTab_) page_.StoreColumnWidths();
}

std::vector<std::unique_ptr<MainTab>> MakeMainTabs(const MainPages& pages,
                                                   std::unique_ptr<ListTab> list,
                                                   std::unique_ptr<ListTab> highlighted) {
    std::vector<std::unique_ptr<MainTab>> tabs;
    tabs.push_back(std::make_unique<SenderTab>(Tab::Sender));
    tabs.push_back(std::make_unique<GeneralTab>(Tab::General, *pages.general));
    tabs.push_back(std::make_unique<IndividualTab>(Tab::Individual, *pages.individual));
    tabs.push_back(std::make_unique<FamilyTab>(Tab::Family, *pages.family));
    tabs.push_back(std::make_unique<PedigreeTab>(Tab::Pedigree, *pages.pedigree));
    tabs.push_back(std::make_unique<DescendantsTab>(Tab::Descendants, *pages.descendants));
    tabs.push_back(std::move(list));
    tabs.push_back(std::move(highlighted));
    tabs.push_back(std::make_unique<IslandsTab>(Tab::Islands, *pages.islands));
    tabs.push_back(std::make_unique<SourcesTab>(Tab::Sources, *pages.sources));
    return tabs;
}

}  // namespace vx
