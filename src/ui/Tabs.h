// The main window's tabs by position. The position of the tab last shown is
// stored (setting LastTab), so a value never changes; a new tab goes before
// Count.
#pragma once

namespace vx {

namespace Tab {
enum Id : int {
    Sender,
    General,
    Individual,
    Family,
    Pedigree,
    Descendants,
    List,
    Highlighted,
    Islands,
    Sources,
    Count
};
}  // namespace Tab

}  // namespace vx
