// A file the user names as output, written so that nothing is destroyed on
// the way: the bytes go to a new file with a unique name beside the target,
// which takes the target's name only when complete. An existing target that
// is one of the inputs, or is not a regular file, is refused; a character
// device (such as /dev/null) is written into directly instead.
#pragma once

#include <string>
#include <vector>

#include "platform/FileHandle.h"

namespace vx::platform {

class OutputFile {
  public:
    enum class Status {
        Ready,
        IsAnInput,     // the target (or the new file) is one of the inputs
        NotRegular,    // a folder, a FIFO, a socket or a block device
        CannotCreate,  // the folder refuses a new file (see LastErrorText)
    };

    OutputFile() = default;
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;
    // Removes the unfinished file unless Commit succeeded.
    ~OutputFile();

    // Prepares to write `target`; `inputs` are the files being read.
    Status Open(const std::string& target, const std::vector<std::string>& inputs);

    // The file being written: the new file, or the device itself.
    const std::string& Path() const { return path_; }
    const FileHandle& Handle() const { return file_; }
    bool WritesDevice() const { return device_; }

    // Closes the file, gives it `mode` and the target's name. False with
    // errno set on failure (the unfinished file is removed).
    bool Commit(unsigned mode);

  private:
    std::string target_;
    std::string path_;
    FileHandle file_;
    bool device_ = false;
    bool committed_ = false;
};

}  // namespace vx::platform
