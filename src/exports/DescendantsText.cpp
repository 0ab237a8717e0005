#include "exports/DescendantsText.h"

#include "analysis/DesIterator.h"
#include "app/Services.h"
#include "gedcom/ABSCollection.h"

namespace vx {

std::string DescendantsText(const WABSCollection& collection, const WDesIterator& list) {
    WaitScope wait("Copying to clipboard", false, false);
    std::string text = "DESCENDANT LIST\r\n\r\n";
    for (int32_t i = 1; i <= list.Count(); ++i) {
        if (i % 50 == 0) PumpMessages();
        const DesRow row = list.Row(i);
        text += std::string(2 * static_cast<size_t>(row.generation), ' ') +
                std::to_string(row.generation + 1) + " - " +
                collection.DisplayNameOf(row.individual);
        if (row.spouse != 0) {
            text += " + " + collection.DisplayNameOf(row.spouse);
            if (row.marriageCount > 1)
                text += " [" + std::to_string(row.marriage) + " of " +
                        std::to_string(row.marriageCount) + "]";
        }
        text += "\r\n";
    }
    return text;
}

}  // namespace vx
