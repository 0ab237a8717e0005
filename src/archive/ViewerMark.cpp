#include "archive/ViewerMark.h"

#include <algorithm>
#include <string_view>

#include "platform/FileHandle.h"

namespace vx {
namespace {

// Kept reversed, so that the programs that look for the mark do not carry
// it themselves.
constexpr std::string_view kReversedMark = "1 redaer evihcra MOCDEG ;egami reweiv rocalleV";

constexpr size_t kChunk = 1 << 20;

}  // namespace

std::string ViewerMark() {
    return std::string(kReversedMark.rbegin(), kReversedMark.rend());
}

bool IsViewerImage(const std::string& path) {
    const platform::FileHandle file = platform::OpenExistingFile(path, platform::FileAccess::Read);
    if (!file.IsOpen()) return false;
    const std::string mark = ViewerMark();
    // Each read keeps the tail of the one before, so that a mark that
    // straddles two reads is found.
    std::string window;
    std::string chunk(kChunk, '\0');
    for (int64_t offset = 0;;) {
        const int64_t got = platform::ReadAt(file, chunk.data(), chunk.size(), offset);
        if (got <= 0) return false;
        offset += got;
        window.append(chunk.data(), static_cast<size_t>(got));
        if (window.find(mark) != std::string::npos) return true;
        window.erase(0, window.size() - std::min(window.size(), mark.size() - 1));
    }
}

}  // namespace vx
