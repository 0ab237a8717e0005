// vellacor-tool dump: prints, for a GEDCOM file, the texts the viewer shows
// or copies, so that every analysis can be checked without a screen. The
// file is loaded as the viewer loads it, with the default settings, and the
// person asked for is made active the way the viewer's scroller does it.
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "analysis/DesIterator.h"
#include "analysis/FamilyAnalysis.h"
#include "analysis/RelationShipCalc.h"
#include "app/Errors.h"
#include "app/Options.h"
#include "app/Services.h"
#include "app/Settings.h"
#include "app/TextUtil.h"
#include "columns/ColSortIterator.h"
#include "columns/ListColumns.h"
#include "exports/DescendantsText.h"
#include "exports/FamilyPage.h"
#include "exports/GeneralPage.h"
#include "exports/IndividualPage.h"
#include "exports/IslandsText.h"
#include "exports/ListText.h"
#include "exports/PedigreePage.h"
#include "gedcom/GEDCollection.h"
#include "highlight/ColHLIterator.h"
#include "highlight/HLGroup.h"
#include "main/ToolArgs.h"
#include "main/ToolCommands.h"
#include "main/ToolGedcom.h"
#include "records/Individual.h"

namespace vx::tool {
namespace {

constexpr const char* kHelp =
    "Usage: vellacor-tool dump GEDCOM WHAT [ARGUMENTS]\n"
    "\n"
    "Prints what the viewer shows or copies for a GEDCOM file, as UTF-8 text:\n"
    "  counts                      the status bar counts and the character set code\n"
    "  summary-line N              the one-line summary of individual N\n"
    "  summary N                   the person summary of individual N (its hint)\n"
    "  relationship BASE OTHER     how OTHER is related to BASE, and their common\n"
    "                              ancestor in full and as \"Surname, Given\"\n"
    "  descendants N [--gens G] [--repeat]\n"
    "                              the Descendants tab of N as copied to the clipboard\n"
    "  islands                     the Islands tab in fixed columns\n"
    "  list [--columns LIST] [--sort K] [--descending] [--base N] [--format csv|fixed]\n"
    "       [--widths W1,W2,...]\n"
    "                              the List tab as copied to the clipboard: LIST is a\n"
    "                              column string (default \"1,2,7,65,67,19,18\"), rows\n"
    "                              sorted by column K (default 1), relationships\n"
    "                              against individual N (default 1), widths in pixels\n"
    "                              per column for the fixed format (default fixed)\n"
    "  highlighted --conditions STRING [list options]\n"
    "                              the Highlighted tab as copied to the clipboard, for\n"
    "                              a condition string such as \"+29:1SMITH;A;-17:F\"\n"
    "  general                     the General tab as copied to the clipboard\n"
    "  individual N                the Individual tab of N as copied to the clipboard\n"
    "  family N [--marriage K]     the Family tab of N, showing its K-th family\n"
    "  pedigree N [--marriage K]   the Pedigree tab of N, with its K-th family\n"
    "  describe --conditions STRING\n"
    "                              each condition in words, one per line, then the\n"
    "                              whole group\n"
    "Individuals are numbered from 1 in file order.\n";

void Write(const std::string& bytes) {
    std::fwrite(bytes.data(), 1, bytes.size(), stdout);
}

int32_t OptionNumber(const ToolArgs& parsed, const char* name, int32_t fallback) {
    const auto value = parsed.Value(name);
    if (!value) return fallback;
    int32_t number = 0;
    if (!ParseInt(*value, number)) throw UsageError(std::string("--") + name + " takes a number");
    return number;
}

ListFormat FormatOption(const ToolArgs& parsed) {
    const std::string format = parsed.Value("format").value_or("fixed");
    if (format == "fixed") return ListFormat::FixedColumns;
    if (format == "csv") return ListFormat::Csv;
    throw UsageError("--format takes csv or fixed");
}

// The List tab (or, with a group, the Highlighted tab) right after the
// viewer started on individual `base` with that column string, sorted by
// one of its columns.
std::string ListDump(const WGEDCollection& c, FamilyAnalysis& analysis, const ToolArgs& parsed,
                     WHLGroup* group) {
    const int32_t base = BasePerson(c, parsed.Value("base"));
    WListColumns columns(&analysis, ListSectionName(ListSection::List));
    columns.SetColumnString(parsed.Value("columns").value_or(kDefaultListColumns));
    if (const auto widths = parsed.Value("widths")) {
        std::vector<std::string> pieces;
        Split(*widths, ",", pieces, true);
        for (size_t i = 0; i < pieces.size(); ++i) {
            int32_t pixels = 0;
            if (!ParseInt(pieces[i], pixels))
                throw UsageError("--widths takes pixel widths separated by commas");
            columns.SetColumnWidth(static_cast<int>(i) + 1, pixels);
        }
    }
    const int32_t sortColumn = OptionNumber(parsed, "sort", 1);
    if (columns.ColumnCount() > 0 && (sortColumn < 1 || sortColumn > columns.ColumnCount()))
        throw UsageError("--sort takes a column from 1 to " +
                         std::to_string(columns.ColumnCount()));
    MakeActive(c, base);
    columns.SetBasePerson(base);
    std::unique_ptr<WColSortIterator> list;
    if (group)
        list = std::make_unique<WColHLIterator>(*group, &c, nullptr);
    else
        list = std::make_unique<WColSortIterator>(&c, nullptr);
    columns.SetSortIterator(list.get());
    if (columns.ColumnCount() > 0) {
        columns.SortByColumn(sortColumn);
        // The same header clicked again reads the list backwards.
        if (parsed.Has("descending")) columns.SortByColumn(sortColumn);
    }
    return ListText(columns, *list, FormatOption(parsed));
}

}  // namespace

int RunDump(const std::vector<std::string>& args) {
    const ToolArgs parsed(args, {{"help", 'h', false},
                                 {"gens", 0, true},
                                 {"repeat", 0, false},
                                 {"columns", 0, true},
                                 {"sort", 0, true},
                                 {"descending", 0, false},
                                 {"base", 0, true},
                                 {"format", 0, true},
                                 {"widths", 0, true},
                                 {"conditions", 0, true},
                                 {"marriage", 0, true}});
    TerminalMessages messages("vellacor-tool dump");
    if (parsed.Has("help")) {
        std::fputs(kHelp, stdout);
        return kExitOk;
    }
    const std::vector<std::string>& words = parsed.Positionals();
    if (words.size() < 2) throw UsageError("expected a GEDCOM file and what to print");
    const std::string& what = words[1];
    auto expect = [&](size_t count) {
        if (words.size() != count + 2)
            throw UsageError(what + " takes " + std::to_string(count) + " argument(s)");
    };
    auto collection = LoadGedcom(words[0]);
    const WGEDCollection& c = *collection;
    FamilyAnalysis analysis(c);

    if (what == "counts") {
        expect(0);
        Write("I: " + FormatThousands(c.IndividualCount()) + "\nF: " +
              FormatThousands(c.FamilyCount()) + "\nN: " + FormatThousands(c.NoteCount()) +
              "\nS: " + FormatThousands(c.SourceCount()) +
              "\nCHAR: " + std::to_string(c.CharacterSet()) + "\n");
    } else if (what == "summary-line") {
        expect(1);
        const int32_t n = PersonNumber(c, words[2]);
        MakeActive(c, n);
        Write(c.Individual(n)->SummaryLine(true) + "\n");
    } else if (what == "summary") {
        expect(1);
        const int32_t n = PersonNumber(c, words[2]);
        MakeActive(c, n);
        Write(c.PersonSummary(n));
    } else if (what == "relationship") {
        expect(2);
        const int32_t base = PersonNumber(c, words[2]);
        const int32_t other = PersonNumber(c, words[3]);
        WRelCalc calculator(&c);
        const std::string relation = calculator.Relationship(base, other);
        Write(relation + "\n" + calculator.CommonAncestorName(base, other, true) + "\n" +
              calculator.CommonAncestorName(base, other, false) + "\n");
    } else if (what == "descendants") {
        expect(1);
        const int32_t n = PersonNumber(c, words[2]);
        int32_t generations = WOptions::GetInt(opt::kDesGenLimit);
        if (auto value = parsed.Value("gens"); value && !ParseInt(*value, generations))
            throw UsageError("--gens takes a number of generations");
        const bool repeat = parsed.Has("repeat") || WOptions::GetFlag(opt::kDesRepDups);
        MakeActive(c, n);
        WDesIterator list;
        list.SetCollection(&c);
        list.BuildDescendants(n, generations, repeat);
        Write(DescendantsText(c, list));
    } else if (what == "islands") {
        expect(0);
        Write(IslandsText(analysis, ListFormat::FixedColumns));
    } else if (what == "general") {
        expect(0);
        MakeActive(c, 1);
        Write(GeneralText(c, std::filesystem::path(words[0]).filename().string(), false));
    } else if (what == "individual") {
        expect(1);
        const int32_t n = PersonNumber(c, words[2]);
        MakeActive(c, n);
        Write(IndividualText(c, n, false));
    } else if (what == "family" || what == "pedigree") {
        expect(1);
        const int32_t n = PersonNumber(c, words[2]);
        const int32_t marriage = OptionNumber(parsed, "marriage", 1);
        if (marriage < 1) throw UsageError("--marriage takes a family number from 1");
        MakeActive(c, n);
        Write(what == "family" ? FamilyText(c, n, marriage) : PedigreeText(c, n, marriage));
    } else if (what == "list") {
        expect(0);
        Write(ListDump(c, analysis, parsed, nullptr));
    } else if (what == "highlighted") {
        expect(0);
        auto group = ConditionGroup(analysis, parsed);
        Write(ListDump(c, analysis, parsed, group.get()));
    } else if (what == "describe") {
        expect(0);
        auto group = ConditionGroup(analysis, parsed);
        std::string text;
        for (int i = 0; i < group->ConditionCount(); ++i)
            text += group->Condition(i).Describe() + "\n";
        Write(text + group->Describe() + "\n");
    } else {
        throw UsageError("unknown text " + what);
    }
    return std::fflush(stdout) == 0 ? kExitOk : kExitFailed;
}

}  // namespace vx::tool
