#include "archive/ViewerImage.h"

#include <filesystem>

#include "archive/EmbeddedArchive.h"

namespace vx {
namespace {

constexpr const char* kSelfContainedViewer = "vellacor-standalone";

}  // namespace

TViewerImage ViewerImageOf(const std::string& programPath) {
    const TPayloadLayout layout = ReadPayloadLayout(programPath);
    if (layout.MarkerFound) {
        layout.CheckArchiveInsideFile();
        return {programPath, layout.ArchiveOffset};
    }
    namespace fs = std::filesystem;
    const fs::path beside = fs::path(programPath).parent_path() / kSelfContainedViewer;
    std::error_code error;
    if (fs::is_regular_file(beside, error) && !fs::equivalent(beside, programPath, error))
        return {beside.string(), 0};
    return {programPath, 0};
}

}  // namespace vx
