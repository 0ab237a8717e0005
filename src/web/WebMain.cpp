// The entry points of the WebAssembly build, called by the page's worker.
// Texts cross as UTF-8; every answer is JSON in a buffer that stays valid
// until the next call.
#include <emscripten/emscripten.h>

#include <cstdint>
#include <exception>
#include <string>
#include <vector>

#include "web/Json.h"
#include "web/WebViewer.h"

// The worker's progress bar; the page throttles how often it redraws.
EM_JS(void, vx_report_progress, (double fraction), {
    if (Module.onCoreProgress) Module.onCoreProgress(fraction);
});

namespace {

vx::web::WebViewer& Viewer() {
    static vx::web::WebViewer viewer;
    return viewer;
}

std::string& Answer() {
    static std::string answer;
    return answer;
}

// Keeps the answer of `work`; an error that escapes it becomes an answer
// the page shows instead of a dead worker.
template <class Work>
const char* Reply(Work work) {
    try {
        Answer() = work();
    } catch (const std::exception& error) {
        Answer() = "{\"error\":" + vx::web::JsonString(error.what()) + "}";
    }
    return Answer().c_str();
}

// The payload the page is handing over, filled by the worker in place.
std::vector<char>& Incoming() {
    static std::vector<char> bytes;
    return bytes;
}

void ReportProgress(double fraction) {
    vx_report_progress(fraction);
}

}  // namespace

extern "C" {

// Room for a payload of `size` bytes, which the worker copies in.
EMSCRIPTEN_KEEPALIVE char* vx_payload_buffer(int32_t size) {
    Incoming().assign(static_cast<size_t>(size > 0 ? size : 0), '\0');
    return Incoming().data();
}

EMSCRIPTEN_KEEPALIVE const char* vx_load() {
    return Reply([] { return Viewer().Load(std::move(Incoming()), ReportProgress); });
}

EMSCRIPTEN_KEEPALIVE void vx_set_import_seconds(double seconds) {
    Viewer().SetImportSeconds(seconds);
}

EMSCRIPTEN_KEEPALIVE const char* vx_person(int32_t n) {
    return Reply([&] { return Viewer().Person(n); });
}

EMSCRIPTEN_KEEPALIVE const char* vx_general() {
    return Reply([&] { return Viewer().General(); });
}

EMSCRIPTEN_KEEPALIVE const char* vx_individual(int32_t n) {
    return Reply([&] { return Viewer().Individual(n); });
}

EMSCRIPTEN_KEEPALIVE const char* vx_family(int32_t n, int32_t marriage) {
    return Reply([&] { return Viewer().Family(n, marriage); });
}

EMSCRIPTEN_KEEPALIVE const char* vx_pedigree(int32_t n, int32_t marriage) {
    return Reply([&] { return Viewer().Pedigree(n, marriage); });
}

EMSCRIPTEN_KEEPALIVE const char* vx_find(int32_t mode, const char* text) {
    return Reply([&] { return Viewer().Find(mode, text ? text : ""); });
}

}  // extern "C"
