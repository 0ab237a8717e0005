// "Share as Self-Viewing File...": the creator's facts, the start
// individual, the extraction permission, privacy for the living and the
// output file; then packs the open GEDCOM with the same packer as
// `vellacor-tool pack`, with a progress bar and Cancel.
#pragma once

#include <QDialog>
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QSpinBox;

namespace vx {

struct TShareSource {
    std::string GedcomPath;   // the text the viewer shows (UTF-16 files as read)
    std::string FileName;     // the name the recipient is offered when extracting
    std::string ProgramPath;  // the file the user started: its image is packed
    std::string Folder;       // where the output goes by default; empty: home
    int32_t ActiveIndividual = 1;
    int32_t IndividualCount = 0;
};

class TShareDlg : public QDialog {
    Q_OBJECT

  public:
    // The facts' trailer fields, in the order the dialog shows them.
    static constexpr int kFieldCount = 8;

    TShareDlg(QWidget* parent, TShareSource source);

    // The editor of a trailer field ("Title", "SenderName" ... "Message").
    QWidget* Editor(std::string_view field) const;
    // Why the field's text cannot be stored; hidden when it can.
    QLabel* Reason(std::string_view field) const;
    QSpinBox* StartIndividual() const { return start_; }
    QCheckBox* AllowExtract() const { return allowExtract_; }
    QComboBox* Privacy() const { return privacy_; }
    QLineEdit* OutputPath() const { return output_; }
    QProgressBar* Progress() const { return progress_; }
    QPushButton* ShareButton() const { return share_; }
    QPushButton* CancelButton() const { return cancel_; }
    QLabel* Status() const { return status_; }

    // Packs with the dialog's settings. True when the file was written;
    // the status line says what happened either way.
    bool Share();
    // Asks a running Share() to stop.
    void Cancel() { cancelled_ = true; }
    bool IsPacking() const { return packing_; }

  protected:
    void reject() override;

  private:
    void Validate();
    void Browse();
    void LoadRemembered();
    void Remember() const;
    QString FieldText(int index) const;

    TShareSource source_;
    std::array<QWidget*, kFieldCount> editors_{};
    std::array<QLabel*, kFieldCount> reasons_{};
    QSpinBox* start_;
    QCheckBox* allowExtract_;
    QComboBox* privacy_;
    QLineEdit* output_;
    QProgressBar* progress_;
    QLabel* status_;
    QPushButton* share_;
    QPushButton* cancel_;
    bool packing_ = false;
    bool cancelled_ = false;
};

}  // namespace vx
