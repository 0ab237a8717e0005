// The pages of the browser build as JSON: the same page models the desktop
// tabs show (src/exports), with every individual written as its number and
// the texts its panel shows, plus the page's "Copy to Clipboard" text.
#pragma once

#include <cstdint>

namespace vx {
class WABSCollection;
struct GeneralPage;
}  // namespace vx

namespace vx::web {

class JsonWriter;

// Members of the open object: "header", "submitter", "file" grids and
// "hasSubmitter".
void WriteGeneralPage(JsonWriter& json, const GeneralPage& page);
// Whole objects.
void WriteIndividualPage(JsonWriter& json, const WABSCollection& collection, int32_t n);
void WriteFamilyPage(JsonWriter& json, const WABSCollection& collection, int32_t n, int marriage);
void WritePedigreePage(JsonWriter& json, const WABSCollection& collection, int32_t n, int marriage);
// Member "menu" of the open object: for each spouse family the other spouse,
// then the family's children with their birth years, as the scroller's
// spouse-and-children menu lists them; [{"label","n","kind"}].
void WriteSpouseAndChildrenMenu(JsonWriter& json, const WABSCollection& collection, int32_t n);

}  // namespace vx::web
