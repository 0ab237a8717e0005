// Survives a mapped file that shrinks under the program.
//
// A read-only mapping of a file that another program truncates turns every
// read past the new end into SIGBUS, which would kill the viewer while it
// shows a GEDCOM file opened from disk. Guarded mappings get a bus-error
// handler that puts a page of zeros where the lost page was and counts it;
// the reader goes on with zeros (which every parser treats as damaged
// text), and the window, seeing the count grow, reads the file again.
#pragma once

#include <cstddef>
#include <cstdint>

namespace vx::platform {

// Guards [start, start + length) until UnguardMapping(start). Returns false
// when all guard slots are taken (the mapping then stays unguarded).
bool GuardMapping(const void* start, size_t length);
void UnguardMapping(const void* start);

// Pages of guarded mappings replaced with zeros since the program started.
uint64_t LostMappedPages();

}  // namespace vx::platform
