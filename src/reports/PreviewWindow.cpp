#include "reports/PreviewWindow.h"

#include <QAction>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <functional>

#include "reports/PageRenderer.h"
#include "reports/ReportPrinter.h"

namespace vx::reports {

namespace {

constexpr double kMinZoom = 0.1;
// A Letter page at 400% is already a 55 MB image on a plain screen.
constexpr double kMaxZoom = 4.0;
// Zoom in and out move along these steps, from wherever a fit left the zoom.
constexpr double kZoomSteps[] = {0.1, 0.25, 0.5, 0.75, 1.0, 1.25, 1.5, 2.0, 3.0, 4.0};
// Grey space around the paper; also room for its shadow.
constexpr int kGap = 12;
constexpr int kShadow = 4;

enum class FitMode { None, Width, Page };

// The paper with its border and shadow; the scroll area's grey shows around.
class PageView : public QWidget {
  public:
    explicit PageView(QWidget* parent) : QWidget(parent) {
        setObjectName(QStringLiteral("PageView"));
    }

    void SetPage(const QPixmap& paper, QSize paperSize) {
        paper_ = paper;
        paperSize_ = paperSize;
        resize(paperSize.isEmpty() ? QSize(0, 0) : paperSize + QSize(2 * kGap, 2 * kGap));
        update();
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        if (paper_.isNull()) return;
        QPainter painter(this);
        const QRect paper(QPoint(kGap, kGap), paperSize_);
        painter.fillRect(paper.translated(kShadow, kShadow), QColor(0, 0, 0, 90));
        painter.drawPixmap(paper.topLeft(), paper_);
        painter.setPen(QColor(96, 96, 96));
        painter.drawRect(paper.adjusted(-1, -1, 0, 0));
    }

  private:
    QPixmap paper_;
    QSize paperSize_;
};

// Reports its own resizes, so that a fitted zoom follows the window size.
class PageScrollArea : public QScrollArea {
  public:
    using QScrollArea::QScrollArea;
    std::function<void()> onResize;

  protected:
    void resizeEvent(QResizeEvent* event) override {
        QScrollArea::resizeEvent(event);
        if (onResize) onResize();
    }
};

}  // namespace

struct WPreviewWindow::Private {
    WPreviewWindow* window = nullptr;
    const ReportDocument& document;
    int current = 0;
    double zoom = 1.0;
    FitMode fit = FitMode::Width;

    PageScrollArea* scroll = nullptr;
    PageView* view = nullptr;
    QSpinBox* pageBox = nullptr;
    QLabel* pageCaption = nullptr;
    QLabel* pageLabel = nullptr;
    QLabel* zoomLabel = nullptr;
    QAction* first = nullptr;
    QAction* previous = nullptr;
    QAction* next = nullptr;
    QAction* last = nullptr;
    QAction* zoomIn = nullptr;
    QAction* zoomOut = nullptr;
    QAction* print = nullptr;

    // What the cached paper shows; a change of any re-renders it.
    int renderedPage = -1;
    double renderedZoom = 0;
    double renderedDpi = 0;
    qreal renderedRatio = 0;
    QPixmap paper;

    Private(WPreviewWindow* owner, const ReportDocument& doc) : window(owner), document(doc) {}

    int Count() const { return static_cast<int>(document.pages.size()); }
    double ScreenDpi() const { return window->logicalDpiX(); }
    // Screen pixels per page unit at zoom 1.
    double Scale() const { return ScreenDpi() / kUnitsPerInch; }
    QSize PaperSize() const {
        return QSize(static_cast<int>(document.pageWidth * Scale() * zoom),
                     static_cast<int>(document.pageHeight * Scale() * zoom));
    }

    QAction* AddButton(QHBoxLayout* row, const QString& name, const QString& text,
                       const QList<QKeySequence>& keys, const std::function<void()>& run) {
        auto* action = new QAction(text, window);
        action->setObjectName(name);
        // Kept whole: a tool button would drop the "..." of "Print...".
        action->setIconText(text);
        action->setShortcuts(keys);
        if (!keys.isEmpty())
            action->setToolTip(QStringLiteral("%1 (%2)").arg(
                text, keys.first().toString(QKeySequence::NativeText)));
        QObject::connect(action, &QAction::triggered, window, run);
        window->addAction(action);
        auto* button = new QToolButton(window);
        button->setDefaultAction(action);
        button->setAutoRaise(true);
        row->addWidget(button);
        return action;
    }

    void Build();
    void Refit();
    void Update();
};

void WPreviewWindow::Private::Build() {
    auto* row = new QHBoxLayout;
    row->setSpacing(2);
    first = AddButton(row, QStringLiteral("actFirst"), QStringLiteral("First"),
                      {QKeySequence(Qt::Key_Home), QKeySequence(Qt::CTRL | Qt::Key_Home)},
                      [this] { window->ShowPage(0); });
    previous = AddButton(row, QStringLiteral("actPrevious"), QStringLiteral("Previous"),
                         {QKeySequence(Qt::Key_PageUp)}, [this] { window->ShowPage(current - 1); });

    pageCaption = new QLabel(QStringLiteral("Page"), window);
    pageBox = new QSpinBox(window);
    pageBox->setObjectName(QStringLiteral("PageBox"));
    pageBox->setRange(1, std::max(1, Count()));
    // Only a finished number (Enter or leaving the box) turns the page, so
    // typing "12" does not pass through page 1.
    pageBox->setKeyboardTracking(false);
    pageBox->setAccessibleName(QStringLiteral("Page number"));
    pageCaption->setBuddy(pageBox);
    QObject::connect(pageBox, &QSpinBox::valueChanged, window,
                     [this](int value) { window->ShowPage(value - 1); });
    pageLabel = new QLabel(window);
    pageLabel->setObjectName(QStringLiteral("PageLabel"));
    row->addSpacing(6);
    row->addWidget(pageCaption);
    row->addWidget(pageBox);
    row->addWidget(pageLabel);
    row->addSpacing(6);

    next = AddButton(row, QStringLiteral("actNext"), QStringLiteral("Next"),
                     {QKeySequence(Qt::Key_PageDown)}, [this] { window->ShowPage(current + 1); });
    last = AddButton(row, QStringLiteral("actLast"), QStringLiteral("Last"),
                     {QKeySequence(Qt::Key_End), QKeySequence(Qt::CTRL | Qt::Key_End)},
                     [this] { window->ShowPage(Count() - 1); });
    row->addSpacing(12);

    zoomOut = AddButton(row, QStringLiteral("actZoomOut"), QStringLiteral("Zoom Out"),
                        {QKeySequence(Qt::CTRL | Qt::Key_Minus)}, [this] {
                            const double* step = std::lower_bound(
                                std::begin(kZoomSteps), std::end(kZoomSteps), zoom - 1e-6);
                            if (step != std::begin(kZoomSteps)) window->SetZoom(*(step - 1));
                        });
    zoomLabel = new QLabel(window);
    zoomLabel->setObjectName(QStringLiteral("ZoomLabel"));
    zoomLabel->setMinimumWidth(zoomLabel->fontMetrics().horizontalAdvance(QStringLiteral("0000%")));
    zoomLabel->setAlignment(Qt::AlignCenter);
    zoomLabel->setFrameShape(QFrame::StyledPanel);
    row->addWidget(zoomLabel);
    zoomIn = AddButton(
        row, QStringLiteral("actZoomIn"), QStringLiteral("Zoom In"),
        {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)}, [this] {
            const double* step =
                std::upper_bound(std::begin(kZoomSteps), std::end(kZoomSteps), zoom + 1e-6);
            if (step != std::end(kZoomSteps)) window->SetZoom(*step);
        });
    row->addSpacing(6);
    AddButton(row, QStringLiteral("actFitWidth"), QStringLiteral("Fit Width"), {},
              [this] { window->FitWidth(); });
    AddButton(row, QStringLiteral("actFitPage"), QStringLiteral("Fit Page"), {},
              [this] { window->FitPage(); });
    AddButton(row, QStringLiteral("actActualSize"), QStringLiteral("100%"),
              {QKeySequence(Qt::CTRL | Qt::Key_0)}, [this] { window->SetZoom(1.0); });
    row->addStretch(1);

    print =
        AddButton(row, QStringLiteral("actPrint"), QStringLiteral("Print..."),
                  {QKeySequence(QKeySequence::Print)}, [this] { PrintDocument(document, window); });
    auto* close = new QPushButton(QStringLiteral("Close"), window);
    close->setObjectName(QStringLiteral("butClose"));
    // Enter in the page number box must not close the window.
    close->setAutoDefault(false);
    QObject::connect(close, &QPushButton::clicked, window, &QDialog::reject);
    row->addWidget(close);

    scroll = new PageScrollArea(window);
    scroll->setObjectName(QStringLiteral("PageScroll"));
    scroll->setBackgroundRole(QPalette::Dark);
    scroll->setAlignment(Qt::AlignCenter);
    view = new PageView(scroll);
    scroll->setWidget(view);
    scroll->onResize = [this] { Refit(); };

    auto* layout = new QVBoxLayout(window);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addLayout(row);
    layout->addWidget(scroll, 1);
}

// Recomputes a fitted zoom for the current viewport; an explicit zoom stays.
void WPreviewWindow::Private::Refit() {
    if (fit == FitMode::None) return;
    const QSize area = scroll->maximumViewportSize();
    const double pageWidth = document.pageWidth * Scale();
    const double pageHeight = document.pageHeight * Scale();
    double fitted = 1.0;
    if (fit == FitMode::Width) {
        fitted = (area.width() - 2 * kGap) / pageWidth;
        // A page taller than the view brings the vertical scroll bar, which
        // takes its width from the view.
        if (pageHeight * fitted + 2 * kGap > area.height())
            fitted = (area.width() - scroll->verticalScrollBar()->sizeHint().width() - 2 * kGap) /
                     pageWidth;
    } else {
        fitted = std::min((area.width() - 2 * kGap) / pageWidth,
                          (area.height() - 2 * kGap) / pageHeight);
    }
    zoom = std::clamp(fitted, kMinZoom, kMaxZoom);
    Update();
}

void WPreviewWindow::Private::Update() {
    const int count = Count();
    const bool empty = count == 0;
    first->setEnabled(current > 0);
    previous->setEnabled(current > 0);
    next->setEnabled(current + 1 < count);
    last->setEnabled(current + 1 < count);
    zoomIn->setEnabled(zoom < kMaxZoom - 1e-6);
    zoomOut->setEnabled(zoom > kMinZoom + 1e-6);
    print->setEnabled(!empty);
    pageCaption->setVisible(!empty);
    pageBox->setVisible(!empty);
    {
        const QSignalBlocker quiet(pageBox);
        pageBox->setValue(current + 1);
    }
    pageLabel->setText(empty ? QStringLiteral("No pages") : QStringLiteral("of %1").arg(count));
    zoomLabel->setText(QStringLiteral("%1%").arg(std::lround(zoom * 100)));

    if (empty) {
        paper = QPixmap();
        view->SetPage(paper, QSize());
        return;
    }
    const qreal ratio = window->devicePixelRatioF();
    if (renderedPage != current || renderedZoom != zoom || renderedDpi != ScreenDpi() ||
        renderedRatio != ratio) {
        const QSize size = PaperSize();
        // Rendered at the screen's physical pixels, drawn at its logical size.
        QImage image(QSize(std::lround(size.width() * ratio), std::lround(size.height() * ratio)),
                     QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(ratio);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            painter.setRenderHint(QPainter::Antialiasing);
            painter.setRenderHint(QPainter::TextAntialiasing);
            painter.setRenderHint(QPainter::SmoothPixmapTransform);
            RenderPage(painter, document.pages[current], ScreenDpi() * zoom);
        }
        paper = QPixmap::fromImage(image);
        renderedPage = current;
        renderedZoom = zoom;
        renderedDpi = ScreenDpi();
        renderedRatio = ratio;
    }
    view->SetPage(paper, PaperSize());
}

WPreviewWindow::WPreviewWindow(const ReportDocument& document, QWidget* parent)
    : QDialog(parent), d_(new Private(this, document)) {
    setObjectName(QStringLiteral("WPreviewWindow"));
    setWindowTitle(QStringLiteral("Print Preview"));
    setModal(true);
    setSizeGripEnabled(true);
    d_->Build();

    QSize size(900, 760);
    if (QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableGeometry().size() * 0.95);
    resize(size);
    d_->Refit();
    // The page, not the page number box, takes the arrow keys at first.
    d_->scroll->setFocus();
}

WPreviewWindow::~WPreviewWindow() {
    delete d_;
}

int WPreviewWindow::PageCount() const {
    return d_->Count();
}

int WPreviewWindow::CurrentPage() const {
    return d_->current;
}

void WPreviewWindow::ShowPage(int index) {
    const int page = d_->Count() == 0 ? 0 : std::clamp(index, 0, d_->Count() - 1);
    const bool turned = page != d_->current;
    d_->current = page;
    d_->Update();
    if (turned) d_->scroll->verticalScrollBar()->setValue(0);
}

double WPreviewWindow::Zoom() const {
    return d_->zoom;
}

void WPreviewWindow::SetZoom(double zoom) {
    d_->fit = FitMode::None;
    d_->zoom = std::clamp(zoom, kMinZoom, kMaxZoom);
    d_->Update();
}

void WPreviewWindow::FitWidth() {
    d_->fit = FitMode::Width;
    d_->Refit();
}

void WPreviewWindow::FitPage() {
    d_->fit = FitMode::Page;
    d_->Refit();
}

}  // namespace vx::reports
