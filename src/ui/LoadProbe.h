// A check for start-up tests of packed files, where no one can look at the
// screen: with VELLACOR_PRINT_LOADED set, the viewer prints what its status
// bar shows once the embedded GEDCOM has loaded, with the platform and the
// font it draws with, and quits. A value ending in ".png" names a file that
// then gets a picture of the window, and with VELLACOR_PRINT_TABS set also
// one picture of each tab.
#pragma once

namespace vx {

class TLogoAppForm;

inline constexpr const char* kPrintLoadedVariable = "VELLACOR_PRINT_LOADED";
inline constexpr const char* kPrintTabsVariable = "VELLACOR_PRINT_TABS";

// Starts watching `window` when the variable is set; does nothing otherwise.
void WatchLoadForProbe(TLogoAppForm* window);

}  // namespace vx
