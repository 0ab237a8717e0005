// A small banded report engine. A report is a page header, a page footer and
// a sequence of bands; each band holds labels and rules at fixed places.
// Bands with a need-data handler repeat: the engine asks for one more row,
// runs the band's before-print handler and prints the band, until the
// answer is "no more". Bands without one print once. The laid-out pages are
// kept as a display list (DisplayList.h) that every output renders.
#pragma once

#include "reports/DisplayList.h"

#include <QColor>
#include <QRectF>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

class QWidget;

namespace vx::reports {

class WExportFilter;

// Printable area of a Letter page with half-inch margins, in page units.
inline constexpr double kMargin = 48.0;
inline constexpr double kPrintableWidth = 720.0;

struct WReportLabel {
    QRectF geometry;  // relative to the band's top-left corner
    QString text;
    FontSpec font;
    HAlign align = HAlign::Left;
    bool wordWrap = false;     // break into lines within the width
    bool autoStretch = false;  // with wordWrap: the band grows to show every line
    bool visible = true;
    QColor colour = Qt::black;
    QColor background;  // invalid: transparent
};

enum class RuleKind { Horizontal, Vertical, Box, DoubleHorizontal };

struct WReportRule {
    QRectF geometry;  // relative to the band
    RuleKind kind = RuleKind::Horizontal;
    QColor colour = Qt::black;
    double penWidth = 1.0;
    bool dotted = false;
    bool visible = true;
};

class WReportBand {
  public:
    double height = 0;
    bool enabled = true;
    QColor colour;  // invalid: no background fill
    // A rule along the band's bottom edge (divider lines between rows).
    bool bottomFrame = false;
    QColor frameColour = Qt::black;
    bool frameDotted = false;

    // Set `more` to true when one more row was delivered; leave it otherwise.
    std::function<void(bool& more)> needData;
    // Runs before every print of the band; clear `print` to skip it.
    std::function<void(bool& print)> beforePrint;
    // A band printed right after this one, on the same page when it fits
    // (the column headings under a page header).
    std::unique_ptr<WReportBand> child;

    WReportLabel* AddLabel(const QRectF& geometry, const QString& text, const FontSpec& font,
                           HAlign align = HAlign::Left);
    WReportRule* AddRule(const QRectF& geometry, RuleKind kind);
    WReportBand* AddChild(double childHeight);

    const std::vector<std::unique_ptr<WReportLabel>>& Labels() const { return labels_; }
    const std::vector<std::unique_ptr<WReportRule>>& Rules() const { return rules_; }

  private:
    std::vector<std::unique_ptr<WReportLabel>> labels_;
    std::vector<std::unique_ptr<WReportRule>> rules_;
};

// Called once per finished page while a report is prepared; returning false
// cancels the preparation.
using ProgressCallback = std::function<bool(int pagesDone)>;

class WReportEngine {
  public:
    WReportEngine();
    virtual ~WReportEngine();
    WReportEngine(const WReportEngine&) = delete;
    WReportEngine& operator=(const WReportEngine&) = delete;

    WReportBand& PageHeader() { return pageHeader_; }
    WReportBand& PageFooter() { return pageFooter_; }
    // Appends a band to the body; bands print in the order they were added.
    WReportBand* AddBand(double height);

    // Report-wide events.
    std::function<void()> onBeforePrint;
    std::function<void()> onAfterPrint;
    std::function<void()> onStartPage;

    // The page being laid out, from 1.
    int PageNumber() const { return pageNumber_; }

    // Width of a text in page units, as it will be drawn.
    static double TextWidth(const QString& text, const FontSpec& font);
    // The longest beginning of `text` narrower than `width` (the whole text
    // when it fits). No ellipsis is added.
    static QString FitText(const QString& text, const FontSpec& font, double width);
    // `text` when it fits `width`, otherwise its longest beginning that
    // fits with an ellipsis after it.
    static QString ElideText(const QString& text, const FontSpec& font, double width);
    // The lines of `text` broken to fit `width`; explicit line breaks kept.
    static std::vector<QString> WrapText(const QString& text, const FontSpec& font, double width);
    // Height of one line of the font in page units.
    static double LineHeight(const FontSpec& font);

    // Lays every page out. Returns false when cancelled through `progress`;
    // the pages made so far are then discarded.
    bool Prepare(const ProgressCallback& progress = {});
    const ReportDocument& Document() const { return document_; }
    bool Prepared() const { return prepared_; }
    // Forgets the prepared pages (the engine's print job).
    void ClearPrepared();

    // Preparation with a progress window that can be cancelled, then the
    // printer dialog and printing. Returns false when nothing was printed.
    bool Print(QWidget* parent);
    // Preparation with a progress window, then the modal preview window.
    bool Preview(QWidget* parent);
    // Writes the prepared pages through the filter (Prepare first).
    void ExportToFilter(WExportFilter& filter);

  protected:
    // Called while delivering a row: starts a new page unless `height` more
    // fits below what is printed, or could not fit on any page.
    void KeepTogether(double height);
    // The title the outputs carry in their document properties.
    void SetDocumentTitle(const QString& title) { document_.title = title; }

  private:
    void StartPage();
    void FinishPage();
    double BodyBottom() const;
    void PrintBand(WReportBand& band);
    void PrintBandWithChild(WReportBand& band);
    double BandHeight(const WReportBand& band) const;
    void EmitBand(const WReportBand& band, double top, double height);
    void EmitLabel(const WReportLabel& label, double left, double top, double bottomLimit);
    void EmitRule(const WReportRule& rule, double left, double top);
    bool RunBody();

    WReportBand pageHeader_;
    WReportBand pageFooter_;
    std::vector<std::unique_ptr<WReportBand>> bands_;

    ReportDocument document_;
    bool prepared_ = false;
    int pageNumber_ = 0;
    double cursorY_ = 0;
    double bodyTop_ = 0;
    bool cancelled_ = false;
    ProgressCallback progress_;
};

}  // namespace vx::reports
