// What every tab page needs to draw itself: the open file, the highlight
// group that colours people, the Active Individual and the window's
// switches. The main window hands it to the current page on every refresh.
#pragma once

#include <cstdint>
#include <string>

namespace vx {

class FamilyAnalysis;
class IslandView;
class WGEDCollection;
class WHLGroup;

struct PageContext {
    const WGEDCollection* collection = nullptr;  // null: no file loaded
    FamilyAnalysis* analysis = nullptr;          // its islands and statistics
    const IslandView* view = nullptr;            // the people the lists show
    WHLGroup* group = nullptr;                   // null: no highlighting
    int32_t active = 0;                          // the Active Individual, 0 for none
    bool raw = false;                            // "Show RAW GEDCOM data"
    double importSeconds = 0;                    // how long the file took to load
    std::string fileName;                        // the shown file, without directory
    int fontSize = 8;                            // display sizes from the settings
    int rowHeight = 14;
};

}  // namespace vx
