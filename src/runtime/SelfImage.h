// The stub's own program file: where it is and where its runtime bundle
// lies inside it.
#pragma once

#include <string>

#include "runtime/BundleFormat.h"

namespace vx::runtime {

struct SelfImage {
    std::string Path;           // absolute path of the program file that was started
    int Fd = -1;                // open for reading
    uint64_t BundleOffset = 0;  // where the compressed frame starts
    BundleHeader Header;
};

// Opens the running program file and reads the bundle header that follows
// its ELF image. On failure returns false with a reason in `error`.
bool OpenSelfImage(const char* argv0, SelfImage& image, std::string& error);

}  // namespace vx::runtime
