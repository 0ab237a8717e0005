// The modal preview of a prepared report: one page at a time with page
// navigation and zoom, all usable from the keyboard.
#pragma once

#include "reports/DisplayList.h"

#include <QDialog>

namespace vx::reports {

class WPreviewWindow : public QDialog {
    Q_OBJECT
  public:
    // The document must outlive the window.
    explicit WPreviewWindow(const ReportDocument& document, QWidget* parent = nullptr);
    ~WPreviewWindow() override;

    int PageCount() const;
    int CurrentPage() const;   // from 0
    void ShowPage(int index);  // clamped to the pages
    // Zoom factor: 1.0 shows the page at its printed size on the screen.
    double Zoom() const;
    void SetZoom(double zoom);
    void FitWidth();
    void FitPage();

  private:
    struct Private;
    Private* d_;
};

}  // namespace vx::reports
