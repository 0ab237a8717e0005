#include "exports/IslandsText.h"

#include <cstdio>
#include <vector>

#include "analysis/FamilyAnalysis.h"
#include "analysis/Islands.h"
#include "app/TextUtil.h"
#include "gedcom/ABSCollection.h"

namespace vx {
namespace {

std::string Fixed(const char* number, const std::vector<std::string>& values) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%5s %8s %8s %8s %8s ", number, values[0].c_str(),
                  values[1].c_str(), values[2].c_str(), values[3].c_str());
    return buffer + values[4] + "\r\n";
}

}  // namespace

std::string IslandsText(FamilyAnalysis& analysis, ListFormat format) {
    const WABSCollection& collection = analysis.Collection();
    WIslands& found = analysis.Islands();
    const int32_t islands = found.ComputeIslands();
    std::string text;
    if (format == ListFormat::FixedColumns) {
        text = "ISLANDS\r\n\r\n" + Fixed("#", {"Ind", "Mar", "Note", "Source", "1st Individual"});
    } else {
        text = "\"#\",\"Ind\",\"Mar\",\"Note\",\"Source\",\"1st Individual\"\r\n";
    }
    for (int32_t rank = 1; rank <= islands; ++rank) {
        const std::string number = std::to_string(rank);
        // Islands hold no notes or sources of their own: those columns are 0.
        const std::vector<std::string> values = {
            FormatThousands(found.IslandIndividuals(rank)),
            FormatThousands(found.IslandFamilies(rank)), "0", "0",
            ReplaceChar(collection.DisplayNameOf(found.IslandFirstIndividual(rank)), '"', "\"\"")};
        if (format == ListFormat::FixedColumns) {
            text += Fixed(number.c_str(), values);
        } else {
            text += "\"" + number + "\"";
            for (size_t i = 0; i < 4; ++i)
                text += "," + CsvField(values[i]);
            text += ",\"" + values[4] + "\"\r\n";  // already doubled
        }
    }
    return text;
}

}  // namespace vx
