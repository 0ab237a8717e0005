#include "ui/SplashScreen.h"

#include <QFrame>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

#include "widgets/QtText.h"

namespace vx {
namespace {

TVX_SplashScreen* gSplash = nullptr;

QLabel* Caption(const QString& text, int pixels, bool bold, bool italic) {
    auto* label = new QLabel(text);
    QFont font("Arial");
    font.setPixelSize(pixels);
    font.setBold(bold);
    font.setItalic(italic);
    label->setFont(font);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

QLabel* BoldValue() {
    auto* label = new QLabel;
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

}  // namespace

TVX_SplashScreen::TVX_SplashScreen(const QString& title)
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      appTitle_(Caption(title, 16, true, false)),
      title_(BoldValue()),
      from_(BoldValue()),
      created_(BoldValue()),
      progress_(new QProgressBar),
      timer_(new QTimer(this)) {
    setObjectName("TVX_SplashScreen");
    setFixedSize(kWidth, kHeight);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Caption("Fenwold Software", 27, true, true));
    layout->addWidget(appTitle_);
    auto* rule = new QFrame;
    rule->setFrameShape(QFrame::HLine);
    layout->addWidget(rule);
    auto* facts = new QGridLayout;
    const std::pair<const char*, QLabel*> rows[] = {
        {"Title:", title_}, {"From:", from_}, {"Created:", created_}};
    for (int row = 0; row < 3; ++row) {
        facts->addWidget(new QLabel(rows[row].first), row, 0);
        facts->addWidget(rows[row].second, row, 1);
    }
    layout->addLayout(facts);
    layout->addWidget(new QLabel("Loading and uncompressing GEDCOM file.  Please wait..."));
    progress_->setRange(0, 100);
    progress_->setValue(0);
    progress_->setTextVisible(false);
    layout->addWidget(progress_);
    timer_->setInterval(100);
    connect(timer_, &QTimer::timeout, this, &TVX_SplashScreen::Advance);
    timer_->start();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
}

void TVX_SplashScreen::SetInfo(const QString& title, const QString& from, const QString& created) {
    title_->setText(title);
    from_->setText(from);
    created_->setText(created);
    repaint();
}

// The bar shows activity, not progress: 5, 10, ... 100, then 5 again.
void TVX_SplashScreen::Advance() {
    int position = progress_->value();
    if (position + 5 > 100) position = 0;
    progress_->setValue(position + 5);
}

void OpenSplash(const std::string& title) {
    CloseSplash();
    gSplash = new TVX_SplashScreen(ToQt(title) + " V" + "1" + "." + "21");
    gSplash->show();
    gSplash->raise();
    gSplash->repaint();
}

void SetSplashInfo(const std::string& title, const std::string& from, const std::string& created) {
    if (gSplash) gSplash->SetInfo(ToQt(title), ToQt(from), ToQt(created));
}

void CloseSplash() {
    delete gSplash;
    gSplash = nullptr;
}

TVX_SplashScreen* Splash() {
    return gSplash;
}

}  // namespace vx
