// The mark that every viewer image carries, so that `pack` can tell the
// viewer from any other file given as --viewer (a program that cannot show
// the GEDCOM packed behind it, a text file).
#pragma once

#include <string>

// The viewer's own copy, in one piece; only the viewer's main() uses it, so
// no other program of the project holds the mark.
#define VELLACOR_VIEWER_MARK "Vellacor viewer image; GEDCOM archive reader 1"

namespace vx {

// The mark, put together at run time.
std::string ViewerMark();

// Whether the file holds the mark: true for the viewer, false for anything
// else (and for a file that cannot be read).
bool IsViewerImage(const std::string& path);

}  // namespace vx
