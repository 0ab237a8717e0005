#include "ui/SenderPage.h"

#include <QDateTime>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "archive/SenderRecord.h"
#include "widgets/QtText.h"

namespace vx {
namespace {

// The message box's height beside the Extract button, and the fewest lines
// it keeps when the page is short of room.
constexpr int kExtractMessageHeight = 179;
constexpr int kMinimumMessageLines = 2;

// The rows of the creator's facts, in the order the page shows them.
constexpr const char* kCaptions[] = {
    "Title:", "Name:", "Email:", "Address:", "Phone:", "Web Site:", "Created:", "File Name:"};

constexpr const char* kWelcome[] = {
    "Welcome",
    "This Self-Viewing GEDCOM executable was created using Fenwold's Vellacor application.  "
    "You are free to run and view this GEDCOM file as many times as you want.",
    "For more about Vellacor, visit the Vellacor web site.",
    "The individual that created this executable is described to the left.  If they included "
    "an email address, you can send them an email by clicking on their email address.",
    "Quick Help",
    "- The scrollbar at the top of the screen allows you to select all individuals in this "
    "GEDCOM file.",
    "- Each tab display different information based on the selected individual in the "
    "scrollbar.",
    "- Double clicking on an individual's name in any of the tabs moves to that person in the "
    "scrollbar.",
};

constexpr const char* kStartText =
    "<h2>Welcome to Vellacor</h2>"
    "<p>Open a GEDCOM file to browse the family it holds: every person's events, notes and "
    "sources, family groups, pedigrees, descendants, lists and islands.</p>"
    "<p>To send the family to someone, open the file, then choose <b>File &gt; Share as "
    "Self-Viewing File...</b>: you get one program file that the recipient simply opens.</p>";

constexpr const char* kOpenedText =
    "This GEDCOM file was opened from disk. It carries no creator's facts: those are "
    "written when you share it (File > Share as Self-Viewing File...).";

QString Encoded(const QString& part, const QByteArray& keep = {}) {
    return QString::fromLatin1(QUrl::toPercentEncoding(part, keep));
}

}  // namespace

QString CreatedText(double days, const QString& format) {
    // About eight thousand years either way: anything else is no date.
    if (!std::isfinite(days) || std::fabs(days) > 3e6) return {};
    const QDateTime epoch(QDate(1899, 12, 30), QTime(0, 0));
    const QDateTime when = epoch.addMSecs(static_cast<qint64>(std::llround(days * 86400000.0)));
    return QLocale::c().toString(when, format);
}

QString SenderMailTarget(const SenderRecord& sender, const QString& programName) {
    const QString created = CreatedText(sender.Created, "dddd, MMM d, yyyy, hh:mm AP");
    return "mailto:" + Encoded(Win1252ToQt(sender.Email), "@+") +
           "?subject=" + Encoded(Win1252ToQt(sender.Title) + ": " + programName) +
           "&body=" + Encoded("File: " + programName + " created on " + created);
}

TSenderPage::TSenderPage(QWidget* parent)
    : QWidget(parent),
      group_(new QGroupBox("Information about who created this GEDCOM")),
      message_(new QPlainTextEdit),
      welcome_(new QPlainTextEdit),
      notice_(new QLabel(
          "The sender of this gedcom has allowed you to use this GEDCOM.  Press the button to "
          "the right to extract it to your computer.")),
      extract_(new QPushButton("Extract GEDCOM")),
      damage_(new QLabel),
      opened_(new QLabel(kOpenedText)),
      welcomePanel_(new QWidget),
      open_(new QPushButton("Open a GEDCOM File...")) {
    setObjectName("PageSender");
    auto* facts = new QFormLayout;
    for (const char* caption : kCaptions) {
        auto* value = new QLabel;
        value->setObjectName(caption);
        value->setTextInteractionFlags(Qt::TextBrowserInteraction);
        facts->addRow(caption, value);
    }
    message_->setObjectName("memoSendMsg");
    message_->setReadOnly(true);
    facts->addRow("Message", message_);
    auto* extractRow = new QHBoxLayout;
    notice_->setWordWrap(true);
    extractRow->addWidget(notice_, 1);
    extractRow->addWidget(extract_);
    extract_->setObjectName("butExtractGEDCOM");
    connect(extract_, &QPushButton::clicked, this, &TSenderPage::ExtractRequested);
    damage_->setObjectName("DamageStatus");
    damage_->setWordWrap(true);
    damage_->hide();
    auto* groupLayout = new QVBoxLayout(group_);
    opened_->setObjectName("OpenedNotice");
    opened_->setWordWrap(true);
    groupLayout->addWidget(opened_);
    groupLayout->addLayout(facts);
    groupLayout->addLayout(extractRow);
    groupLayout->addWidget(damage_);

    welcomePanel_->setObjectName("WelcomePanel");
    auto* startText = new QLabel(kStartText);
    startText->setWordWrap(true);
    startText->setTextFormat(Qt::RichText);
    open_->setObjectName("butOpen");
    connect(open_, &QPushButton::clicked, this, &TSenderPage::OpenRequested);
    auto* welcomeLayout = new QVBoxLayout(welcomePanel_);
    welcomeLayout->addStretch(1);
    welcomeLayout->addWidget(startText);
    welcomeLayout->addWidget(open_, 0, Qt::AlignLeft);
    welcomeLayout->addStretch(2);

    welcome_->setObjectName("MemoVX");
    welcome_->setReadOnly(true);
    for (const char* line : kWelcome)
        welcome_->appendPlainText(line);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(welcomePanel_, 1);
    layout->addWidget(group_, 1);
    layout->addWidget(welcome_, 1);
    notice_->hide();
    extract_->hide();
    opened_->hide();
    welcomePanel_->hide();
}

void TSenderPage::ShowOpenedFile(const QString& fileName) {
    Fill(SenderRecord(), fileName);
    Value("File Name:")->setText(fileName);
    opened_->show();
}

void TSenderPage::ShowWelcome() {
    Fill(SenderRecord(), QString());
    group_->hide();
    welcome_->hide();
    welcomePanel_->show();
}

void TSenderPage::ShowDamage(int damagedBlocks) {
    damage_->setVisible(damagedBlocks > 0);
    damage_->setText(damagedBlocks > 0
                         ? QString("Status: the family tree in this file is damaged (%1 of its "
                                   "parts failed their check); some records may be missing or "
                                   "wrong.")
                               .arg(damagedBlocks)
                         : QString());
}

QLabel* TSenderPage::Value(const QString& caption) const {
    return group_->findChild<QLabel*>(caption);
}

void TSenderPage::Fill(const SenderRecord& sender, const QString& programName) {
    group_->show();
    welcome_->show();
    welcomePanel_->hide();
    opened_->hide();
    Value("Title:")->setText(Win1252ToQt(sender.Title));
    Value("Name:")->setText(Win1252ToQt(sender.SenderName));
    const QString email = Win1252ToQt(sender.Email);
    QLabel* emailLabel = Value("Email:");
    emailLabel->setTextFormat(Qt::RichText);
    emailLabel->setOpenExternalLinks(true);
    emailLabel->setText(email.isEmpty()
                            ? QString()
                            : "<a href=\"" + SenderMailTarget(sender, programName).toHtmlEscaped() +
                                  "\">" + email.toHtmlEscaped() + "</a>");
    Value("Address:")->setText(Win1252ToQt(sender.Addr1) + "\n" + Win1252ToQt(sender.Addr2));
    Value("Phone:")->setText(Win1252ToQt(sender.Phone));
    const QString web = Win1252ToQt(sender.WebSite);
    QLabel* webLabel = Value("Web Site:");
    webLabel->setTextFormat(Qt::RichText);
    webLabel->setOpenExternalLinks(true);
    // Only web addresses become links; anything else is shown as text.
    const QUrl url = QUrl::fromUserInput(web);
    const bool link = !web.isEmpty() && (url.scheme() == "http" || url.scheme() == "https");
    webLabel->setText(link ? "<a href=\"" + url.toString(QUrl::FullyEncoded).toHtmlEscaped() +
                                 "\">" + web.toHtmlEscaped() + "</a>"
                           : web.toHtmlEscaped());
    Value("Created:")->setText(CreatedText(sender.Created, "ddd, MMM d, yyyy, hh:mm AP"));
    Value("File Name:")->setText(Win1252ToQt(sender.FileName));
    message_->setPlainText(Win1252ToQt(sender.Message));
    const bool extract = sender.AllowExtract != 0;
    notice_->setVisible(extract);
    extract_->setVisible(extract);
    if (extract) {
        // The message box is 179 pixels high beside the Extract button; with
        // large fonts on a small screen it gives up height, down to a few
        // lines, rather than run under the notice below it.
        message_->setMaximumHeight(kExtractMessageHeight);
        message_->setMinimumHeight(std::min(
            kExtractMessageHeight, kMinimumMessageLines * message_->fontMetrics().lineSpacing() +
                                       2 * message_->frameWidth()));
    }
}

}  // namespace vx
