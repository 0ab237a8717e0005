// `vellacor-tool pack -o family.html`: the browser edition. One HTML file
// carries the viewer's core as WebAssembly, the same archive and trailer a
// program file carries (in base64), and the page's own HTML, CSS and
// JavaScript, taken from the web folder built beside the tool.
#pragma once

#include <string>
#include <string_view>

#include "packing/Packer.h"

namespace vx::tool {

// Whether the output names an HTML file (".html" or ".htm", any case).
bool IsHtmlOutput(std::string_view path);

// The folder of the browser edition's parts beside this tool.
std::string DefaultWebFolder();

// Writes the HTML file for the request (its ViewerPath is not used) from
// the parts in `webFolder`. Raises EPackRefused for missing parts and the
// packer's errors; the output is replaced only when complete.
TPackResult PackHtml(const TPackRequest& request, const std::string& webFolder);

}  // namespace vx::tool
