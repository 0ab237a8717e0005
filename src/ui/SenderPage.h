// The Sender tab: who created this self-viewing file (title, name, e-mail,
// address, phone, web site, creation time, file name and message), the
// welcome text, and the extraction notice when the creator allows it.
#pragma once

#include <QString>
#include <QWidget>
#include <string>

class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace vx {

struct SenderRecord;

// The creation time of a trailer (days since 1899-12-30) in the given Qt
// date format; empty for a value no calendar holds.
QString CreatedText(double days, const QString& format);

// The "mailto:" target of the creator's address. Every inserted part is
// percent-encoded, so a title or file name holding "&", "?", "#" or line
// breaks cannot break the link or add fields.
QString SenderMailTarget(const SenderRecord& sender, const QString& programName);

class TSenderPage : public QWidget {
    Q_OBJECT

  public:
    explicit TSenderPage(QWidget* parent = nullptr);

    // Shows the creator's facts; `programName` is the program file's name.
    void Fill(const SenderRecord& sender, const QString& programName);
    // A GEDCOM file opened from disk: no creator's facts, only its name.
    void ShowOpenedFile(const QString& fileName);
    // Nothing open: the welcome text with the Open command.
    void ShowWelcome();

    // The tree's state line: says the tree is damaged when `damagedBlocks`
    // parts of the file failed their check; hidden when none did.
    void ShowDamage(int damagedBlocks);

    QLabel* Value(const QString& caption) const;
    QLabel* DamageStatus() const { return damage_; }
    QPlainTextEdit* Message() const { return message_; }
    QPlainTextEdit* Welcome() const { return welcome_; }
    QPushButton* ExtractButton() const { return extract_; }
    QLabel* ExtractNotice() const { return notice_; }
    QLabel* OpenedNotice() const { return opened_; }
    QWidget* WelcomePanel() const { return welcomePanel_; }
    QPushButton* OpenButton() const { return open_; }

  signals:
    void ExtractRequested();
    void OpenRequested();

  private:
    QGroupBox* group_;
    QPlainTextEdit* message_;
    QPlainTextEdit* welcome_;
    QLabel* notice_;
    QPushButton* extract_;
    QLabel* damage_;
    QLabel* opened_;
    QWidget* welcomePanel_;
    QPushButton* open_;
};

}  // namespace vx
