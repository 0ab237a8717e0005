// "Extract GEDCOM": copies the unpacked GEDCOM to a place the user chooses,
// when the creator allowed it.
#include <QFile>

#include "app/Services.h"
#include "archive/SenderRecord.h"
#include "ui/LogoMain.h"
#include "ui/MainDialogs.h"
#include "widgets/QtText.h"

namespace vx {

void TLogoAppForm::ExtractGedcom() {
    if (!Sender().AllowExtract || currentPath_.empty()) return;
    // Only the last part of the creator's file name, made safe, is offered.
    std::string proposed = SafeFileName(Sender().FileName);
    if (proposed.empty()) proposed = "family.ged";
    const QString target = dialogs_->ChooseExtractPath(this, Win1252ToQt(proposed));
    if (target.isEmpty()) return;
    bool copied = false;
    {
        WaitScope wait("Extracting File.  Please Wait...", true, false);
        const QString source = QString::fromStdString(currentPath_);
        // The user has confirmed any overwrite in the save dialog.
        if (QFile::exists(target)) QFile::remove(target);
        copied = QFile::copy(source, target);
    }
    ShowMessage(copied ? "\"" + FromQt(target) + "\" has been extracted." : "Cancelled");
}

}  // namespace vx
