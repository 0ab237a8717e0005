#include "reports/DisplayList.h"

namespace vx::reports {

FontSpec FontSpec::Pixels(double pixels, bool bold, const QString& family) {
    FontSpec font;
    font.family = family;
    font.pointSize = pixels * 72.0 / kUnitsPerInch;
    font.bold = bold;
    return font;
}

}  // namespace vx::reports
