// The common base of the eight reports: a page header with the title over a
// double rule, and a page footer with "Printed by Vellacor", the page
// number, the date and time, and the file title.
#pragma once

#include "reports/ReportEngine.h"

#include <QString>

#include <cstdint>

#include <memory>
#include <string>

namespace vx {
class WABSCollection;
class WABSIndividual;
class WABSMarriage;
}  // namespace vx

namespace vx::reports {

class TABSReportForm : public WReportEngine {
  public:
    TABSReportForm();
    ~TABSReportForm() override;

    void SetTitle(const QString& title);
    const QString& Title() const { return title_; }
    void SetFileTitle(const QString& fileTitle);
    const QString& FileTitle() const { return fileTitle_; }
    virtual void SetCollection(WABSCollection* collection);
    virtual void SetIndividual(int32_t individual);

    // The date and time printed in the footer ("d mmm yyyy hh:mm AM/PM");
    // tests fix it, otherwise it is the time the report starts.
    void SetPrintTime(const QString& text) { fixedTime_ = text; }

    // Fonts of the report layouts.
    static FontSpec Arial(double points, bool bold = false);

  protected:
    // The records of the collection, null for numbers that name none.
    std::unique_ptr<WABSIndividual> PersonAt(int32_t n) const;
    std::unique_ptr<WABSMarriage> FamilyAt(int32_t f) const;
    // A text of the core for the page.
    static QString Text(const std::string& text);
    // Shows `text` as the page title: a title too long for one line wraps
    // onto as many as it needs (up to a few), and the header grows with it.
    void ShowTitleText(const QString& text);

    WABSCollection* collection_ = nullptr;
    int32_t individual_ = 0;
    WReportLabel* labTitle_ = nullptr;
    WReportRule* doubleLine_ = nullptr;

  private:
    void SetFooterTexts();

    QString title_;
    QString fileTitle_;
    QString fixedTime_;
    QString startTime_;
    WReportLabel* labFooterPage_ = nullptr;
    WReportLabel* labFooterDate_ = nullptr;
    WReportLabel* labFooterFileName_ = nullptr;
};

}  // namespace vx::reports
