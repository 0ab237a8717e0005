// The fuzz input as a file: the program reads files through memory maps, so
// each input is written to one locked temporary file that lives for the run.
#pragma once

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/TempFiles.h"

namespace vx::fuzz {

// Path of a file holding exactly the input; empty when it cannot be written.
inline std::string InputAsFile(const uint8_t* data, size_t size) {
    static platform::TempFile file = platform::NewTempFile();
    if (!file.IsOpen()) return {};
    const platform::FileHandle& handle = file.Handle();
    if (!platform::SetFileLength(handle, 0) || ::lseek(handle.Fd(), 0, SEEK_SET) != 0 ||
        !platform::WriteAll(handle, data, size))
        return {};
    return file.Path();
}

}  // namespace vx::fuzz
