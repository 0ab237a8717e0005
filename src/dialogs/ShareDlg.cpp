#include "dialogs/ShareDlg.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <cmath>
#include <ctime>
#include <filesystem>

#include "app/Errors.h"
#include "app/Settings.h"
#include "archive/SenderFacts.h"
#include "archive/ViewerImage.h"
#include "packing/Packer.h"
#include "widgets/QtText.h"

namespace vx {
namespace {

// The facts the dialog asks for: caption, trailer field, settings key.
struct FactRow {
    const char* Caption;
    std::string_view Field;
    const char* Key;
};
constexpr FactRow kFacts[TShareDlg::kFieldCount] = {
    {"&Title:", "Title", "Title"},          {"&Your name:", "SenderName", "Name"},
    {"&E-mail:", "Email", "Email"},         {"Address line &1:", "Addr1", "Addr1"},
    {"Address line &2:", "Addr2", "Addr2"}, {"&Web site:", "WebSite", "WebSite"},
    {"&Phone:", "Phone", "Phone"},          {"&Message:", "Message", "Message"},
};
constexpr int kMessageRow = TShareDlg::kFieldCount - 1;

// The privacy choices, in the order of the box; name-only is the default.
struct PrivacyRow {
    privacy::LivingMode Mode;
    const char* Caption;
};
constexpr PrivacyRow kPrivacy[] = {
    {privacy::LivingMode::Keep, "Share everything, the living included"},
    {privacy::LivingMode::NameOnly, "The living: only name, sex and family links"},
    {privacy::LivingMode::Hide, "The living: as above, given names become \"Living\""},
};
constexpr int kDefaultPrivacy = 1;

constexpr const char* kSection = "Share";
constexpr const char* kAllowKey = "AllowExtract";
constexpr const char* kPrivacyKey = "Privacy";
constexpr int kProgressSteps = 1000;
constexpr double kBytesPerMegabyte = 1024.0 * 1024.0;
constexpr const char* kErrorStyle = "color: #b00000;";

// The settings file keeps one line per key: a message's line breaks are
// escaped.
std::string Escape(const std::string& text) {
    std::string escaped;
    for (char c : text) {
        if (c == '\\')
            escaped += "\\\\";
        else if (c == '\n')
            escaped += "\\n";
        else if (c != '\r')
            escaped += c;
    }
    return escaped;
}

std::string Unescape(const std::string& text) {
    std::string plain;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size()) {
            plain += text[i + 1] == 'n' ? '\n' : text[i + 1];
            ++i;
        } else {
            plain += text[i];
        }
    }
    return plain;
}

}  // namespace

TShareDlg::TShareDlg(QWidget* parent, TShareSource source)
    : QDialog(parent),
      source_(std::move(source)),
      start_(new QSpinBox),
      allowExtract_(new QCheckBox("&Allow the recipient to extract the GEDCOM")),
      privacy_(new QComboBox),
      output_(new QLineEdit),
      progress_(new QProgressBar),
      status_(new QLabel),
      share_(new QPushButton("&Share")),
      cancel_(new QPushButton("Cancel")) {
    setObjectName("ShareDlg");
    setWindowTitle("Share as Self-Viewing File");
    auto* form = new QFormLayout;
    for (int i = 0; i < kFieldCount; ++i) {
        QWidget* editor = nullptr;
        if (i == kMessageRow) {
            auto* message = new QPlainTextEdit;
            message->setTabChangesFocus(true);
            message->setFixedHeight(message->fontMetrics().lineSpacing() * 5 +
                                    2 * message->frameWidth() + 8);
            connect(message, &QPlainTextEdit::textChanged, this, &TShareDlg::Validate);
            editor = message;
        } else {
            auto* line = new QLineEdit;
            connect(line, &QLineEdit::textChanged, this, &TShareDlg::Validate);
            editor = line;
        }
        editor->setObjectName(
            QString::fromLatin1(kFacts[i].Field.data(), static_cast<int>(kFacts[i].Field.size())));
        auto* reason = new QLabel;
        reason->setStyleSheet(kErrorStyle);
        reason->setWordWrap(true);
        reason->hide();
        auto* cell = new QVBoxLayout;
        cell->setSpacing(1);
        cell->addWidget(editor);
        cell->addWidget(reason);
        // A row of a layout gets no buddy of its own: the mnemonic needs one.
        auto* caption = new QLabel(kFacts[i].Caption);
        caption->setBuddy(editor);
        form->addRow(caption, cell);
        editors_[static_cast<size_t>(i)] = editor;
        reasons_[static_cast<size_t>(i)] = reason;
    }

    start_->setRange(1, std::max(1, source_.IndividualCount));
    start_->setValue(std::clamp(source_.ActiveIndividual, 1, std::max(1, source_.IndividualCount)));
    start_->setToolTip("The number of the individual the recipient sees first");
    form->addRow("Start &individual:", start_);
    form->addRow(QString(), allowExtract_);
    for (const PrivacyRow& row : kPrivacy)
        privacy_->addItem(row.Caption);
    form->addRow("&Privacy:", privacy_);

    auto* outputRow = new QHBoxLayout;
    auto* browse = new QPushButton("&Browse...");
    outputRow->addWidget(output_, 1);
    outputRow->addWidget(browse);
    connect(browse, &QPushButton::clicked, this, &TShareDlg::Browse);
    connect(output_, &QLineEdit::textChanged, this, &TShareDlg::Validate);
    auto* outputCaption = new QLabel("&Output file:");
    outputCaption->setBuddy(output_);
    form->addRow(outputCaption, outputRow);

    progress_->setRange(0, kProgressSteps);
    progress_->setValue(0);
    status_->setWordWrap(true);
    status_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    share_->setDefault(true);
    connect(share_, &QPushButton::clicked, this, [this] { Share(); });
    connect(cancel_, &QPushButton::clicked, this, &TShareDlg::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(share_);
    buttons->addWidget(cancel_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(progress_);
    layout->addWidget(status_);
    layout->addLayout(buttons);

    const QString folder =
        source_.Folder.empty() ? QDir::homePath() : QString::fromStdString(source_.Folder);
    const QString stem = QFileInfo(ToQt(source_.FileName)).completeBaseName();
    output_->setText(
        QDir(folder).filePath((stem.isEmpty() ? QString("family") : stem) + "-viewer"));
    LoadRemembered();
    Validate();
}

QWidget* TShareDlg::Editor(std::string_view field) const {
    for (int i = 0; i < kFieldCount; ++i)
        if (kFacts[i].Field == field) return editors_[static_cast<size_t>(i)];
    return nullptr;
}

QLabel* TShareDlg::Reason(std::string_view field) const {
    for (int i = 0; i < kFieldCount; ++i)
        if (kFacts[i].Field == field) return reasons_[static_cast<size_t>(i)];
    return nullptr;
}

QString TShareDlg::FieldText(int index) const {
    QWidget* editor = editors_[static_cast<size_t>(index)];
    if (auto* line = qobject_cast<QLineEdit*>(editor)) return line->text();
    return static_cast<QPlainTextEdit*>(editor)->toPlainText();
}

// Every fact is checked as it is typed; Share waits until all fit.
void TShareDlg::Validate() {
    bool ok = !output_->text().trimmed().isEmpty();
    for (int i = 0; i < kFieldCount; ++i) {
        std::string text = FromQt(FieldText(i));
        if (i == kMessageRow) text = SenderMessageLines(text);
        const std::string problem = SenderTextProblem(text, SenderFieldNamed(kFacts[i].Field));
        QLabel* reason = reasons_[static_cast<size_t>(i)];
        reason->setText(ToQt(problem.empty() ? problem
                                             : std::string(1, char(std::toupper(problem[0]))) +
                                                   problem.substr(1) + "."));
        reason->setVisible(!problem.empty());
        ok = ok && problem.empty();
    }
    share_->setEnabled(ok && !packing_);
}

void TShareDlg::Browse() {
    const QString path =
        QFileDialog::getSaveFileName(this, "Save the Self-Viewing File", output_->text());
    if (!path.isEmpty()) output_->setText(path);
}

void TShareDlg::LoadRemembered() {
    for (int i = 0; i < kFieldCount; ++i) {
        const QString text = ToQt(Unescape(ReadText(kSection, kFacts[i].Key, "")));
        QWidget* editor = editors_[static_cast<size_t>(i)];
        if (auto* line = qobject_cast<QLineEdit*>(editor))
            line->setText(text);
        else
            static_cast<QPlainTextEdit*>(editor)->setPlainText(text);
    }
    allowExtract_->setChecked(ReadInt(kSection, kAllowKey, 0) != 0);
    const int privacy = ReadInt(kSection, kPrivacyKey, kDefaultPrivacy);
    privacy_->setCurrentIndex(privacy >= 0 && privacy < privacy_->count() ? privacy
                                                                          : kDefaultPrivacy);
}

void TShareDlg::Remember() const {
    for (int i = 0; i < kFieldCount; ++i)
        WriteText(kSection, kFacts[i].Key, Escape(FromQt(FieldText(i))));
    WriteInt(kSection, kAllowKey, allowExtract_->isChecked() ? 1 : 0);
    WriteInt(kSection, kPrivacyKey, privacy_->currentIndex());
}

bool TShareDlg::Share() {
    Validate();
    if (packing_ || !share_->isEnabled()) return false;
    TPackRequest request;
    request.GedcomPath = source_.GedcomPath;
    request.OutputPath = FromQt(QDir::cleanPath(output_->text().trimmed()));
    request.ConvertUtf16 = true;
    request.Living = kPrivacy[std::clamp(privacy_->currentIndex(), 0, 2)].Mode;
    SenderRecord& sender = request.Sender;
    for (int i = 0; i < kFieldCount; ++i) {
        std::string text = FromQt(FieldText(i));
        if (i == kMessageRow) text = SenderMessageLines(text);
        sender.*SenderFieldNamed(kFacts[i].Field).Text = SenderTextToTrailer(text);
    }
    const std::string fileName =
        SenderTextProblem(source_.FileName, SenderFieldNamed("FileName")).empty()
            ? source_.FileName
            : std::string("family.ged");
    sender.FileName = SenderTextToTrailer(fileName);
    sender.StartIndividual = start_->value();
    sender.AllowExtract = allowExtract_->isChecked() ? 1 : 0;
    sender.Created = DateTimeFromUnixTime(static_cast<int64_t>(std::time(nullptr)));
    Remember();

    packing_ = true;
    cancelled_ = false;
    share_->setEnabled(false);
    status_->setStyleSheet(QString());
    status_->setText("Packing...");
    request.Progress = [this](int64_t done, int64_t total) {
        progress_->setValue(total > 0 ? static_cast<int>(done * kProgressSteps / total) : 0);
        QApplication::processEvents();
        return !cancelled_;
    };
    bool saved = false;
    try {
        const TViewerImage image = ViewerImageOf(source_.ProgramPath);
        request.ViewerPath = image.Path;
        request.ViewerLength = image.Length;
        const TPackResult result = PackProgram(request);
        const double megabytes = static_cast<double>(result.OutputBytes) / kBytesPerMegabyte;
        QString text = QString(
                           "Saved %1 (%2 MB). Send this one file: the recipient opens it "
                           "directly.")
                           .arg(QFileInfo(ToQt(request.OutputPath)).fileName())
                           .arg(megabytes, 0, 'f', megabytes < 10 ? 1 : 0);
        if (request.Living != privacy::LivingMode::Keep)
            text += QString("\n%1 of %2 individuals were made private.")
                        .arg(result.PrivateCount)
                        .arg(result.IndividualCount);
        status_->setText(text);
        progress_->setValue(kProgressSteps);
        saved = true;
    } catch (const EPackCancelled&) {
        status_->setText("Cancelled: nothing was saved.");
        progress_->setValue(0);
    } catch (const VxError& error) {
        status_->setStyleSheet(kErrorStyle);
        status_->setText(ToQt(std::string("Not saved: ") + error.what()));
        progress_->setValue(0);
    }
    packing_ = false;
    cancel_->setText(saved ? "Close" : "Cancel");
    Validate();
    return saved;
}

// Cancel stops a running pack first; the dialog closes only when idle.
void TShareDlg::reject() {
    if (packing_) {
        Cancel();
        return;
    }
    QDialog::reject();
}

}  // namespace vx
