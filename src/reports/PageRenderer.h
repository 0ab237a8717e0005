// Draws display-list pages with QPainter: the preview, the printer, PDF and
// the image files all go through here.
#pragma once

#include "reports/DisplayList.h"

#include <QFont>

class QPainter;

namespace vx::reports {

// A font for a painter that has been scaled from page units to a device of
// `deviceDpi` logical dots per inch (see RenderPage). With the default, the
// font measures in page units on a 96-dpi device.
QFont ToQFont(const FontSpec& font, double deviceDpi = kUnitsPerInch);

// Draws the page with its top-left paper corner at the painter's origin.
// The painter is scaled by deviceDpi / 96 for the duration of the call.
void RenderPage(QPainter& painter, const ReportPage& page, double deviceDpi);

}  // namespace vx::reports
