#include "reports/ExportFilters.h"

#include "app/Errors.h"
#include "reports/PageRenderer.h"
#include "reports/ReportWriters.h"
#include "widgets/FilePaths.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <cmath>

namespace vx::reports {

const char* FormatName(ExportFormat format) {
    switch (format) {
        case ExportFormat::BMP:
            return "BMP";
        case ExportFormat::JPEG:
            return "JPEG";
        case ExportFormat::HTML:
            return "HTML";
        case ExportFormat::PDF:
            return "PDF";
        case ExportFormat::EMF:
            return "EMF";
        case ExportFormat::RTF:
            return "RTF";
    }
    return "PDF";
}

QString PageFileName(const QString& fileName, int pageIndex) {
    if (pageIndex == 0) return fileName;
    const QFileInfo info(fileName);
    const QString suffix = info.suffix();
    QString name = info.completeBaseName() + QStringLiteral("-%1").arg(pageIndex + 1);
    if (!suffix.isEmpty()) name += QLatin1Char('.') + suffix;
    return info.dir().filePath(name);
}

std::string WriteErrorMessage(const FilePath& file) {
    return "Error: The file \"" + file.Display() + "\" could not be written.";
}

void ThrowWriteError(const QString& fileName) {
    throw EInOutError(WriteErrorMessage(PathFromQt(fileName)));
}

WExportFilter::WExportFilter(ExportFormat format, QString fileName)
    : format_(format), fileName_(std::move(fileName)) {}

void WExportFilter::Write(const ReportDocument& document) {
    produced_.clear();
    WritePages(document);
    produced_ = fileName_;
}

namespace {

// PDF through Qt: the texts stay texts, so they can be searched and copied.
class WPdfFilter : public WExportFilter {
  public:
    using WExportFilter::WExportFilter;

  protected:
    void WritePages(const ReportDocument& document) override {
        QPdfWriter writer(FileName());
        writer.setPageSize(QPageSize(QPageSize::Letter));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        writer.setResolution(1200);
        writer.setTitle(document.title);
        writer.setCreator(QStringLiteral("Vellacor"));
        QPainter painter;
        if (!painter.begin(&writer)) ThrowWriteError(FileName());
        bool first = true;
        for (const ReportPage& page : document.pages) {
            if (!first) writer.newPage();
            first = false;
            RenderPage(painter, page, writer.resolution());
        }
        if (!painter.end()) ThrowWriteError(FileName());
    }
};

// JPEG and BMP: one picture per page at 150 dots per inch.
class WImageFilter : public WExportFilter {
  public:
    WImageFilter(ExportFormat format, QString fileName, const char* qtFormat)
        : WExportFilter(format, std::move(fileName)), qtFormat_(qtFormat) {}

  protected:
    void WritePages(const ReportDocument& document) override {
        constexpr double kDpi = 150.0;
        const int width = static_cast<int>(std::lround(document.pageWidth * kDpi / kUnitsPerInch));
        const int height =
            static_cast<int>(std::lround(document.pageHeight * kDpi / kUnitsPerInch));
        const int dotsPerMeter = static_cast<int>(std::lround(kDpi / 0.0254));
        for (size_t index = 0; index < document.pages.size(); ++index) {
            QImage image(width, height, QImage::Format_RGB32);
            image.setDotsPerMeterX(dotsPerMeter);
            image.setDotsPerMeterY(dotsPerMeter);
            image.fill(Qt::white);
            {
                QPainter painter(&image);
                RenderPage(painter, document.pages[index], kDpi);
            }
            const QString name = PageFileName(FileName(), static_cast<int>(index));
            if (!image.save(name, qtFormat_, 90)) ThrowWriteError(name);
        }
    }

  private:
    const char* qtFormat_;
};

class WHtmlFilter : public WExportFilter {
  public:
    using WExportFilter::WExportFilter;

  protected:
    void WritePages(const ReportDocument& document) override { WriteHtml(document, FileName()); }
};

class WRtfFilter : public WExportFilter {
  public:
    using WExportFilter::WExportFilter;

  protected:
    void WritePages(const ReportDocument& document) override { WriteRtf(document, FileName()); }
};

// One metafile per page, named like the pictures.
class WEmfFilter : public WExportFilter {
  public:
    using WExportFilter::WExportFilter;

  protected:
    void WritePages(const ReportDocument& document) override {
        for (size_t index = 0; index < document.pages.size(); ++index)
            WriteEmf(document, document.pages[index],
                     PageFileName(FileName(), static_cast<int>(index)));
    }
};

}  // namespace

std::unique_ptr<WExportFilter> WExportFilter::Create(ExportFormat format, const QString& fileName) {
    switch (format) {
        case ExportFormat::BMP:
            return std::make_unique<WImageFilter>(format, fileName, "BMP");
        case ExportFormat::JPEG:
            return std::make_unique<WImageFilter>(format, fileName, "JPEG");
        case ExportFormat::HTML:
            return std::make_unique<WHtmlFilter>(format, fileName);
        case ExportFormat::EMF:
            return std::make_unique<WEmfFilter>(format, fileName);
        case ExportFormat::RTF:
            return std::make_unique<WRtfFilter>(format, fileName);
        case ExportFormat::PDF:
            break;
    }
    return std::make_unique<WPdfFilter>(ExportFormat::PDF, fileName);
}

}  // namespace vx::reports
