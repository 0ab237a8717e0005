#include "dialogs/OptionsDlg.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "app/Options.h"
#include "widgets/QtText.h"

namespace vx {
namespace {

enum Page : int { kGeneral, kDisplay };

struct CheckRow {
    Page page;
    int key;
    const char* name;
    const char* caption;
};

// The check boxes in page order. The name choice follows FNValueFlag; the
// font size comes before NameSlash.
constexpr CheckRow kChecks[] = {
    {kGeneral, opt::kHLManual, "cbHLManual", "Use \"Apply\" button for highlighting"},
    {kGeneral, opt::kAutoSearch, "cbAutoSearch", "Automatic Search in Find Dialog Box"},
    {kGeneral, opt::kSortFirstColumn, "cbSortFirstColumn",
     "Automatically sort first column in the List Tab"},
    {kGeneral, opt::kCalcIslands, "cbCalcIslands", "Automatically calculate Islands"},
    {kGeneral, opt::kIslandWit, "cbIslandWit",
     "When calculating islands, use witness events (re-load file when changed)"},
    {kDisplay, opt::kUseLDS, "cbUseLDS", "Use LDS information"},
    {kDisplay, opt::kHLText, "cbHLText", "Show highlighting description"},
    {kDisplay, opt::kShowHlPanel, "cbShowHlPanel",
     "Display Highlighting Panel when in Highlighted Tab"},
    {kDisplay, opt::kShowIndHint, "cbShowIndHint",
     "Display Individual Popups in the Family and Pedigree Tabs"},
    {kDisplay, opt::kFNValueFlag, "cbFNValueFlag",
     "After an Individual's name, display the following value:"},
    {kDisplay, opt::kAgeCalcCB, "cbAgeCalcCB", "Use Christening/Burial dates for age calculations"},
    {kDisplay, opt::kNameSlash, "cbNameSlash", "Display \"/\" around Surnames"},
    {kDisplay, opt::kNameUpper, "cbNameUpper", "Display Surnames in UPPERCASE"},
    {kDisplay, opt::kPreSuf, "cbPreSuf", "Display Prefix and Suffix"},
    {kDisplay, opt::kChrono, "cbChrono", "Display events in chronological order in Individual Tab"},
    {kDisplay, opt::kSortChildren, "cbSortChildren",
     "Sort Children in Marriages (Must re-load genealogy file if turned off)"},
    {kDisplay, opt::kPlaceCommas, "cbPlaceCommas", "Ignore leading ',' in place names"},
    {kDisplay, opt::kFamBirChr, "cbFamBirChr", "Use Christening/Burial if Birth/Death is missing"},
};

// "Font Size" items: the font's points and the grids' row height.
struct FontChoice {
    const char* caption;
    int points;
    int rowHeight;
};
constexpr FontChoice kFontChoices[3] = {
    {"Small (8)", 8, 14}, {"Medium (10)", 10, 16}, {"Large (12)", 12, 18}};

// Settings keep colours as COLORREF values, 0x00BBGGRR.
int ToColorRef(const QColor& colour) {
    return colour.red() | (colour.green() << 8) | (colour.blue() << 16);
}

}  // namespace

TOptionsDlg::TOptionsDlg(QWidget* parent)
    : QDialog(parent),
      pages_(new QTabWidget),
      nameValueGroup_(new QButtonGroup(this)),
      fontSizeGroup_(new QButtonGroup(this)),
      background_(new QPushButton("&Background")),
      text_(new QPushButton("&Text")),
      sample_(new QLabel("Sample")) {
    setObjectName("OptionsDlg");
    setWindowTitle("Options");
    pages_->setObjectName("PageControl");

    auto* general = new QWidget;
    general->setObjectName("tsGeneral");
    auto* generalLayout = new QVBoxLayout(general);
    auto* display = new QWidget;
    display->setObjectName("tsDisplay");
    auto* displayColumn = new QVBoxLayout;

    for (const CheckRow& row : kChecks) {
        auto* check = new QCheckBox(row.caption);
        check->setObjectName(row.name);
        checks_.emplace_back(row.key, check);
        if (row.page == kGeneral) {
            generalLayout->addWidget(check);
            continue;
        }
        displayColumn->addWidget(check);
        if (row.key == opt::kFNValueFlag) {
            // The value shown after names, indented under its check box.
            auto* values = new QWidget;
            values->setObjectName("rgFNValue");
            auto* valuesLayout = new QHBoxLayout(values);
            valuesLayout->setContentsMargins(24, 0, 0, 0);
            const char* const captions[3] = {"[RIN]", "(ID)", "{Custom ID}"};
            for (int item = 0; item < 3; ++item) {
                nameValue_[static_cast<size_t>(item)] = new QRadioButton(captions[item]);
                nameValueGroup_->addButton(nameValue_[static_cast<size_t>(item)], item);
                valuesLayout->addWidget(nameValue_[static_cast<size_t>(item)]);
            }
            valuesLayout->addStretch(1);
            displayColumn->addWidget(values);
            connect(check, &QCheckBox::toggled, values, &QWidget::setEnabled);
        }
    }
    generalLayout->addStretch(1);
    displayColumn->addStretch(1);

    auto* fontBox = new QGroupBox("Font Size");
    fontBox->setObjectName("rgFontSize");
    auto* fontLayout = new QVBoxLayout(fontBox);
    for (int item = 0; item < 3; ++item) {
        fontSize_[static_cast<size_t>(item)] = new QRadioButton(kFontChoices[item].caption);
        fontSizeGroup_->addButton(fontSize_[static_cast<size_t>(item)], item);
        fontLayout->addWidget(fontSize_[static_cast<size_t>(item)]);
    }
    auto* fontColumn = new QVBoxLayout;
    fontColumn->addWidget(fontBox);
    fontColumn->addStretch(1);
    auto* displayLayout = new QHBoxLayout(display);
    displayLayout->addLayout(displayColumn, 1);
    displayLayout->addSpacing(12);
    displayLayout->addLayout(fontColumn);

    auto* colours = new QWidget;
    colours->setObjectName("tsColors");
    background_->setObjectName("butHLCol");
    text_->setObjectName("butHLTCol");
    for (QPushButton* button : {background_, text_}) {
        button->setAutoDefault(false);
        button->setMinimumWidth(110);
    }
    sample_->setObjectName("panSample");
    sample_->setAlignment(Qt::AlignCenter);
    sample_->setAutoFillBackground(true);
    sample_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    sample_->setMinimumSize(140, 40);
    auto* colourGrid = new QGridLayout;
    colourGrid->addWidget(new QLabel("Highlighting:"), 0, 0);
    colourGrid->addWidget(background_, 0, 1);
    colourGrid->addWidget(text_, 0, 2);
    colourGrid->addWidget(sample_, 1, 1, 1, 2);
    colourGrid->setColumnStretch(3, 1);
    auto* coloursLayout = new QVBoxLayout(colours);
    coloursLayout->addLayout(colourGrid);
    coloursLayout->addStretch(1);
    connect(background_, &QPushButton::clicked, this,
            [this] { ChooseColour(backColour_, "Highlighting Background"); });
    connect(text_, &QPushButton::clicked, this,
            [this] { ChooseColour(textColour_, "Highlighting Text"); });

    pages_->addTab(general, "&General");
    pages_->addTab(display, "&Display");
    pages_->addTab(colours, "&Colors");

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setObjectName("OKBtn");
    buttons->button(QDialogButtonBox::Cancel)->setObjectName("CancelBtn");
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages_, 1);
    layout->addWidget(buttons);

    colourChooser = [this](const QColor& initial, const QString& title) {
        return QColorDialog::getColor(initial, this, title);
    };
    LoadSettings();
}

QCheckBox* TOptionsDlg::CheckBox(int key) const {
    for (const auto& [checkKey, check] : checks_)
        if (checkKey == key) return check;
    return nullptr;
}

void TOptionsDlg::LoadSettings() {
    for (const auto& [key, check] : checks_)
        check->setChecked(WOptions::GetFlag(key));
    // Unknown values fall back to the first item.
    const int value = WOptions::GetInt(opt::kFNValue);
    const bool known = value >= opt::kNameValueRIN && value <= opt::kNameValueCustomID;
    nameValue_[static_cast<size_t>(known ? value - opt::kNameValueRIN : 0)]->setChecked(true);
    nameValue_[0]->parentWidget()->setEnabled(WOptions::GetFlag(opt::kFNValueFlag));
    const int points = WOptions::GetInt(opt::kFontSize);
    fontSize_[points == 10 ? 1 : points == 12 ? 2 : 0]->setChecked(true);
    backColour_ = ToQColor(static_cast<uint32_t>(WOptions::GetInt(opt::kHLCol)));
    textColour_ = ToQColor(static_cast<uint32_t>(WOptions::GetInt(opt::kHLTCol)));
    ShowSample();
    pages_->setCurrentIndex(0);
}

void TOptionsDlg::StoreSettings() const {
    for (const auto& [key, check] : checks_)
        WOptions::SetFlag(key, check->isChecked());
    WOptions::SetInt(opt::kFNValue, nameValueGroup_->checkedId() + opt::kNameValueRIN);
    const FontChoice& font = kFontChoices[std::max(fontSizeGroup_->checkedId(), 0)];
    WOptions::SetInt(opt::kFontSize, font.points);
    WOptions::SetInt(opt::kGridHeight, font.rowHeight);
    WOptions::SetInt(opt::kHLCol, ToColorRef(backColour_));
    WOptions::SetInt(opt::kHLTCol, ToColorRef(textColour_));
}

bool TOptionsDlg::Execute() {
    LoadSettings();
    if (exec() != QDialog::Accepted) return false;
    StoreSettings();
    return true;
}

void TOptionsDlg::ChooseColour(QColor& colour, const QString& title) {
    const QColor chosen = colourChooser(colour, title);
    if (!chosen.isValid()) return;
    colour = chosen;
    ShowSample();
}

void TOptionsDlg::ShowSample() {
    QPalette colours = sample_->palette();
    colours.setColor(QPalette::Window, backColour_);
    colours.setColor(QPalette::WindowText, textColour_);
    sample_->setPalette(colours);
}

}  // namespace vx
