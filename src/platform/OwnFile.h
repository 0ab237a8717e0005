// Files the program trusts because they are its user's own, such as the
// settings: opened only when they are regular files of this user.
#pragma once

#include <string>

#include "platform/FileHandle.h"

namespace vx::platform {

enum class OwnFileOpen { Read, WriteOrCreate };

// Opens `path` only when it is a regular file that belongs to this user: a
// symbolic link planted under the name is not followed, and a FIFO cannot
// hold the open (and the program) forever. WriteOrCreate creates a missing
// file readable by this user alone and leaves an existing one's contents
// in place.
FileHandle OpenOwnRegularFile(const std::string& path, OwnFileOpen mode);

}  // namespace vx::platform
