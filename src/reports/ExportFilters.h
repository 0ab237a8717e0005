// Export filters: each writes a prepared report to one format. The image
// formats and EMF hold one page per file: the first page gets the chosen
// name, page n the name with "-n" before the extension; the name reported is
// always that of the first file.
#pragma once

#include "app/FilePath.h"
#include "reports/DisplayList.h"

#include <QString>

#include <memory>
#include <string>

namespace vx::reports {

// The format codes of the save dialog's file types.
enum class ExportFormat : int { BMP = 0, JPEG = 1, HTML = 2, PDF = 3, EMF = 4, RTF = 5 };

// "BMP", "JPEG", "HTML", "PDF", "EMF" or "RTF".
const char* FormatName(ExportFormat format);

// The file of page `pageIndex` (from 0) for formats with one file per page.
QString PageFileName(const QString& fileName, int pageIndex);

// The message of an output file that cannot be written.
std::string WriteErrorMessage(const FilePath& file);
// Throws EInOutError with that message about `fileName`.
[[noreturn]] void ThrowWriteError(const QString& fileName);

class WExportFilter {
  public:
    WExportFilter(ExportFormat format, QString fileName);
    virtual ~WExportFilter() = default;

    ExportFormat Format() const { return format_; }
    const QString& FileName() const { return fileName_; }
    // The file produced (the first one for formats with one file per page);
    // empty until Write succeeded.
    const QString& ProducedFileName() const { return produced_; }

    // Writes every page; throws EInOutError when a file cannot be written.
    void Write(const ReportDocument& document);

    static std::unique_ptr<WExportFilter> Create(ExportFormat format, const QString& fileName);

  protected:
    virtual void WritePages(const ReportDocument& document) = 0;

  private:
    ExportFormat format_;
    QString fileName_;
    QString produced_;
};

}  // namespace vx::reports
