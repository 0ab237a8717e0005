// vellacor-tool report: makes the print dialog's reports as files without a
// screen, for scripts and tests. The report is built exactly as the print
// dialog builds it, from a GEDCOM file loaded with the default settings.
#include <QGuiApplication>
#include <QString>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "analysis/FamilyAnalysis.h"
#include "app/Errors.h"
#include "app/Options.h"
#include "app/Settings.h"
#include "app/TextUtil.h"
#include "columns/ListColumns.h"
#include "gedcom/GEDCollection.h"
#include "highlight/ColHLIterator.h"
#include "highlight/HLGroup.h"
#include "main/ToolArgs.h"
#include "main/ToolCommands.h"
#include "main/ToolGedcom.h"
#include "records/Individual.h"
#include "reports/ABSReportForm.h"
#include "reports/ReportRunner.h"

namespace vx::tool {
namespace {

constexpr const char* kHelp =
    "Usage: vellacor-tool report GEDCOM KIND [N] -o FILE [OPTIONS]\n"
    "\n"
    "Writes a report of the print dialog to FILE. KIND is one of general,\n"
    "individual, family, pedigree, descendants, list, highlighted, islands; N is\n"
    "the active individual (default 1).\n"
    "  --format F        pdf, html, rtf, jpg, bmp or emf (default: from FILE's\n"
    "                    extension, else pdf); jpg, bmp and emf write one file per\n"
    "                    page, page n named FILE with \"-n\" before the extension\n"
    "  --conditions S    highlighting conditions (highlighted: required)\n"
    "  --marriage K      family and pedigree: the K-th spouse family (default 1)\n"
    "  --cascading       pedigree: cascading sheets\n"
    "  --notes           individual: print notes\n"
    "  --lds             show LDS ordinances\n"
    "  --columns LIST    list columns (list, highlighted; descendants prints\n"
    "                    columns only with this option)\n"
    "  --gens G          descendants: generations to show (default 32)\n"
    "  --indent A        descendants: indent amount (default 8)\n"
    "  --repeat          descendants: repeat individuals\n"
    "  --area W          descendants: column area position, 18 to 54 (default 36)\n"
    "  --grey            grey alternating lines\n"
    "  --dividers        divider lines between rows\n"
    "  --mark            list: mark highlighted individuals with \"*\"\n"
    "  --time TEXT       the date and time printed in the footer\n";

struct KindName {
    const char* name;
    int kind;
};

constexpr KindName kKinds[] = {
    {"general", reports::kReportGeneral},         {"individual", reports::kReportIndividual},
    {"family", reports::kReportFamily},           {"pedigree", reports::kReportPedigree},
    {"descendants", reports::kReportDescendants}, {"list", reports::kReportList},
    {"highlighted", reports::kReportHighlighted}, {"islands", reports::kReportIslands},
};

struct FormatName {
    const char* name;
    reports::ExportFormat format;
};

constexpr FormatName kFormats[] = {
    {"pdf", reports::ExportFormat::PDF},  {"html", reports::ExportFormat::HTML},
    {"htm", reports::ExportFormat::HTML}, {"rtf", reports::ExportFormat::RTF},
    {"jpg", reports::ExportFormat::JPEG}, {"jpeg", reports::ExportFormat::JPEG},
    {"bmp", reports::ExportFormat::BMP},  {"emf", reports::ExportFormat::EMF},
};

int KindOf(const std::string& name) {
    for (const KindName& kind : kKinds)
        if (name == kind.name) return kind.kind;
    throw UsageError("unknown report kind " + name);
}

const FormatName* FindFormat(std::string name) {
    for (char& c : name)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (const FormatName& format : kFormats)
        if (name == format.name) return &format;
    return nullptr;
}

reports::ExportFormat FormatOf(const ToolArgs& parsed, const std::string& output) {
    if (const auto name = parsed.Value("format")) {
        const FormatName* format = FindFormat(*name);
        if (!format) throw UsageError("--format takes pdf, html, rtf, jpg, bmp or emf");
        return format->format;
    }
    std::string extension = std::filesystem::path(output).extension().string();
    if (!extension.empty()) extension.erase(0, 1);
    const FormatName* format = FindFormat(extension);
    return format ? format->format : reports::ExportFormat::PDF;
}

int NumberOption(const ToolArgs& parsed, const char* name, int fallback) {
    const auto value = parsed.Value(name);
    if (!value) return fallback;
    int32_t number = 0;
    if (!ParseInt(*value, number)) throw UsageError(std::string("--") + name + " takes a number");
    return number;
}

// The spouse family asked for with --marriage, from 0; one the individual
// does not have is refused rather than printed as an empty block.
int MarriageEntry(const WGEDCollection& collection, int32_t individual, const ToolArgs& parsed) {
    const int marriage = NumberOption(parsed, "marriage", 1);
    if (!parsed.Has("marriage")) return marriage - 1;
    if (marriage < 1) throw UsageError("--marriage takes a family number from 1");
    const auto person = collection.Individual(individual);
    const int count = person ? person->SpouseFamilyCount() : 0;
    if (marriage > count)
        throw VxError("individual " + std::to_string(individual) + " has " + std::to_string(count) +
                      (count == 1 ? " marriage" : " marriages") + ", not " +
                      std::to_string(marriage));
    return marriage - 1;
}

// Reports draw with Qt's fonts and painters; no screen is needed.
std::unique_ptr<QGuiApplication> StartQt() {
    if (QGuiApplication::instance()) return nullptr;
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static int argc = 1;
    static char name[] = "vellacor-tool";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QGuiApplication>(argc, argv);
}

}  // namespace

int RunReport(const std::vector<std::string>& args) {
    const ToolArgs parsed(args, {{"help", 'h', false},
                                 {"output", 'o', true},
                                 {"format", 0, true},
                                 {"conditions", 0, true},
                                 {"marriage", 0, true},
                                 {"cascading", 0, false},
                                 {"notes", 0, false},
                                 {"lds", 0, false},
                                 {"columns", 0, true},
                                 {"gens", 0, true},
                                 {"indent", 0, true},
                                 {"repeat", 0, false},
                                 {"area", 0, true},
                                 {"grey", 0, false},
                                 {"dividers", 0, false},
                                 {"mark", 0, false},
                                 {"time", 0, true}});
    if (parsed.Has("help")) {
        std::fputs(kHelp, stdout);
        return kExitOk;
    }
    const std::vector<std::string>& words = parsed.Positionals();
    if (words.size() < 2 || words.size() > 3)
        throw UsageError("expected a GEDCOM file, a report kind and an individual number");
    const auto output = parsed.Value("output");
    if (!output || output->empty()) throw UsageError("-o FILE is required");
    const int kind = KindOf(words[1]);
    const reports::ExportFormat format = FormatOf(parsed, *output);

    TerminalMessages messages("vellacor-tool report");
    const auto qt = StartQt();
    auto collection = LoadGedcom(words[0]);
    const WGEDCollection& c = *collection;
    FamilyAnalysis analysis(c);
    const int32_t individual =
        BasePerson(c, words.size() == 3 ? std::optional<std::string>(words[2]) : std::nullopt);
    MakeActive(c, individual);
    WOptions::SetFlag(opt::kUseLDS, parsed.Has("lds"));
    WOptions::SetFlag(opt::kIndNotes, parsed.Has("notes"));

    std::unique_ptr<WHLGroup> group;
    if (kind == reports::kReportHighlighted || parsed.Has("conditions"))
        group = ConditionGroup(analysis, parsed);

    WListColumns listColumns(&analysis, ListSectionName(ListSection::List));
    listColumns.SetColumnString(parsed.Value("columns").value_or(kDefaultListColumns));
    listColumns.SetBasePerson(individual);
    WListColumns desColumns(&analysis, ListSectionName(ListSection::DesList));
    if (const auto columns = parsed.Value("columns")) desColumns.SetColumnString(*columns);
    desColumns.SetBasePerson(individual);

    reports::ReportRequest request;
    request.kind = kind;
    request.collection = collection.get();
    request.analysis = &analysis;
    request.individual = individual;
    request.fileTitle = QString::fromStdString(std::filesystem::path(words[0]).filename().string());
    request.spouseEntry = MarriageEntry(c, individual, parsed);
    request.cascading = parsed.Has("cascading");
    request.desIndent = NumberOption(parsed, "indent", 8);
    request.desGenerations = NumberOption(parsed, "gens", 32);
    request.desRepeat = parsed.Has("repeat");
    request.desPrintColumns = parsed.Has("columns");
    request.desColumnAreaWidth = NumberOption(parsed, "area", 36);
    request.desDividerLines = parsed.Has("dividers");
    request.desColumns = &desColumns;
    request.greyLines = parsed.Has("grey");
    request.dividerLines = parsed.Has("dividers");
    request.markHighlighted = parsed.Has("mark");
    request.listColumns = &listColumns;
    request.group = group.get();

    auto job = reports::ReportJob::Create(request);
    if (!job) throw VxError("this report needs an individual");
    if (const auto time = parsed.Value("time"))
        job->Report().SetPrintTime(QString::fromStdString(*time));
    const QString produced = job->Save(format, QString::fromStdString(*output));
    std::printf("%s\n", produced.toStdString().c_str());
    return kExitOk;
}

}  // namespace vx::tool
