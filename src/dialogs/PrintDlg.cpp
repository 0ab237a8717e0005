#include "dialogs/PrintDlg.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSlider>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTabWidget>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>
#include <array>
#include <memory>
#include <string>

#include "app/Errors.h"
#include "app/Options.h"
#include "app/Services.h"
#include "archive/SenderRecord.h"
#include "gedcom/ABSCollection.h"
#include "records/Individual.h"
#include "reports/ABSReportForm.h"
#include "reports/ReportProgress.h"
#include "widgets/IndScroll.h"
#include "widgets/QtText.h"

namespace vx::reports {
namespace {

struct FileType {
    const char* filter;
    ExportFormat format;
};
// In the order of the save dialog's filter indexes, from 1.
constexpr FileType kFileTypes[] = {
    {"PDF (*.pdf)", ExportFormat::PDF},
    {"HTML (*.htm)", ExportFormat::HTML},
    {"Rich Text Format (*.rtf)", ExportFormat::RTF},
    {"JPEG (*.jpg)", ExportFormat::JPEG},
    {"Bitmap (*.bmp)", ExportFormat::BMP},
    {"Enhanced Meta File (*.emf)", ExportFormat::EMF},
};

// What follows the file title or the individual's name in the proposed
// file name, by report kind.
constexpr std::array<const char*, kReportKindCount> kNameEndings = {
    " - General Info", " - Individual", " - Family",         " - Pedigree",
    " - Descendants",  " - List",       " - Highlight List", " - Islands"};

constexpr const char* kSpouseText =
    "Marriages of Active Individual.  Please select which Spouse to be used in the report";
constexpr const char* kColumnWidthText =
    "The column widths in this report are based on the column widths displayed in the "
    "List/Highlighted tabs.  Therefore, if you increase the width of a column on the screen, "
    "that column will be printed with the large width size.";

// The column-area track bar covers 72 steps of the 8.5-inch page.
constexpr int kColumnAreaSteps = 72;
constexpr double kPageInches = 8.5;

// A sketch of a Descendants page: the name lines at the top and, in grey,
// the part of the width given to the columns.
class WColumnAreaBox : public QWidget {
  public:
    explicit WColumnAreaBox(const QSlider& trackBar) : trackBar_(trackBar) {
        setFixedHeight(36);
        setMinimumWidth(2 * kColumnAreaSteps);
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        const int w = width();
        const int h = height();
        painter.fillRect(rect(), Qt::white);
        painter.setPen(Qt::black);
        painter.drawRect(0, 0, w - 1, h - 1);
        painter.drawLine(w / 4, 5, w * 3 / 4, 5);
        painter.drawLine(0, 10, w - 1, 10);
        const int left = trackBar_.value() * w / kColumnAreaSteps;
        painter.fillRect(QRect(left, 11, w - 1 - left, h - 12), QColor(192, 192, 192));
    }

  private:
    const QSlider& trackBar_;
};

// Names in file names carry neither titles nor the slashes around the
// surname; the user's choices come back however the name was made.
class PlainNames {
  public:
    PlainNames()
        : preSuf_(WOptions::GetFlag(opt::kPreSuf)), nameSlash_(WOptions::GetFlag(opt::kNameSlash)) {
        WOptions::SetFlag(opt::kPreSuf, false);
        WOptions::SetFlag(opt::kNameSlash, false);
    }
    ~PlainNames() {
        WOptions::SetFlag(opt::kPreSuf, preSuf_);
        WOptions::SetFlag(opt::kNameSlash, nameSlash_);
    }
    PlainNames(const PlainNames&) = delete;
    PlainNames& operator=(const PlainNames&) = delete;

  private:
    bool preSuf_;
    bool nameSlash_;
};

// The dialog's controls are out of reach while a file is written. Only the
// contents are disabled: Qt would disable the progress window, a child of
// the dialog, along with the dialog itself.
class SavingScope {
  public:
    SavingScope(QWidget& body, bool& saving) : body_(body), saving_(saving) {
        saving_ = true;
        body_.setEnabled(false);
    }
    ~SavingScope() {
        body_.setEnabled(true);
        saving_ = false;
    }
    SavingScope(const SavingScope&) = delete;
    SavingScope& operator=(const SavingScope&) = delete;

  private:
    QWidget& body_;
    bool& saving_;
};

QCheckBox* NewCheck(const char* name, const QString& caption) {
    auto* box = new QCheckBox(caption);
    box->setObjectName(name);
    return box;
}

QLabel* WrappedLabel(const char* text) {
    auto* label = new QLabel(text);
    label->setWordWrap(true);
    return label;
}

// The selected row of a list, -1 when none is selected.
int SelectedRow(const QListWidget& list) {
    const QList<QListWidgetItem*> selected = list.selectedItems();
    return selected.isEmpty() ? -1 : list.row(selected.front());
}

// "PDF (*.pdf)" -> "pdf".
QString FilterSuffix(const QString& filter) {
    static const QRegularExpression suffix(R"(\*\.(\w+))");
    const QRegularExpressionMatch match = suffix.match(filter);
    return match.hasMatch() ? match.captured(1) : QString();
}

}  // namespace

TPrintDlg::TPrintDlg(QWidget* parent)
    : QDialog(parent),
      body_(new QWidget),
      scroller_(new WIndScroll),
      pages_(new QTabWidget),
      cbIndPrintNotes_(NewCheck("cbIndPrintNotes", "Print Notes in the Report")) {
    setObjectName("PrintDlg");
    setWindowTitle("Print Dialog");
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(body_);
    auto* layout = new QVBoxLayout(body_);

    scroller_->setObjectName("IndScroll");
    layout->addWidget(scroller_);

    pages_->setObjectName("PageControl");
    // Every report's tab in sight: the dialog grows to hold them.
    pages_->setUsesScrollButtons(false);
    pages_->addTab(BuildGeneralPage(), "General");
    pages_->addTab(BuildIndividualPage(), "Individual");
    pages_->addTab(BuildSpousePage(lbFamList_, false), "Family");
    pages_->addTab(BuildSpousePage(lbPedList_, true), "Pedigree");
    pages_->addTab(BuildDescendantsPage(), "Descendants");
    pages_->addTab(BuildListPage(), "List");
    pages_->addTab(BuildHighlightedPage(), "Highlighted");
    pages_->addTab(BuildIslandsPage(), "Islands");
    layout->addWidget(pages_, 1);

    auto* buttons = new QHBoxLayout;
    butPrint_ = new QPushButton("Print");
    butPrint_->setObjectName("butPrint");
    butPreview_ = new QPushButton("Preview");
    butPreview_->setObjectName("butPreview");
    butPreview_->setDefault(true);
    butCancel_ = new QPushButton("Cancel");
    butCancel_->setObjectName("butCancel");
    butSaveToFile_ = new QPushButton("Save to File");
    butSaveToFile_->setObjectName("butSaveToFile");
    cbViewFile_ = NewCheck("cbViewFile", "View file after saved");
    buttons->addWidget(butPrint_);
    buttons->addWidget(butPreview_);
    buttons->addWidget(butCancel_);
    buttons->addStretch(1);
    buttons->addWidget(butSaveToFile_);
    buttons->addWidget(cbViewFile_);
    layout->addLayout(buttons);

    LoadSettings();

    connect(butPrint_, &QPushButton::clicked, this, [this] { RunFromButton(kModePrint); });
    connect(butPreview_, &QPushButton::clicked, this, [this] { RunFromButton(kModePreview); });
    connect(butCancel_, &QPushButton::clicked, this, &TPrintDlg::reject);
    connect(butSaveToFile_, &QPushButton::clicked, this, &TPrintDlg::SaveToFile);
    connect(scroller_, &WIndScroll::Changed, this, &TPrintDlg::FillSpouseList);
    connect(pages_, &QTabWidget::currentChanged, this, [this](int page) {
        if (page == kReportFamily || page == kReportPedigree) FillSpouseList();
    });
    // These take effect at once: the reports read them from the settings.
    connect(desTrackBar_, &QSlider::valueChanged, this, &TPrintDlg::ColumnAreaMoved);
    connect(cbDesPrintColumn_, &QCheckBox::toggled, this, [this](bool on) {
        WOptions::SetFlag(opt::kDesPC, on);
        ShowColumnControls(on);
    });
    connect(cbDesLines_, &QCheckBox::toggled, this,
            [](bool on) { WOptions::SetFlag(opt::kDesDLines, on); });
    connect(cbIndPrintNotes_, &QCheckBox::toggled, this,
            [](bool on) { WOptions::SetFlag(opt::kIndNotes, on); });
    connect(cbViewFile_, &QCheckBox::toggled, this,
            [](bool on) { WOptions::SetFlag(opt::kViewSaved, on); });

    fileOpener = [](const QString& fileName) {
        return QDesktopServices::openUrl(QUrl::fromLocalFile(fileName));
    };
    // At least 465 by 272; the controls need more room in Qt's fonts.
    resize(sizeHint().expandedTo(QSize(465, 272)));
}

TPrintDlg::~TPrintDlg() {
    StoreClosingSettings();
}

QWidget* TPrintDlg::BuildGeneralPage() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    auto* text = new QLabel("No options to select");
    text->setAlignment(Qt::AlignCenter);
    layout->addWidget(text);
    return page;
}

QWidget* TPrintDlg::BuildIndividualPage() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(cbIndPrintNotes_);
    layout->addStretch(1);
    return page;
}

QWidget* TPrintDlg::BuildSpousePage(QListWidget*& list, bool pedigree) {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(WrappedLabel(kSpouseText));
    list = new QListWidget;
    list->setObjectName(pedigree ? "lbPedList" : "lbFamList");
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    if (!pedigree) {
        layout->addWidget(list, 1);
        return page;
    }
    auto* row = new QHBoxLayout;
    row->addWidget(list, 1);
    auto* sheets = new QVBoxLayout;
    rbSingle_ = new QRadioButton("Single Sheet");
    rbSingle_->setObjectName("rbSingle");
    rbCascading_ = new QRadioButton("Cascading Sheets");
    rbCascading_->setObjectName("rbCascading");
    auto* group = new QButtonGroup(page);
    group->addButton(rbSingle_);
    group->addButton(rbCascading_);
    sheets->addWidget(rbSingle_);
    sheets->addWidget(rbCascading_);
    sheets->addStretch(1);
    row->addLayout(sheets);
    layout->addLayout(row, 1);
    return page;
}

QWidget* TPrintDlg::BuildDescendantsPage() {
    auto* page = new QWidget;
    auto* layout = new QHBoxLayout(page);

    auto* left = new QGridLayout;
    desIndent_ = new QSpinBox;
    desIndent_->setObjectName("DesIndentSpinEdit");
    desIndent_->setRange(0, 255);
    desGenerations_ = new QSpinBox;
    desGenerations_->setObjectName("DesGenSpinEdit");
    desGenerations_->setRange(1, 32);
    auto* indentLabel = new QLabel("Indent amount:");
    indentLabel->setBuddy(desIndent_);
    auto* generationsLabel = new QLabel("Generations to show:");
    generationsLabel->setBuddy(desGenerations_);
    cbDesShowDup_ = NewCheck("cbDesShowDup", "Repeat individuals");
    cbDesLines_ = NewCheck("CbDesLines", "Draw divider lines between individuals");
    left->addWidget(indentLabel, 0, 0);
    left->addWidget(desIndent_, 0, 1);
    left->addWidget(generationsLabel, 1, 0);
    left->addWidget(desGenerations_, 1, 1);
    left->addWidget(cbDesShowDup_, 2, 0, 1, 2);
    left->addWidget(cbDesLines_, 3, 0, 1, 2);
    left->setRowStretch(4, 1);
    layout->addLayout(left);

    auto* columns = new QGroupBox;
    columns->setObjectName("gbDesColumns");
    auto* grid = new QGridLayout(columns);
    cbDesPrintColumn_ = NewCheck("cbDesPrintColumn", "Print Columns");
    labDesWidthCaption_ = new QLabel("Width:");
    labDesWith_ = new QLabel;
    labDesWith_->setObjectName("labDesWith");
    labDesAreaCaption_ = new QLabel("Width of area used for columns");
    desTrackBar_ = new QSlider(Qt::Horizontal);
    desTrackBar_->setObjectName("DesTrackBar");
    desTrackBar_->setRange(18, 54);
    desTrackBar_->setPageStep(9);
    desTrackBar_->setTickInterval(9);
    desTrackBar_->setTickPosition(QSlider::TicksBelow);
    desPaintBox_ = new WColumnAreaBox(*desTrackBar_);
    desPaintBox_->setObjectName("desPaintBox");
    grid->addWidget(cbDesPrintColumn_, 0, 0, 1, 2);
    grid->addWidget(labDesWidthCaption_, 1, 0);
    grid->addWidget(labDesWith_, 1, 1);
    grid->addWidget(labDesAreaCaption_, 2, 0, 1, 2);
    grid->addWidget(desTrackBar_, 3, 0, 1, 2);
    grid->addWidget(desPaintBox_, 4, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(5, 1);
    layout->addWidget(columns, 1);
    return page;
}

QWidget* TPrintDlg::BuildListPage() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(WrappedLabel(kColumnWidthText));
    cbListGrayLines_ = NewCheck("cbListGrayLines", "Grey alternating lines");
    cbListDividerLines_ = NewCheck("cbListDividerLines", "Draw divider lines between individuals");
    cbListBoldHL_ = NewCheck("cbListBoldHL", "Indicate highlighted individuals with \"*\"");
    layout->addWidget(cbListGrayLines_);
    layout->addWidget(cbListDividerLines_);
    layout->addWidget(cbListBoldHL_);
    layout->addStretch(1);
    return page;
}

QWidget* TPrintDlg::BuildHighlightedPage() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(WrappedLabel(kColumnWidthText));
    cbHLGrayLines_ = NewCheck("cbHLGrayLines", "Grey alternating lines");
    cbHLDividerLines_ = NewCheck("cbHLDividerLines", "Draw divider lines between individuals");
    layout->addWidget(cbHLGrayLines_);
    layout->addWidget(cbHLDividerLines_);
    layout->addStretch(1);
    return page;
}

QWidget* TPrintDlg::BuildIslandsPage() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    cbIslandGrayLines_ = NewCheck("cbIslandGrayLines", "Grey alternating lines");
    cbIslandDividerLines_ = NewCheck("cbIslandDividerLines", "Draw divider lines between rows");
    layout->addWidget(cbIslandGrayLines_);
    layout->addWidget(cbIslandDividerLines_);
    layout->addStretch(1);
    return page;
}

void TPrintDlg::LoadSettings() {
    const bool single = WOptions::GetFlag(opt::kPed_Single);
    rbSingle_->setChecked(single);
    rbCascading_->setChecked(!single);
    cbListGrayLines_->setChecked(WOptions::GetFlag(opt::kList_Grey));
    cbListDividerLines_->setChecked(WOptions::GetFlag(opt::kList_Divider));
    cbListBoldHL_->setChecked(WOptions::GetFlag(opt::kList_HL));
    cbHLGrayLines_->setChecked(WOptions::GetFlag(opt::kHL_Grey));
    cbHLDividerLines_->setChecked(WOptions::GetFlag(opt::kHL_Divider));
    cbIslandGrayLines_->setChecked(WOptions::GetFlag(opt::kIsland_Grey));
    cbIslandDividerLines_->setChecked(WOptions::GetFlag(opt::kIsland_Divider));

    desIndent_->setValue(WOptions::GetInt(opt::kDesIndent));
    desGenerations_->setValue(WOptions::GetInt(opt::kDesGenLimit));
    cbDesShowDup_->setChecked(WOptions::GetFlag(opt::kDesRepDups));
    desTrackBar_->setValue(WOptions::GetInt(opt::kDesColW));
    cbDesPrintColumn_->setChecked(WOptions::GetFlag(opt::kDesPC));
    cbDesLines_->setChecked(WOptions::GetFlag(opt::kDesDLines));
    cbIndPrintNotes_->setChecked(WOptions::GetFlag(opt::kIndNotes));
    cbViewFile_->setChecked(WOptions::GetFlag(opt::kViewSaved));

    labDesWith_->setText(ColumnWidthText(desTrackBar_->value()));
    ShowColumnControls(cbDesPrintColumn_->isChecked());
}

void TPrintDlg::StoreClosingSettings() {
    WOptions::SetFlag(opt::kPed_Single, rbSingle_->isChecked());
    WOptions::SetFlag(opt::kList_Grey, cbListGrayLines_->isChecked());
    WOptions::SetFlag(opt::kList_Divider, cbListDividerLines_->isChecked());
    WOptions::SetFlag(opt::kList_HL, cbListBoldHL_->isChecked());
    WOptions::SetFlag(opt::kHL_Grey, cbHLGrayLines_->isChecked());
    WOptions::SetFlag(opt::kHL_Divider, cbHLDividerLines_->isChecked());
    WOptions::SetFlag(opt::kIsland_Grey, cbIslandGrayLines_->isChecked());
    WOptions::SetFlag(opt::kIsland_Divider, cbIslandDividerLines_->isChecked());
}

void TPrintDlg::SelectPage(int page) {
    if (page >= 0 && page < kReportKindCount) pages_->setCurrentIndex(page);
}

void TPrintDlg::SetAnalysis(FamilyAnalysis* analysis, const IslandView* view) {
    analysis_ = analysis;
    view_ = view;
}

void TPrintDlg::SetSource(WABSCollection* collection, int32_t individual, int preferredSpouse) {
    collection_ = collection;
    preferredSpouse_ = preferredSpouse;
    scroller_->SetCollection(collection, view_);
    if (collection) scroller_->GoToIndividual(individual);
    FillSpouseList();
}

void TPrintDlg::SetIterators(WColHLIterator* highlighted, WColSortIterator* sorted) {
    highlightedList_ = highlighted;
    sortedList_ = sorted;
}

void TPrintDlg::SetFileTitle(const QString& title) {
    fileTitle_ = title;
}

void TPrintDlg::SetColumns(WListColumns* listColumns, WListColumns* desColumns) {
    listColumns_ = listColumns;
    desColumns_ = desColumns;
}

void TPrintDlg::SetHighlightGroup(WHLGroup* group) {
    group_ = group;
    scroller_->SetGroup(group);
}

int TPrintDlg::CurrentPage() const {
    return pages_->currentIndex();
}

int32_t TPrintDlg::ActiveIndividual() const {
    return collection_ ? scroller_->CurrentIndividual() : 0;
}

// The list on the current page shows the active individual's marriages,
// one line per spouse family; the others wait until their page is shown.
void TPrintDlg::FillSpouseList() {
    const int32_t individual = ActiveIndividual();
    const std::unique_ptr<WABSIndividual> person =
        individual > 0 ? collection_->Individual(individual) : nullptr;
    const int count = person ? person->SpouseFamilyCount() : 0;
    spouseFamilies_.clear();
    for (int i = 1; i <= std::min(count, kMaxSpouseFamilies); ++i)
        spouseFamilies_.push_back(person->SpouseFamily(i));

    const int page = CurrentPage();
    QListWidget* list = page == kReportFamily     ? lbFamList_
                        : page == kReportPedigree ? lbPedList_
                                                  : nullptr;
    if (!list) return;
    list->clear();
    for (int number = 1; number <= count; ++number)
        list->addItem(
            QString::number(number) + ": " +
            ToQt(collection_->DisplayNameWithBirth(collection_->SpouseOf(individual, number))));
    if (count == 0) return;
    // A preference beyond this individual's marriages falls back to the
    // first, as no preference does.
    const int preferred = preferredSpouse_ > 0 && preferredSpouse_ <= count ? preferredSpouse_ : 1;
    list->setCurrentRow(preferred - 1);
}

QString TPrintDlg::ColumnWidthText(int position) {
    return QString::number(kPageInches - position * kPageInches / kColumnAreaSteps, 'f', 2) + '"';
}

void TPrintDlg::ColumnAreaMoved(int position) {
    WOptions::SetInt(opt::kDesColW, position);
    labDesWith_->setText(ColumnWidthText(position));
    desPaintBox_->update();
}

void TPrintDlg::ShowColumnControls(bool show) {
    for (QWidget* control : std::initializer_list<QWidget*>{
             labDesWidthCaption_, labDesWith_, labDesAreaCaption_, desTrackBar_, desPaintBox_})
        control->setVisible(show);
}

ReportRequest TPrintDlg::Request() const {
    ReportRequest request;
    request.kind = CurrentPage();
    request.collection = collection_;
    request.analysis = analysis_;
    request.view = view_;
    request.individual = ActiveIndividual();
    request.fileTitle = fileTitle_;
    if (request.kind == kReportFamily) request.spouseEntry = SelectedRow(*lbFamList_);
    if (request.kind == kReportPedigree) request.spouseEntry = SelectedRow(*lbPedList_);
    request.cascading = rbCascading_->isChecked();

    request.desIndent = desIndent_->value();
    request.desGenerations = desGenerations_->value();
    request.desRepeat = cbDesShowDup_->isChecked();
    request.desPrintColumns = cbDesPrintColumn_->isChecked();
    request.desColumnAreaWidth = desTrackBar_->value();
    request.desDividerLines = cbDesLines_->isChecked();
    request.desColumns = desColumns_;

    // Each list-shaped report has its own pair of line options.
    switch (request.kind) {
        case kReportList:
            request.greyLines = cbListGrayLines_->isChecked();
            request.dividerLines = cbListDividerLines_->isChecked();
            request.markHighlighted = cbListBoldHL_->isChecked();
            break;
        case kReportHighlighted:
            request.greyLines = cbHLGrayLines_->isChecked();
            request.dividerLines = cbHLDividerLines_->isChecked();
            break;
        case kReportIslands:
            request.greyLines = cbIslandGrayLines_->isChecked();
            request.dividerLines = cbIslandDividerLines_->isChecked();
            break;
        default:
            break;
    }
    request.listColumns = listColumns_;
    request.group = group_;
    request.sortedList = sortedList_;
    request.highlightedList = highlightedList_;
    return request;
}

bool TPrintDlg::RunReport(Mode mode) {
    if (!collection_) return false;
    const int kind = CurrentPage();
    if ((kind == kReportFamily || kind == kReportPedigree) && ActiveIndividual() <= 0) return false;
    const std::unique_ptr<ReportJob> job = ReportJob::Create(Request());
    if (!job) return false;
    switch (mode) {
        case kModePrint:
            return job->Report().Print(this);
        case kModePreview:
            return job->Report().Preview(this);
        case kModeSave: {
            WReportProgress progress(this, "Saving to File");
            savedFile_ = job->Save(format_, fileName_, progress.Callback());
            return !savedFile_.isEmpty();
        }
    }
    return false;
}

void TPrintDlg::RunFromButton(Mode mode) {
    try {
        RunReport(mode);
    } catch (const VxError& error) {
        ShowMessage(error.what());
    }
}

QString TPrintDlg::DefaultFileName() const {
    const int kind = std::clamp(CurrentPage(), 0, kReportKindCount - 1);
    std::string name;
    if (kind == kReportGeneral || kind >= kReportList) {
        // The file name part of the title: SafeFileName keeps only the last
        // path component.
        name = FromQt(fileTitle_);
    } else if (collection_) {
        const PlainNames plain;
        name = collection_->FullNameOf(ActiveIndividual());
        // A separator inside a name is no folder.
        std::replace_if(
            name.begin(), name.end(), [](char c) { return c == '/' || c == '\\'; }, '-');
    }
    return ToQt(SafeFileName(name + kNameEndings[static_cast<size_t>(kind)]));
}

QStringList TPrintDlg::SaveFilters() {
    QStringList filters;
    for (const FileType& type : kFileTypes)
        filters << type.filter;
    return filters;
}

ExportFormat TPrintDlg::FormatOfFilter(int filterIndex) {
    constexpr int count = static_cast<int>(std::size(kFileTypes));
    if (filterIndex < 1 || filterIndex > count) return ExportFormat::PDF;
    return kFileTypes[filterIndex - 1].format;
}

std::pair<QString, int> TPrintDlg::AskSaveFile(const QString& proposed) {
    if (saveFileChooser) return saveFileChooser(proposed);
    const QStringList filters = SaveFilters();
    QFileDialog dialog(this, "Save to File", proposed);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(filters);
    dialog.setDefaultSuffix("pdf");
    // A name typed without an extension gets that of the chosen file type.
    connect(&dialog, &QFileDialog::filterSelected, &dialog,
            [&dialog](const QString& filter) { dialog.setDefaultSuffix(FilterSuffix(filter)); });
    while (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
        const QString file = dialog.selectedFiles().front();
        const QDir folder = QFileInfo(file).absoluteDir();
        if (folder.exists()) return {file, int(filters.indexOf(dialog.selectedNameFilter())) + 1};
        ShowMessage("The folder \"" + FromQt(QDir::toNativeSeparators(folder.path())) +
                    "\" does not exist.  Please select another folder.");
    }
    return {};
}

void TPrintDlg::SaveToFile() {
    if (saving_ || !collection_) return;
    QString folder = ToQt(WOptions::GetText(opt::kSaveToFileDir));
    if (folder.isEmpty())
        folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const auto [fileName, filterIndex] = AskSaveFile(QDir(folder).filePath(DefaultFileName()));
    if (fileName.isEmpty()) return;
    format_ = FormatOfFilter(filterIndex);
    fileName_ = fileName;
    WOptions::SetText(opt::kSaveToFileDir, FromQt(QFileInfo(fileName).absolutePath()));
    savedFile_.clear();

    std::string error;
    {
        const WaitScope wait("Saving to File.  Please Wait...", true, false,
                             static_cast<QWidget*>(this));
        const SavingScope saving(*body_, saving_);
        try {
            RunReport(kModeSave);
        } catch (const VxError& failure) {
            error = failure.what();
        }
    }
    if (!error.empty()) {
        ShowMessage(error);
        return;
    }
    if (!cbViewFile_->isChecked() || savedFile_.isEmpty()) return;
    if (!fileOpener(savedFile_))
        ShowMessage(std::string("Error: There is currently no default viewer set up for the ") +
                    "file type \"" + FormatName(format_) + "\" on your computer.");
}

// While a file is written the dialog cannot be closed under the save.
void TPrintDlg::closeEvent(QCloseEvent* event) {
    if (saving_) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void TPrintDlg::reject() {
    if (!saving_) QDialog::reject();
}

}  // namespace vx::reports
