// Fast searches for line breaks in mapped text. Lines are short, so the
// searches look at 16 bytes at a time where the processor allows it; they
// never read at or past `end`.
#pragma once

namespace vx::linescan {

// First CR or LF in [p, end), or end.
const char* FindBreak(const char* p, const char* end);

// First position i in [p, end) where a CR or LF is directly followed by '0'
// (the start of a level-0 line); returns the position of the '0', or end.
const char* FindRecordStart(const char* p, const char* end);

}  // namespace vx::linescan
