#include "reports/ReportInfoForm.h"

#include "app/TextUtil.h"
#include "gedcom/ABSCollection.h"
#include "records/Repository.h"

namespace vx::reports {

namespace {

constexpr double kValueLeft = 180;

struct SubmitterField {
    const char* caption;
    std::string (WABSSubmitter::*value)() const;
};

constexpr SubmitterField kSubmitterFields[] = {
    {"Name", &WABSSubmitter::SubmitterName},
    {"Address 1", &WABSSubmitter::AddressLine1},
    {"Address 2", &WABSSubmitter::AddressLine2},
    {"Address 3", &WABSSubmitter::AddressLine3},
    {"Country", &WABSSubmitter::Country},
    {"Phone", &WABSSubmitter::Phone},
    {"Email", &WABSSubmitter::Email},
};

// Collections of this kind keep a web site where GEDCOM keeps the country.
constexpr int kWebSiteKind = 3;

}  // namespace

void TReportInfoForm::BuildRows(std::vector<ReportRow>& rows) {
    const WABSCollection& collection = *collection_;

    rows.push_back(Heading(QStringLiteral("Header Information")));
    rows.push_back(
        ColumnCaptions(QStringLiteral("Information"), QStringLiteral("Description"), kValueLeft));
    for (const GenHeaderRec& field : collection.HeaderFields())
        rows.push_back(CaptionValue(Text(field.label), Text(field.value), kValueLeft, true));
    rows.push_back(Spacer(10));

    rows.push_back(Heading(QStringLiteral("Submitter")));
    rows.push_back(
        ColumnCaptions(QStringLiteral("Information"), QStringLiteral("Description"), kValueLeft));
    const auto submitter = collection.Submitter();
    for (const SubmitterField& field : kSubmitterFields) {
        QString caption = QString::fromLatin1(field.caption);
        if (field.value == &WABSSubmitter::Country && collection.FileKind() == kWebSiteKind)
            caption = QStringLiteral("Web Site");
        const QString value = submitter ? Text(((*submitter).*field.value)()) : QString();
        rows.push_back(CaptionValue(caption, value, kValueLeft, true));
    }
    rows.push_back(Spacer(10));

    rows.push_back(Heading(QStringLiteral("File Information")));
    rows.push_back(
        ColumnCaptions(QStringLiteral("Stats"), QStringLiteral("Description"), kValueLeft));
    const std::pair<const char*, QString> fileRows[] = {
        {"File Name", FileTitle()},
        {"File Size", Text(collection.FileSizeText()) + QStringLiteral(" bytes")},
        {"File Date", Text(collection.FileDateText())},
        {"# Individuals", Text(FormatThousands(collection.IndividualCount()))},
        {"# Families", Text(FormatThousands(collection.FamilyCount()))},
        {"# Notes", Text(FormatThousands(collection.NoteCount()))},
        {"# Sources", Text(FormatThousands(collection.SourceCount()))},
    };
    for (const auto& [caption, value] : fileRows)
        rows.push_back(CaptionValue(QString::fromLatin1(caption), value, kValueLeft, true));
}

}  // namespace vx::reports
