// A file's path, kept in the form the operating system takes (on Linux the
// bytes of the name, normally UTF-8). Paths come in from file dialogs and
// the command line once and go out to the system or into a message from
// this one value, so a name such as "Müller" is never read back in another
// character set on its way to the user.
#pragma once

#include <string>
#include <utility>

#include "app/Unicode.h"

namespace vx {

class FilePath {
  public:
    FilePath() = default;
    explicit FilePath(std::string native) : native_(std::move(native)) {}

    // The name as the operating system takes it.
    const std::string& Native() const { return native_; }
    // The name as UTF-8 text for messages; bytes that are not UTF-8 show as
    // replacement characters.
    std::string Display() const { return ValidUtf8(native_); }
    bool Empty() const { return native_.empty(); }

  private:
    std::string native_;
};

}  // namespace vx
