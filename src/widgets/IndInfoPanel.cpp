#include "widgets/IndInfoPanel.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTextDocument>
#include <memory>
#include <string>

#include "app/Options.h"
#include "gedcom/ABSCollection.h"
#include "highlight/HLGroup.h"
#include "records/Individual.h"
#include "widgets/QtText.h"

namespace vx {

namespace {

// The LDS letter cell is 7 pixels wide, scaled by 1.25 on 120-dpi screens.
int LDSCellForScreen() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen && qRound(screen->logicalDotsPerInchX()) == 120 ? 9 : 7;
}

QColor ButtonFace() {
    return QGuiApplication::palette().color(QPalette::Button);
}

// A rectangle given by its edges, right and bottom exclusive.
QRect Edges(int left, int top, int right, int bottom) {
    return QRect(left, top, right - left, bottom - top);
}

// Date and place of an event, joined by ", " when both are there.
std::string EventLine(const WABSIndividual& person, int kind) {
    const std::string date = person.EventDateText(kind);
    const std::string place = person.EventPlaceText(kind);
    if (!date.empty() && !place.empty()) return date + ", " + place;
    return date.empty() ? place : date;
}

// The event line, or failing that (when the settings ask for it) the line of
// the stand-in event in square brackets: christening for birth, burial for
// death.
QString EventLineOrStandIn(const WABSIndividual& person, int kind, int standIn) {
    std::string line = EventLine(person, kind);
    if (line.empty() && WOptions::GetFlag(opt::kFamBirChr)) {
        const std::string other = EventLine(person, standIn);
        if (!other.empty()) line = "[" + other + "]";
    }
    return ToQt(line);
}

}  // namespace

TIndInfoPanel::TIndInfoPanel(QWidget* parent)
    : QWidget(parent), panelColor_(ButtonFace()), ldsCell_(LDSCellForScreen()) {
    QFont panelFont = font();
    panelFont.setPointSize(fontSize_);
    setFont(panelFont);
    setAttribute(Qt::WA_OpaquePaintEvent);
    UpdateGeometry();
}

void TIndInfoPanel::SetLinesToShow(int lines) {
    if (lines < 1 || lines > 3 || lines == linesToShow_) return;
    linesToShow_ = lines;
    UpdateGeometry();
}

void TIndInfoPanel::SetNameString(const QString& text) {
    name_ = text;
    update();
}

void TIndInfoPanel::SetBirthString(const QString& text) {
    birth_ = text;
    if (linesToShow_ > 1) update();
}

void TIndInfoPanel::SetDeathString(const QString& text) {
    death_ = text;
    if (linesToShow_ > 2) update();
}

void TIndInfoPanel::SetUseLDS(bool use) {
    useLDS_ = use;
    update();
}

void TIndInfoPanel::SetLDSBap(bool on) {
    ldsBap_ = on;
    update();
}

void TIndInfoPanel::SetLDSEnd(bool on) {
    ldsEnd_ = on;
    update();
}

void TIndInfoPanel::SetLDSSP(bool on) {
    ldsSP_ = on;
    update();
}

void TIndInfoPanel::SetLDSSS(bool on) {
    ldsSS_ = on;
    update();
}

void TIndInfoPanel::SetPanelColor(const QColor& color) {
    panelColor_ = color;
    update();
}

void TIndInfoPanel::SetFontColor(const QColor& color) {
    fontColor_ = color;
    update();
}

void TIndInfoPanel::SetFontSize(int size) {
    if (size < 1) return;
    fontSize_ = size;
    lineHeight_ = size + 6;
    QFont panelFont = font();
    panelFont.setPointSize(size);
    setFont(panelFont);
    UpdateGeometry();
}

void TIndInfoPanel::Clear() {
    name_.clear();
    birth_.clear();
    death_.clear();
    ldsBap_ = ldsEnd_ = ldsSP_ = ldsSS_ = false;
    update();
}

int TIndInfoPanel::PanelHeight() const {
    return linesToShow_ * (lineHeight_ + 1) + 1;
}

void TIndInfoPanel::UpdateGeometry() {
    setFixedHeight(PanelHeight());
    update();
}

void TIndInfoPanel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), panelColor_);
    QFont lineFont = font();
    lineFont.setPointSize(fontSize_);
    painter.setFont(lineFont);
    if (linesToShow_ > 1) DrawLine(painter, 2, birth_);
    if (linesToShow_ > 2) DrawLine(painter, 3, death_);
    lineFont.setBold(true);
    painter.setFont(lineFont);
    DrawLine(painter, 1, name_);
    if (useLDS_) DrawLDSBox(painter);
    painter.setPen(Qt::black);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(0, 0, width() - 1, height() - 1);
}

void TIndInfoPanel::DrawLine(QPainter& painter, int line, const QString& text) const {
    // Line k spans from (k - 1)(L + 1) to k(L + 1), inside the frame's sides.
    const int top = (line - 1) * (lineHeight_ + 1);
    const QRect area = Edges(1, top, width() - 1, top + lineHeight_ + 1);
    painter.fillRect(area, panelColor_);
    painter.setPen(fontColor_);
    painter.drawText(Edges(4, area.top(), area.right() + 1, area.bottom() + 1),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
}

void TIndInfoPanel::DrawLDSBox(QPainter& painter) const {
    const int w = width();
    const int left = w - 4 * ldsCell_ - 5;
    // From one pixel below the top of the name line to one above its bottom.
    const QRect box = Edges(left, 1, w - 1, lineHeight_);
    painter.fillRect(box, panelColor_);

    // The letters keep the name's style but always use 8 points, so that
    // four of them fit their cells whatever the panel's size.
    QFont letterFont = painter.font();
    letterFont.setPointSize(8);
    painter.setFont(letterFont);
    painter.setPen(fontColor_);
    const struct {
        bool on;
        const char* letter;
    } letters[] = {{ldsBap_, "B"}, {ldsEnd_, "E"}, {ldsSP_, "P"}, {ldsSS_, "S"}};
    for (int k = 0; k < 4; ++k) {
        if (!letters[k].on) continue;
        const QRect cell(left + 2 + k * ldsCell_, box.top() - 1, 2 * ldsCell_, lineHeight_ + 1);
        painter.drawText(cell, Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip,
                         QString::fromLatin1(letters[k].letter));
    }

    // The left edge, then the bottom edge when more lines follow; a single
    // line's box is closed by the frame below it.
    painter.setPen(Qt::black);
    painter.drawLine(left, box.top(), left, box.bottom() + 1);
    if (linesToShow_ > 1) painter.drawLine(left, box.bottom() + 1, w - 2, box.bottom() + 1);

    if (hasFocus()) {
        painter.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DotLine));
        painter.drawRect(rect().adjusted(1, 1, -2, -2));
    }
}

void TIndInfoPanel::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && individual_ != 0) {
        emit DoubleClicked(individual_);
        event->accept();
        return;
    }
    QWidget::mouseDoubleClickEvent(event);
}

void TIndInfoPanel::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if ((key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) &&
        individual_ != 0) {
        emit DoubleClicked(individual_);
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

QString HintText(std::string_view summary) {
    QString text = ToQt(summary);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    // A name such as "<b>" must not turn the hint into markup.
    return Qt::mightBeRichText(text) ? Qt::convertFromPlainText(text, Qt::WhiteSpacePre) : text;
}

void FillIndividualPanel(TIndInfoPanel& panel, const WABSCollection* collection, WHLGroup* group,
                         int32_t individual) {
    const bool useLDS = WOptions::GetFlag(opt::kUseLDS);
    panel.SetUseLDS(useLDS);
    panel.setToolTip(QString());

    std::unique_ptr<WABSIndividual> person;
    if (collection && individual > 0) person = collection->Individual(individual);
    if (!person) {
        panel.Clear();
        panel.SetPanelColor(ButtonFace());
        panel.SetIndividual(0);
        return;
    }

    if (group) {
        panel.SetPanelColor(ToQColor(group->BackgroundColor(individual)));
        panel.SetFontColor(ToQColor(group->TextColor(individual)));
    } else {
        panel.SetPanelColor(Qt::white);
        panel.SetFontColor(Qt::black);
    }

    // Letters of a previous individual must not survive a switch of the
    // setting, so they are cleared when LDS data are not shown.
    panel.SetLDSBap(useLDS && person->HasLDSEvent(kLDSBaptism));
    panel.SetLDSEnd(useLDS && person->HasLDSEvent(kLDSEndowment));
    panel.SetLDSSP(useLDS && person->HasLDSEvent(kLDSSealingToParents));
    panel.SetLDSSS(useLDS && collection->HasSpouseSealing(individual, 0));

    panel.SetNameString(ToQt(person->DisplayName()));
    panel.SetBirthString(panel.LinesToShow() > 1
                             ? EventLineOrStandIn(*person, kEventBirth, kEventChristening)
                             : QString());
    panel.SetDeathString(panel.LinesToShow() > 2
                             ? EventLineOrStandIn(*person, kEventDeath, kEventBurial)
                             : QString());

    if (WOptions::GetFlag(opt::kShowIndHint))
        panel.setToolTip(HintText(collection->PersonSummary(individual)));
    panel.SetIndividual(individual);
}

}  // namespace vx
