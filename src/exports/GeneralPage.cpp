#include "exports/GeneralPage.h"

#include <cstdio>
#include <iterator>
#include <memory>

#include "app/TextUtil.h"
#include "gedcom/ABSCollection.h"
#include "records/Repository.h"

namespace vx {
namespace {

// What a row of the file information grid shows.
enum class FileValue { Name, Size, Date, ImportTime, Individuals, Families, Notes, Sources };

struct FileRow {
    const char* caption;
    const char* textLabel;  // its line in the copied text; null for none
    FileValue value;
};

constexpr FileRow kFileRows[] = {
    {"Name", "File Name:   ", FileValue::Name},
    {"Size", "File Size:   ", FileValue::Size},
    {"Date", "File Date:   ", FileValue::Date},
    {"Importing", nullptr, FileValue::ImportTime},
    {"# Inds", "Individuals: ", FileValue::Individuals},
    {"# Fams", "Families:    ", FileValue::Families},
    {"# Notes", "Notes:       ", FileValue::Notes},
    {"# Srcs", "Sources:     ", FileValue::Sources},
};

struct SubmitterRow {
    const char* caption;
    const char* textLabel;
    std::string (WABSSubmitter::*value)() const;
};

constexpr SubmitterRow kSubmitterRows[] = {
    {"Name", "Name:      ", &WABSSubmitter::SubmitterName},
    {"Addr 1", "Address 1: ", &WABSSubmitter::AddressLine1},
    {"Addr 2", "Address 2: ", &WABSSubmitter::AddressLine2},
    {"Addr 3", "Address 3: ", &WABSSubmitter::AddressLine3},
    {"Country", "Country:   ", &WABSSubmitter::Country},
    {"Phone", "Phone:     ", &WABSSubmitter::Phone},
    {"Email", "Email:     ", &WABSSubmitter::Email},
};

constexpr const char* kCrLf = "\r\n";

std::string FileValueText(const WABSCollection& collection, FileValue value,
                          std::optional<double> importSeconds) {
    switch (value) {
        case FileValue::Name:
            return {};  // the grid leaves the name out; the copied text names the file
        case FileValue::Size:
            return collection.FileSizeText();
        case FileValue::Date:
            return collection.FileDateText();
        case FileValue::ImportTime:
            return importSeconds ? ImportTimeText(*importSeconds) : std::string();
        case FileValue::Individuals:
            return FormatThousands(collection.IndividualCount());
        case FileValue::Families:
            return FormatThousands(collection.FamilyCount());
        case FileValue::Notes:
            return FormatThousands(collection.NoteCount());
        case FileValue::Sources:
            return FormatThousands(collection.SourceCount());
    }
    return {};
}

}  // namespace

std::string ImportTimeText(double seconds) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.3f seconds", seconds);
    return buffer;
}

GeneralPage BuildGeneralPage(const WABSCollection* collection,
                             std::optional<double> importSeconds) {
    GeneralPage page;
    page.header = {"Info", "Description", {}};
    page.submitter = {"Info", "Description", {}};
    page.fileInformation = {"Stats", "Description", {}};

    std::unique_ptr<WABSSubmitter> submitter;
    if (collection) {
        for (const GenHeaderRec& field : collection->HeaderFields())
            page.header.rows.push_back({field.label, field.value});
        page.rawHeader = collection->HeaderText();
        submitter = collection->Submitter();
    } else {
        page.header.rows.push_back({});
    }

    page.hasSubmitter = submitter != nullptr;
    if (submitter) page.rawSubmitter = submitter->RecordText();
    for (const SubmitterRow& row : kSubmitterRows)
        page.submitter.rows.push_back(
            {row.caption, submitter ? ((*submitter).*row.value)() : std::string()});

    for (const FileRow& row : kFileRows)
        page.fileInformation.rows.push_back(
            {row.caption,
             collection ? FileValueText(*collection, row.value, importSeconds) : std::string()});
    return page;
}

std::string GeneralText(const GeneralPage& page, const std::string& fileName, bool raw) {
    std::string text = "GENERAL INFORMATION\r\n\r\nFILE INFORMATION\r\n";
    for (size_t i = 0; i < std::size(kFileRows) && i < page.fileInformation.rows.size(); ++i) {
        const FileRow& row = kFileRows[i];
        if (!row.textLabel) continue;
        text += row.textLabel;
        text += row.value == FileValue::Name ? fileName : page.fileInformation.rows[i].value;
        text += kCrLf;
    }

    text += "\r\nHEADER INFORMATION\r\n";
    if (raw) {
        text += page.rawHeader;
    } else {
        for (const GeneralRow& row : page.header.rows)
            text += row.label + ":  " + row.value + kCrLf;
    }

    text += "\r\nSUBMITTER INFORMATION\r\n";
    if (!page.hasSubmitter) return text;
    if (raw) return text + page.rawSubmitter;
    for (size_t i = 0; i < std::size(kSubmitterRows) && i < page.submitter.rows.size(); ++i)
        text += kSubmitterRows[i].textLabel + page.submitter.rows[i].value + kCrLf;
    return text;
}

std::string GeneralText(const WABSCollection& collection, const std::string& fileName, bool raw) {
    return GeneralText(BuildGeneralPage(&collection), fileName, raw);
}

}  // namespace vx
