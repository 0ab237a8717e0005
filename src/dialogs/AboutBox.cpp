#include "dialogs/AboutBox.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QUrl>
#include <QVBoxLayout>

namespace vx {
namespace {

constexpr int kBuildNumber = 1;

}  // namespace

QString SupportMailTarget() {
    return QString("mailto:") + kSupportAddress +
           "?body=" + QString::fromLatin1(QUrl::toPercentEncoding("Vellacor VX Version = 1.21"));
}

TVXAboutBox::TVXAboutBox(QWidget* parent)
    : QDialog(parent),
      version_(new QLabel(QString("Version: 1.21.%1").arg(kBuildNumber))),
      questions_(new QLabel) {
    setWindowTitle("About");
    auto* layout = new QVBoxLayout(this);
    auto* product = new QLabel("Fenwold Vellacor");
    QFont bold = product->font();
    bold.setBold(true);
    bold.setPointSize(bold.pointSize() + 4);
    product->setFont(bold);
    layout->addWidget(product);
    layout->addWidget(version_);
    layout->addWidget(new QLabel(QString("Built %1 %2").arg(__DATE__, __TIME__)));
    layout->addWidget(new QLabel("Self-Viewing GEDCOM File"));
    questions_->setText("Questions: <a href=\"" + SupportMailTarget().toHtmlEscaped() + "\">" +
                        QString(kSupportAddress) + "</a>");
    questions_->setTextFormat(Qt::RichText);
    questions_->setOpenExternalLinks(true);
    layout->addWidget(questions_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
}

}  // namespace vx
