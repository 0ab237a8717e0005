#include "ui/HighlightStrip.h"

#include <QLabel>
#include <QVBoxLayout>

#include "app/Options.h"
#include "highlight/HLGroup.h"
#include "widgets/QtText.h"

namespace vx {

THighlightStrip::THighlightStrip(QWidget* parent) : QFrame(parent), memo_(new QLabel) {
    setObjectName("panHLText");
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    memo_->setObjectName("memHLText");
    memo_->setWordWrap(true);
    // The conditions can be copied from here.
    memo_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    memo_->setTextFormat(Qt::PlainText);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->addWidget(memo_);
    ApplyColours();
    hide();
}

std::string THighlightStrip::StripText(bool unappliedChanges, const WHLGroup* group,
                                       int conditionRows) {
    if (unappliedChanges) return "Please press the Apply button";
    if (!group) return {};
    const std::string description = group->Describe();
    if (description.empty() && conditionRows > 1) return "Please select a condition";
    return description;
}

void THighlightStrip::ShowText(const std::string& text) {
    memo_->setText(text.empty() ? QString() : kPrefix + ToQt(text));
    setVisible(WOptions::GetFlag(opt::kHLText) && !text.empty());
}

void THighlightStrip::ApplyColours() {
    QPalette colours = palette();
    colours.setColor(QPalette::Window,
                     ToQColor(static_cast<uint32_t>(WOptions::GetInt(opt::kHLCol))));
    colours.setColor(QPalette::WindowText,
                     ToQColor(static_cast<uint32_t>(WOptions::GetInt(opt::kHLTCol))));
    setPalette(colours);
}

}  // namespace vx
