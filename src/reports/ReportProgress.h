// The progress window shown while a report is prepared for printing, the
// preview or a file: the number of pages done and a Cancel button. It
// appears only when the work takes more than a moment.
#pragma once

#include "reports/ReportEngine.h"

#include <QString>

class QWidget;

namespace vx::reports {

class WReportProgress {
  public:
    WReportProgress(QWidget* parent, const QString& caption);
    ~WReportProgress();
    WReportProgress(const WReportProgress&) = delete;
    WReportProgress& operator=(const WReportProgress&) = delete;

    // For WReportEngine::Prepare: updates the window, lets events through,
    // and answers false once Cancel was pressed.
    ProgressCallback Callback();
    bool Cancelled() const;

  private:
    struct Private;
    Private* d_;
};

}  // namespace vx::reports
