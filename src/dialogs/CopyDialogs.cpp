#include "dialogs/CopyDialogs.h"

#include <QFileDialog>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace vx {
namespace {

QPointer<TFlashDialog> gFlash;

}  // namespace

TListClipDlg::TListClipDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle("Copy to Clipboard");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel("Please select type of format you want the list to be copied"));
    const std::pair<const char*, int> choices[] = {
        {"Fixed columns with spaces", kFixed},
        {"Comma Separated Values (CSV)", kCsv},
        {"Save to File as Comma Separated Values (CSV)", kCsvFile},
        {"Cancel", kCancel}};
    for (const auto& [caption, choice] : choices) {
        auto* button = new QPushButton(caption);
        button->setObjectName(QString("choice%1").arg(choice));
        layout->addWidget(button);
        connect(button, &QPushButton::clicked, this, [this, choice = choice] {
            if (choice == kCsvFile) {
                fileName_ = askFileName();
                if (fileName_.isEmpty()) return;  // no file chosen: choose again
            }
            choice_ = choice;
            choice == kCancel ? reject() : accept();
        });
    }
    askFileName = [this] {
        QFileDialog dialog(this, "Save to File", QString(), "Comma Separated Values (*.csv)");
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix("csv");
        return dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()
                   ? dialog.selectedFiles().front()
                   : QString();
    };
}

int TListClipDlg::Choose() {
    choice_ = kCancel;
    exec();
    return choice_;
}

TFlashDialog::TFlashDialog(const QString& text, QWidget* parent)
    : QWidget(parent, Qt::ToolTip | Qt::FramelessWindowHint) {
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(298, 40);
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, QColor(192, 192, 192));
    setPalette(colours);
    auto* label = new QLabel(text, this);
    label->setAlignment(Qt::AlignCenter);
    label->setGeometry(rect());
    QTimer::singleShot(500, this, &QWidget::close);
}

void TFlashDialog::Flash(const QString& text, QWidget* parent) {
    if (gFlash) return;
    gFlash = new TFlashDialog(text, parent);
    if (parent)
        gFlash->move(parent->mapToGlobal(parent->rect().center()) - gFlash->rect().center());
    gFlash->show();
}

TFlashDialog* TFlashDialog::Current() {
    return gFlash;
}

}  // namespace vx
