// The print dialog: one page per report, where the user sets that report's
// options and picks the individual it is about, then prints the report,
// previews it or saves it to a file. The report itself is made by
// ReportJob from the request the dialog fills in from its controls.
#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

#include "reports/ExportFilters.h"
#include "reports/ReportRunner.h"

class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;
class QSlider;
class QSpinBox;
class QTabWidget;

namespace vx {
class FamilyAnalysis;
class IslandView;
class WIndScroll;
}  // namespace vx

namespace vx::reports {

class TPrintDlg : public QDialog {
    Q_OBJECT

  public:
    enum Mode : int { kModePrint = 0, kModePreview = 1, kModeSave = 2 };
    // The spouse-family table holds at most this many family numbers.
    static constexpr int kMaxSpouseFamilies = 254;

    explicit TPrintDlg(QWidget* parent = nullptr);
    ~TPrintDlg() override;

    // Set up in this order before the dialog is shown.
    // Makes page `page` (a ReportKind) current; other numbers leave it.
    void SelectPage(int page);
    // The file's analyses and the view the scroller and the lists walk
    // (null: the whole file); both outlive the dialog.
    void SetAnalysis(FamilyAnalysis* analysis, const IslandView* view);
    // The file, the individual the scroller starts at, and the spouse
    // family (from 1; 0 or less: the first) the spouse lists preselect.
    void SetSource(WABSCollection* collection, int32_t individual, int preferredSpouse);
    // Lists the List and Highlighted reports use as they are (not freed);
    // null lets the report make its own.
    void SetIterators(WColHLIterator* highlighted, WColSortIterator* sorted);
    void SetFileTitle(const QString& title);
    void SetColumns(WListColumns* listColumns, WListColumns* desColumns);
    void SetHighlightGroup(WHLGroup* group);

    int CurrentPage() const;
    int32_t ActiveIndividual() const;
    // The active individual's spouse families, in order, at most
    // kMaxSpouseFamilies of them.
    const std::vector<int32_t>& SpouseFamilies() const { return spouseFamilies_; }

    // The request for the current page's report, from the controls.
    ReportRequest Request() const;
    // Makes the current page's report and prints, previews or saves it
    // (to the chosen file in the chosen format). False when nothing was
    // made: no file, no individual for Family and Pedigree, a cancel.
    bool RunReport(Mode mode);
    // "Save to File": asks for the file, saves, and shows the file when
    // "View file after saved" is checked.
    void SaveToFile();
    // The name the save dialog proposes for the current page's report.
    QString DefaultFileName() const;
    // The file the last save produced; empty when it produced none.
    const QString& SavedFileName() const { return savedFile_; }
    ExportFormat SaveFormat() const { return format_; }

    // The save dialog's file types, in filter order, and the format of a
    // filter index (from 1; PDF for anything else).
    static QStringList SaveFilters();
    static ExportFormat FormatOfFilter(int filterIndex);
    // The remaining page width, in inches, of a column-area position.
    static QString ColumnWidthText(int position);

    // How the file is chosen: the proposed path in, the chosen file and its
    // filter index (from 1) out; an empty name cancels. Tests replace it.
    std::function<std::pair<QString, int>(const QString& proposed)> saveFileChooser;
    // How a saved file is shown; false when nothing could open it. Tests
    // replace it.
    std::function<bool(const QString& fileName)> fileOpener;

  protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

  private:
    QWidget* BuildGeneralPage();
    QWidget* BuildIndividualPage();
    QWidget* BuildSpousePage(QListWidget*& list, bool pedigree);
    QWidget* BuildDescendantsPage();
    QWidget* BuildListPage();
    QWidget* BuildHighlightedPage();
    QWidget* BuildIslandsPage();
    void LoadSettings();
    void StoreClosingSettings();
    void FillSpouseList();
    void ColumnAreaMoved(int position);
    void ShowColumnControls(bool show);
    void RunFromButton(Mode mode);
    std::pair<QString, int> AskSaveFile(const QString& proposed);

    WABSCollection* collection_ = nullptr;
    FamilyAnalysis* analysis_ = nullptr;
    const IslandView* view_ = nullptr;
    int preferredSpouse_ = 0;
    QString fileTitle_;
    WListColumns* listColumns_ = nullptr;
    WListColumns* desColumns_ = nullptr;
    WHLGroup* group_ = nullptr;
    WColHLIterator* highlightedList_ = nullptr;
    WColSortIterator* sortedList_ = nullptr;
    std::vector<int32_t> spouseFamilies_;
    ExportFormat format_ = ExportFormat::PDF;
    QString fileName_;
    QString savedFile_;
    bool saving_ = false;

    QWidget* body_;
    WIndScroll* scroller_;
    QTabWidget* pages_;
    QCheckBox* cbIndPrintNotes_;
    QListWidget* lbFamList_ = nullptr;
    QListWidget* lbPedList_ = nullptr;
    QRadioButton* rbSingle_ = nullptr;
    QRadioButton* rbCascading_ = nullptr;
    QSpinBox* desIndent_ = nullptr;
    QSpinBox* desGenerations_ = nullptr;
    QCheckBox* cbDesShowDup_ = nullptr;
    QCheckBox* cbDesPrintColumn_ = nullptr;
    QLabel* labDesWidthCaption_ = nullptr;
    QLabel* labDesWith_ = nullptr;
    QLabel* labDesAreaCaption_ = nullptr;
    QSlider* desTrackBar_ = nullptr;
    QWidget* desPaintBox_ = nullptr;
    QCheckBox* cbDesLines_ = nullptr;
    QCheckBox* cbListGrayLines_ = nullptr;
    QCheckBox* cbListDividerLines_ = nullptr;
    QCheckBox* cbListBoldHL_ = nullptr;
    QCheckBox* cbHLGrayLines_ = nullptr;
    QCheckBox* cbHLDividerLines_ = nullptr;
    QCheckBox* cbIslandGrayLines_ = nullptr;
    QCheckBox* cbIslandDividerLines_ = nullptr;
    QPushButton* butPrint_ = nullptr;
    QPushButton* butPreview_ = nullptr;
    QPushButton* butCancel_ = nullptr;
    QPushButton* butSaveToFile_ = nullptr;
    QCheckBox* cbViewFile_ = nullptr;
};

}  // namespace vx::reports
