// What the machine offers the program: processors to work on and room in a
// folder. Answers are cautious: a question the system cannot answer gives
// one processor and unknown room.
#pragma once

#include <cstdint>
#include <string>

namespace vx::platform {

// Processors this process may run on (its affinity, not the machine's
// total); at least 1. Builds without threads answer 1.
int UsableProcessors();

// Bytes an unprivileged writer can still put into the file system that
// holds `folder`; -1 when the system cannot tell.
int64_t FreeBytes(const std::string& folder);

// The most memory this process has had resident since it started running
// its own program, in bytes; -1 when the system cannot tell. Unlike the
// resource usage the parent sees, this leaves out what the process held
// before it replaced itself with this program.
int64_t PeakResidentBytes();

}  // namespace vx::platform
